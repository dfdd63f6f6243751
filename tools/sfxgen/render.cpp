#include "render.h"

#include <algorithm>
#include <cmath>

#include "synth.h"
#include "voice.h"

namespace sfxgen {
namespace {

using musicgen::kSampleRate;

constexpr double kPi = 3.141592653589793;
constexpr int kFadeInFrames = 32;
constexpr double kFadeOutSeconds = 0.012;
constexpr double kLoudnessWindowSeconds = 0.2;
constexpr double kLoudnessHopSeconds = 0.005;
constexpr float kKnee = 0.5f;  // below this, levelling leaves the wave alone
constexpr int kLevelPasses = 4;
constexpr float kSilenceDb = -200;
constexpr uint32_t kSeedsPerVariant = 1000;

void AddLayer(const Layer& layer, uint32_t seed, Samples& out) {
  musicgen::Voice voice(layer.instrument, layer.note, layer.hold, seed);
  size_t start = static_cast<size_t>(std::llround(layer.at * kSampleRate));
  for (int i = 0; i < voice.Frames() && start + i < out.size(); ++i) out[start + i] += voice.Next();
}

void AddEcho(const Echo& echo, Samples& samples) {
  size_t delay = static_cast<size_t>(std::llround(echo.seconds * kSampleRate));
  if (delay == 0 || echo.mix <= 0) return;
  Samples line(samples.size(), 0.0f);  // what the echo gives back at each frame
  for (size_t i = delay; i < samples.size(); ++i)
    line[i] = samples[i - delay] + line[i - delay] * echo.feedback;
  for (size_t i = 0; i < samples.size(); ++i) samples[i] += line[i] * echo.mix;
}

// Whatever the layers leave ringing, the effect starts and ends in silence: no click.
void FadeEdges(Samples& samples) {
  size_t fadeOut = std::min(samples.size(), static_cast<size_t>(kFadeOutSeconds * kSampleRate));
  for (size_t i = 0; i < fadeOut; ++i)
    samples[samples.size() - 1 - i] *= static_cast<float>(i) / fadeOut;
  for (size_t i = 0; i < std::min<size_t>(kFadeInFrames, samples.size()); ++i)
    samples[i] *= static_cast<float>(i) / kFadeInFrames;
}

// One second-order section in the cookbook's form.
class Biquad {
 public:
  static Biquad HighShelf(double frequency, double gainDb, double q) {
    double a = std::pow(10.0, gainDb / 40), w = 2 * kPi * frequency / kSampleRate;
    double alpha = std::sin(w) / (2 * q), c = std::cos(w), root = 2 * std::sqrt(a) * alpha;
    return Biquad(a * ((a + 1) + (a - 1) * c + root), -2 * a * ((a - 1) + (a + 1) * c),
                  a * ((a + 1) + (a - 1) * c - root), (a + 1) - (a - 1) * c + root,
                  2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - root);
  }
  static Biquad HighPass(double frequency, double q) {
    double w = 2 * kPi * frequency / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
  }
  double Process(double x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return y;
  }

 private:
  Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
      : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}
  double b0_, b1_, b2_, a1_, a2_;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// The broadcast loudness weighting: a shelf that lifts the presence region and a high-pass that
// drops the rumble the ear barely hears.
std::vector<double> KWeighted(const Samples& samples) {
  Biquad shelf = Biquad::HighShelf(1681.97, 4.0, 0.7072);
  Biquad highPass = Biquad::HighPass(38.135, 0.5003);
  std::vector<double> power(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    double weighted = highPass.Process(shelf.Process(samples[i]));
    power[i] = weighted * weighted;
  }
  return power;
}

float SoftLimit(float x) {
  float magnitude = std::fabs(x);
  if (magnitude <= kKnee) return x;
  float room = kPeakCeiling - kKnee;
  return std::copysign(kKnee + room * std::tanh((magnitude - kKnee) / room), x);
}

}  // namespace

Samples RenderEffect(const Effect& effect, int variant) {
  Samples samples(static_cast<size_t>(std::llround(effect.length * kSampleRate)), 0.0f);
  for (size_t i = 0; i < effect.layers.size(); ++i)
    AddLayer(effect.layers[i], static_cast<uint32_t>(variant * kSeedsPerVariant + i + 1), samples);
  AddEcho(effect.echo, samples);
  Level(samples, effect.loudness);
  FadeEdges(samples);
  return samples;
}

float Loudness(const Samples& samples) {
  std::vector<double> power = KWeighted(samples);
  std::vector<double> total(power.size() + 1, 0.0);  // total[i]: power of the first i frames
  for (size_t i = 0; i < power.size(); ++i) total[i + 1] = total[i] + power[i];
  size_t window = static_cast<size_t>(kLoudnessWindowSeconds * kSampleRate);
  size_t hop = static_cast<size_t>(kLoudnessHopSeconds * kSampleRate);
  double loudest = 0;
  // A sound shorter than the window is weighed over the whole window, as the ear sums it.
  for (size_t start = 0; start == 0 || start + window <= power.size(); start += hop) {
    size_t end = std::min(start + window, power.size());
    loudest = std::max(loudest, (total[end] - total[start]) / window);
  }
  return loudest > 0 ? static_cast<float>(-0.691 + 10 * std::log10(loudest)) : kSilenceDb;
}

float Peak(const Samples& samples) {
  float peak = 0;
  for (float sample : samples) peak = std::max(peak, std::fabs(sample));
  return peak;
}

void Level(Samples& samples, float targetDb) {
  for (int pass = 0; pass < kLevelPasses; ++pass) {
    float loudness = Loudness(samples);
    if (loudness <= kSilenceDb) return;
    float gain = std::pow(10.0f, (targetDb - loudness) / 20);
    for (float& sample : samples) sample = SoftLimit(sample * gain);
  }
}

}  // namespace sfxgen
