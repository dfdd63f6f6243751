#include "media/wav_capture.h"

#include <algorithm>

#include "media/sound.h"

namespace media {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr uint32_t kHeaderBytes = 44;
constexpr uint64_t kChunkFrames = 4096;

void Put(std::FILE* file, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xff), file);
}

}  // namespace

std::unique_ptr<WavCapture> WavCapture::Open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "cannot write the audio recording %s\n", path.c_str());
    return nullptr;
  }
  std::unique_ptr<WavCapture> capture(new WavCapture(file, path));
  capture->WriteHeader();
  return capture;
}

WavCapture::~WavCapture() {
  std::fseek(file_, 0, SEEK_SET);
  WriteHeader();
  if (std::fclose(file_) != 0 || failed_) {
    std::fprintf(stderr, "cannot write the audio recording %s\n", path_.c_str());
  }
}

// Written once with what is known and again at the end with the true sizes.
void WavCapture::WriteHeader() {
  const uint32_t dataBytes = static_cast<uint32_t>(frames_ * kChannels * kBytesPerSample);
  std::fputs("RIFF", file_);
  Put(file_, kHeaderBytes - 8 + dataBytes, 4);
  std::fputs("WAVEfmt ", file_);
  Put(file_, 16, 4);  // the format chunk's size
  Put(file_, 1, 2);   // PCM
  Put(file_, kChannels, 2);
  Put(file_, kMixRate, 4);
  Put(file_, kMixRate * kChannels * kBytesPerSample, 4);
  Put(file_, kChannels * kBytesPerSample, 2);
  Put(file_, 8 * kBytesPerSample, 2);
  std::fputs("data", file_);
  Put(file_, dataBytes, 4);
}

void WavCapture::MixUntil(uint32_t ms) {
  const uint64_t due = static_cast<uint64_t>(ms) * kMixRate / 1000;
  while (frames_ < due) {
    const uint64_t count = std::min(kChunkFrames, due - frames_);
    buffer_.resize(count * kChannels);
    MixAudio(buffer_.data(), static_cast<int>(count));
    // Little-endian hosts only, as everywhere the game runs.
    if (std::fwrite(buffer_.data(), sizeof(int16_t), buffer_.size(), file_) != buffer_.size()) {
      failed_ = true;
    }
    frames_ += count;
  }
}

}  // namespace media
