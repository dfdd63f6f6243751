#pragma once
// Records the mix as the headless backend's virtual clock moves: each stretch of time is mixed
// the moment the clock passes over it and appended to a 16-bit stereo 44.1 kHz WAV file, so the
// recording lines up sample for sample with the frames presented.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace media {

class WavCapture {
 public:
  // Null, after a message naming the file, when it cannot be written.
  static std::unique_ptr<WavCapture> Open(const std::string& path);
  // Writes the final sizes into the header.
  ~WavCapture();
  WavCapture(const WavCapture&) = delete;
  WavCapture& operator=(const WavCapture&) = delete;

  // Mixes and appends everything up to virtual millisecond `ms`.
  void MixUntil(uint32_t ms);

 private:
  WavCapture(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  void WriteHeader();

  std::FILE* file_;
  std::string path_;
  uint64_t frames_ = 0;
  bool failed_ = false;
  std::vector<int16_t> buffer_;
};

}  // namespace media
