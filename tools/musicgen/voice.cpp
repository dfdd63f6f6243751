#include "voice.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace musicgen {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr float kMaxCutoff = 18000.0f;

}  // namespace

Voice::Voice(const Instrument& instrument, const Note& note, double holdSeconds, uint32_t seed)
    : instrument_(instrument),
      frequency_(note.frequency),
      velocity_(note.velocity),
      hold_(holdSeconds),
      frames_(static_cast<int>((holdSeconds + instrument.release) * kSampleRate) + 1),
      noiseState_(seed * 2654435761u + 1u) {}

// Attack, decay to sustain while held, then release from wherever the level stands.
float Voice::Envelope(double t) const {
  auto held = [this](double at) -> double {
    const Instrument& in = instrument_;
    if (at < in.attack) return at / std::max(in.attack, 1e-4f);
    double intoDecay = (at - in.attack) / std::max(in.decay, 1e-4f);
    if (intoDecay < 1) return 1 - (1 - in.sustain) * intoDecay;
    return in.sustain;
  };
  if (t < hold_) return static_cast<float>(held(t));
  double intoRelease = (t - hold_) / std::max(instrument_.release, 1e-4f);
  return intoRelease >= 1 ? 0.0f : static_cast<float>(held(hold_) * (1 - intoRelease));
}

float Voice::Noise() {
  noiseState_ ^= noiseState_ << 13;
  noiseState_ ^= noiseState_ >> 17;
  noiseState_ ^= noiseState_ << 5;
  return static_cast<float>(noiseState_ / 2147483648.0 - 1.0);
}

float Voice::Oscillator(double phase) const {
  double p = phase - std::floor(phase);
  switch (instrument_.wave) {
    case Wave::kSine:
      return static_cast<float>(std::sin(kTwoPi * p));
    case Wave::kTriangle:
      return static_cast<float>(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
    case Wave::kSaw:
      return static_cast<float>(2 * p - 1);
    case Wave::kSquare:
      return p < 0.5 ? 1.0f : -1.0f;
    case Wave::kNoise:
      return 0.0f;
  }
  return 0.0f;
}

// A soft clip that keeps the level of a quiet signal: the drive thickens a tone into a growl.
float Voice::Drive(float in) const {
  float push = 1 + instrument_.drive;
  return static_cast<float>(std::tanh(push * in) / std::tanh(push));
}

// Chamberlin state-variable filter; the envelope can open the cutoff for plucks and drums.
float Voice::Filter(float in, float envelope) {
  if (instrument_.filter == FilterMode::kNone) return in;
  float cutoff = instrument_.cutoff * (1 + instrument_.filterEnvelope * envelope);
  cutoff = std::min(cutoff, kMaxCutoff);
  float f = 2 * static_cast<float>(std::sin(kTwoPi / 2 * cutoff / (kSampleRate * 2)));
  float damping = 2 * (1 - std::clamp(instrument_.resonance, 0.0f, 0.95f));
  // Two passes at twice the rate keep the filter stable up high.
  float high = 0;
  for (int pass = 0; pass < 2; ++pass) {
    low_ += f * band_;
    high = in - low_ - damping * band_;
    band_ += f * high;
  }
  if (instrument_.filter == FilterMode::kLowPass) return low_;
  if (instrument_.filter == FilterMode::kHighPass) return high;
  return band_;
}

float Voice::Next() {
  double t = static_cast<double>(frame_++) / kSampleRate;
  float envelope = Envelope(t);
  double semitones = instrument_.sweep * std::exp(-t / std::max(instrument_.sweepTime, 1e-4f));
  if (instrument_.vibratoRate > 0)
    semitones += instrument_.vibratoDepth * std::sin(kTwoPi * instrument_.vibratoRate * t);
  if (instrument_.glide != 0)
    semitones += instrument_.glide * std::min(1.0, t / std::max(instrument_.glideTime, 1e-4f));
  double frequency = frequency_ * std::pow(2.0, semitones / 12);
  phase_ += frequency / kSampleRate;
  float tone = Oscillator(phase_);
  if (instrument_.detune != 0) {
    detunedPhase_ += frequency * std::pow(2.0, instrument_.detune / 1200) / kSampleRate;
    tone = 0.5f * (tone + Oscillator(detunedPhase_));
  }
  if (instrument_.wave == Wave::kNoise)
    tone = Noise();
  else if (instrument_.noise > 0)
    tone += instrument_.noise * (Noise() - tone);
  if (instrument_.drive > 0) tone = Drive(tone);
  return Filter(tone, envelope) * envelope * velocity_ * instrument_.gain;
}

}  // namespace musicgen
