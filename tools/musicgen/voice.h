#pragma once
// One sounding note: oscillators, envelope, filter. Deterministic: its noise is seeded per note.
#include <cstdint>

#include "score.h"

namespace musicgen {

class Voice {
 public:
  Voice(const Instrument& instrument, const Note& note, double holdSeconds, uint32_t seed);

  // Frames until the release has died away.
  int Frames() const { return frames_; }
  // The next mono sample.
  float Next();

 private:
  float Envelope(double t) const;
  float Oscillator(double phase) const;
  float Noise();
  float Drive(float in) const;
  float Filter(float in, float envelope);

  const Instrument& instrument_;
  float frequency_;
  float velocity_;
  double hold_;  // seconds the note is held before its release
  int frames_;
  int frame_ = 0;
  double phase_ = 0;
  double detunedPhase_ = 0;
  uint32_t noiseState_;
  float low_ = 0, band_ = 0;  // state-variable filter memory
};

}  // namespace musicgen
