// WAV sounds: PCM 8 or 16 bit, or 32-bit float, converted to 16 bit at load. The game's sounds
// are short, so they are kept in memory whole.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "media/sound_source.h"
#include "media/stream.h"

namespace media {
namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xfffe;
constexpr int kMaxChannels = 8;
constexpr int kMaxRate = 384000;

struct WavFormat {
  int format = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

int16_t ToSample16(const uint8_t* bytes, const WavFormat& wav) {
  if (wav.bits == 8) return static_cast<int16_t>((bytes[0] - 128) << 8);
  if (wav.bits == 16) return static_cast<int16_t>(bytes[0] | bytes[1] << 8);
  float value = 0;
  std::memcpy(&value, bytes, sizeof value);  // little-endian hosts only, as everywhere we run
  if (!std::isfinite(value)) value = 0;
  return static_cast<int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

bool Supported(const WavFormat& wav) {
  bool pcm = wav.format == kFormatPcm && (wav.bits == 8 || wav.bits == 16);
  bool floating = wav.format == kFormatFloat && wav.bits == 32;
  return (pcm || floating) && wav.channels >= 1 && wav.channels <= kMaxChannels && wav.rate > 0 &&
         wav.rate <= kMaxRate;
}

WavFormat ReadFormatChunk(Stream& in, int size) {
  WavFormat wav;
  wav.format = in.ReadShort();
  wav.channels = in.ReadShort();
  wav.rate = in.ReadInt();
  in.SkipBytes(6);  // byte rate and block align follow from the rest
  wav.bits = in.ReadShort();
  int rest = size - 16;
  if (wav.format == kFormatExtensible && rest >= 10) {
    in.SkipBytes(8);  // extension size, valid bits, channel mask
    wav.format = in.ReadShort();
    rest -= 10;
  }
  in.SkipBytes(rest);
  return wav;
}

class WavDecoder : public SoundDecoder {
 public:
  WavDecoder(std::shared_ptr<const std::vector<int16_t>> samples, int channels)
      : samples_(std::move(samples)), channels_(channels) {}

  int Read(int16_t* out, int frames) override {
    size_t left = (samples_->size() - position_) / channels_;
    size_t count = std::min(left, static_cast<size_t>(frames));
    std::copy_n(samples_->data() + position_, count * channels_, out);
    position_ += count * channels_;
    return static_cast<int>(count);
  }

  bool Rewind() override {
    position_ = 0;
    return true;
  }

 private:
  std::shared_ptr<const std::vector<int16_t>> samples_;
  int channels_;
  size_t position_ = 0;
};

class WavSound : public Sound {
 public:
  WavSound(std::vector<int16_t> samples, int rate, int channels, bool loop)
      : Sound(rate, channels, static_cast<double>(samples.size()) / channels / rate, loop),
        samples_(std::make_shared<const std::vector<int16_t>>(std::move(samples))) {}

  std::unique_ptr<SoundDecoder> OpenDecoder() const override {
    return std::make_unique<WavDecoder>(samples_, Channels());
  }

 private:
  std::shared_ptr<const std::vector<int16_t>> samples_;
};

std::vector<int16_t> ConvertSamples(const std::vector<uint8_t>& bytes, const WavFormat& wav) {
  size_t width = static_cast<size_t>(wav.bits / 8);
  size_t count = bytes.size() / width / wav.channels * wav.channels;
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) samples[i] = ToSample16(&bytes[i * width], wav);
  return samples;
}

}  // namespace

SoundPtr LoadWavSound(const std::string& path, bool loop) {
  StreamPtr in = Stream::OpenRead(path);
  std::error_code error;
  uintmax_t fileSize = std::filesystem::file_size(path, error);
  if (!in || error) return nullptr;
  try {
    if (in->ReadString(4) != "RIFF") return nullptr;
    in->SkipBytes(4);
    if (in->ReadString(4) != "WAVE") return nullptr;
    WavFormat wav;
    for (;;) {
      std::string id = in->ReadString(4);
      int size = in->ReadInt();
      if (size < 0 || static_cast<uintmax_t>(size) > fileSize) return nullptr;
      if (id == "fmt " && size >= 16) {
        wav = ReadFormatChunk(*in, size);
        if (!Supported(wav)) return nullptr;
      } else if (id == "data" && wav.channels > 0) {
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        in->ReadBytes(bytes.data(), bytes.size());
        return std::make_shared<WavSound>(ConvertSamples(bytes, wav), wav.rate, wav.channels, loop);
      } else {
        in->SkipBytes(size + (size & 1));  // chunks are padded to an even size
      }
    }
  } catch (const StreamReadError&) {
    return nullptr;
  }
}

}  // namespace media
