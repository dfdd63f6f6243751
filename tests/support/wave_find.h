#pragma once
// Finding a known sound in a recording of the whole mix: the normalized cross-correlation of the
// sound's samples with every stretch of the recording, block by block through FFTs. A take played
// as it was made scores near 1 where it sounds, whatever its volume or pan and even under other
// sounds; a different sound scores near 0.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

struct WaveFound {
  size_t at = 0;  // the frame where the sound starts
  double score = 0;
};

namespace wave_find {

using Spectrum = std::vector<std::complex<double>>;

// In place, radix 2; the inverse is scaled back.
inline void Fft(Spectrum& a, bool inverse) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t length = 2; length <= n; length <<= 1) {
    const double angle = (inverse ? 2 : -2) * 3.141592653589793 / static_cast<double>(length);
    const std::complex<double> turn(std::cos(angle), std::sin(angle));
    for (size_t i = 0; i < n; i += length) {
      std::complex<double> w(1);
      for (size_t k = 0; k < length / 2; ++k, w *= turn) {
        const std::complex<double> u = a[i + k], v = a[i + k + length / 2] * w;
        a[i + k] = u + v;
        a[i + k + length / 2] = u - v;
      }
    }
  }
  if (inverse)
    for (auto& x : a) x /= static_cast<double>(n);
}

}  // namespace wave_find

// The best frame in [from, to) for `sound` to start at, judged on its first `longest` frames.
inline WaveFound FindWave(const std::vector<float>& recording, const std::vector<float>& sound,
                          size_t from = 0, size_t to = SIZE_MAX, size_t longest = 13230) {
  const size_t m = std::min(sound.size(), longest);
  if (m == 0 || recording.size() < m) return {};
  to = std::min(to, recording.size() - m + 1);
  if (from >= to) return {};
  size_t n = 1;
  while (n < 4 * m) n <<= 1;
  const size_t hop = n - m + 1;  // the lags each block answers without wrapping round
  wave_find::Spectrum pattern(n);
  double patternPower = 0;
  for (size_t i = 0; i < m; ++i) {
    pattern[i] = sound[i];
    patternPower += static_cast<double>(sound[i]) * sound[i];
  }
  wave_find::Fft(pattern, false);
  std::vector<double> power(to + m - from + 1, 0.0);  // power[i]: of recording[from, from + i)
  for (size_t i = from; i < to + m - 1; ++i)
    power[i - from + 1] = power[i - from] + static_cast<double>(recording[i]) * recording[i];
  WaveFound best;
  for (size_t start = from; start < to; start += hop) {
    wave_find::Spectrum block(n);
    for (size_t i = 0; i < n && start + i < recording.size(); ++i) block[i] = recording[start + i];
    wave_find::Fft(block, false);
    for (size_t k = 0; k < n; ++k) block[k] *= std::conj(pattern[k]);
    wave_find::Fft(block, true);
    for (size_t j = 0; j < hop && start + j < to; ++j) {
      const double stretch = power[start + j - from + m] - power[start + j - from];
      if (stretch <= 0 || patternPower <= 0) continue;
      const double score = block[j].real() / std::sqrt(stretch * patternPower);
      if (score > best.score) best = {start + j, score};
    }
  }
  return best;
}
