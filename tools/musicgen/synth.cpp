#include "synth.h"

#include <algorithm>
#include <cmath>

#include "room.h"
#include "voice.h"

namespace musicgen {
namespace {

constexpr double kQuarterPi = 0.7853981633974483;
constexpr float kLimiterKnee = 0.7f;    // above this the limiter bends peaks towards 1
constexpr int kLevelPasses = 3;         // the limiter lowers the RMS a little; repeat to settle
constexpr double kArticulation = 0.92;  // share of a note's steps it is held before release

// Adds one note to the dry and send buffers, wrapping past the loop's end.
void MixNote(const Score& score, const Note& note, uint32_t seed, StereoLoop& dry,
             StereoLoop& send) {
  const Instrument& instrument = score.instruments[note.instrument];
  size_t frames = dry.size() / 2;
  double stepFrames = score.SecondsPerStep() * kSampleRate;
  size_t start = static_cast<size_t>(std::llround(note.step * stepFrames)) % frames;
  Voice voice(instrument, note, note.length * score.SecondsPerStep() * kArticulation, seed);
  double angle = (std::clamp(instrument.pan, -1.0f, 1.0f) + 1) * kQuarterPi;
  float gainLeft = static_cast<float>(std::cos(angle));
  float gainRight = static_cast<float>(std::sin(angle));
  for (int i = 0; i < voice.Frames(); ++i) {
    float sample = voice.Next();
    size_t at = 2 * ((start + i) % frames);
    dry[at] += sample * gainLeft;
    dry[at + 1] += sample * gainRight;
    send[at] += sample * gainLeft * instrument.echo;
    send[at + 1] += sample * gainRight * instrument.echo;
  }
}

float SoftLimit(float x) {
  float magnitude = std::fabs(x);
  if (magnitude <= kLimiterKnee) return x;
  float over = (magnitude - kLimiterKnee) / (1 - kLimiterKnee);
  float bent = kLimiterKnee + (1 - kLimiterKnee) * std::tanh(over);
  return std::copysign(bent, x);
}

}  // namespace

StereoLoop RenderScore(const Score& score) {
  size_t frames =
      static_cast<size_t>(std::llround(score.Steps() * score.SecondsPerStep() * kSampleRate));
  StereoLoop dry(2 * frames, 0.0f), send(2 * frames, 0.0f);
  for (size_t i = 0; i < score.notes.size(); ++i)
    MixNote(score, score.notes[i], static_cast<uint32_t>(i + 1), dry, send);
  StereoLoop wet = RoomResponse(send, score);
  for (size_t i = 0; i < dry.size(); ++i) dry[i] += wet[i];
  return dry;
}

float Rms(const StereoLoop& loop) {
  double sum = 0;
  for (float sample : loop) sum += static_cast<double>(sample) * sample;
  return loop.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / loop.size()));
}

void Level(StereoLoop& loop, float targetRms) {
  for (int pass = 0; pass < kLevelPasses; ++pass) {
    float rms = Rms(loop);
    if (rms <= 0) return;
    float gain = targetRms / rms;
    for (float& sample : loop) sample = SoftLimit(sample * gain);
  }
}

}  // namespace musicgen
