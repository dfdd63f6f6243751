#pragma once
// A coarse picture of a sound for telling sounds apart by ear-like means: the level in 24 bands
// a third of an octave wide from 80 Hz to 12 kHz, every 5 ms. It does not care about volume, and
// sounds whose pictures are alike sound alike.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

class SoundPrint {
 public:
  static constexpr int kBands = 24;
  static constexpr int kHop = 220;  // frames: 5 ms at 44.1 kHz
  using Step = std::array<float, kBands>;

  explicit SoundPrint(const std::vector<float>& mono, int rate = 44100) {
    std::array<Band, kBands> bands;
    for (int b = 0; b < kBands; ++b)
      bands[b] = Band(80.0 * std::pow(150.0, b / (kBands - 1.0)), rate);
    steps_.assign(mono.size() / kHop, Step{});
    for (size_t i = 0; i < steps_.size() * kHop; ++i) {
      for (int b = 0; b < kBands; ++b) {
        const double y = bands[b].Process(mono[i]);
        steps_[i / kHop][b] += static_cast<float>(y * y);
      }
    }
    for (Step& step : steps_)
      for (float& energy : step) energy = std::sqrt(energy / kHop);
  }

  size_t Steps() const { return steps_.size(); }

  // How alike two whole sounds are, each with all of its energy, at the lag that suits them
  // best: near 1 only for the same sound, whatever its volume.
  static double Likeness(const SoundPrint& a, const SoundPrint& b) {
    const auto power = [](const SoundPrint& print) {
      double sum = 0;
      for (const Step& step : print.steps_)
        for (float energy : step) sum += double(energy) * energy;
      return sum;
    };
    const double norms = std::sqrt(power(a) * power(b));
    double best = 0;
    for (long lag = -long(b.Steps()); lag < long(a.Steps()); ++lag) {
      double dot = 0;
      for (size_t s = 0; s < b.Steps(); ++s) {
        const long at = lag + long(s);
        if (at < 0 || at >= long(a.Steps())) continue;
        for (int band = 0; band < kBands; ++band)
          dot += double(a.steps_[at][band]) * b.steps_[s][band];
      }
      best = std::max(best, norms > 0 ? dot / norms : 0);
    }
    return best;
  }

 private:
  // A band-pass section in the cookbook's form, about a third of an octave wide.
  class Band {
   public:
    Band() = default;
    Band(double centre, int rate) {
      const double w = 2 * 3.141592653589793 * centre / rate, alpha = std::sin(w) / (2 * 4.3);
      const double a0 = 1 + alpha;
      b0_ = alpha / a0, b2_ = -alpha / a0, a1_ = -2 * std::cos(w) / a0, a2_ = (1 - alpha) / a0;
    }
    double Process(double x) {
      const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
      x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
      return y;
    }

   private:
    double b0_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
  };

  static float Level(const Step& step) {
    float sum = 0;
    for (float energy : step) sum += energy * energy;
    return std::sqrt(sum);
  }

  std::vector<Step> steps_;
};
