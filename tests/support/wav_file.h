#pragma once
// 16-bit PCM WAV files for tests: written plainly, and read back (the runner's recordings, the
// built effects) without the game's own loader, so a fault in it cannot hide itself.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct WavSamples {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;  // interleaved

  size_t Frames() const { return channels ? samples.size() / channels : 0; }
  // One channel, or the mean of the two of a stereo file.
  std::vector<float> Mono() const {
    std::vector<float> mono(Frames());
    for (size_t f = 0; f < mono.size(); ++f) {
      float sum = 0;
      for (int c = 0; c < channels; ++c) sum += samples[f * channels + c];
      mono[f] = sum / channels / 32768.0f;
    }
    return mono;
  }
};

// `chunks` go between the format and the data: whole chunks a reader must step over.
inline void WriteWav(const std::string& path, int rate, int channels,
                     const std::vector<int16_t>& samples, const std::string& chunks = "") {
  const auto put = [](std::string& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
  };
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string bytes = "RIFF";
  put(bytes, 36 + static_cast<uint32_t>(chunks.size()) + dataBytes, 4);
  bytes += "WAVEfmt ";
  put(bytes, 16, 4);
  put(bytes, 1, 2);
  put(bytes, channels, 2);
  put(bytes, rate, 4);
  put(bytes, rate * channels * 2, 4);
  put(bytes, channels * 2, 2);
  put(bytes, 16, 2);
  bytes += chunks + "data";
  put(bytes, dataBytes, 4);
  for (int16_t sample : samples) put(bytes, static_cast<uint16_t>(sample), 2);
  std::ofstream(path, std::ios::binary) << bytes;
}

// Empty (rate 0) when the file is not a 16-bit PCM WAV with its format before its data.
inline WavSamples ReadWav(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const auto number = [&bytes](size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
  };
  WavSamples wav;
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return wav;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const size_t size = number(at + 4, 4);
    if (id == "fmt " && number(at + 8, 2) == 1 && number(at + 22, 2) == 16) {
      wav.channels = static_cast<int>(number(at + 10, 2));
      wav.rate = static_cast<int>(number(at + 12, 4));
    } else if (id == "data" && wav.channels > 0) {
      const size_t count = std::min(size, bytes.size() - at - 8) / 2;
      for (size_t i = 0; i < count; ++i)
        wav.samples.push_back(static_cast<int16_t>(number(at + 8 + 2 * i, 2)));
      return wav;
    }
    at += 8 + size + (size & 1);
  }
  return WavSamples{};
}
