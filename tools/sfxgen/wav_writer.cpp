#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "synth.h"

namespace sfxgen {
namespace {

constexpr int kBytesPerSample = 2;
constexpr int kHeaderBytes = 44;

void Put(std::string& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

bool WriteWav(const std::string& path, const Samples& samples, std::string& error) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * kBytesPerSample);
  std::string bytes = "RIFF";
  Put(bytes, kHeaderBytes - 8 + dataBytes, 4);
  bytes += "WAVEfmt ";
  Put(bytes, 16, 4);  // the format chunk's size
  Put(bytes, 1, 2);   // PCM
  Put(bytes, 1, 2);   // mono
  Put(bytes, musicgen::kSampleRate, 4);
  Put(bytes, musicgen::kSampleRate * kBytesPerSample, 4);
  Put(bytes, kBytesPerSample, 2);
  Put(bytes, 8 * kBytesPerSample, 2);
  bytes += "data";
  Put(bytes, dataBytes, 4);
  for (float sample : samples) {
    long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    Put(bytes, static_cast<uint16_t>(static_cast<int16_t>(value)), 2);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace sfxgen
