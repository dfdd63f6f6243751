// OGG Vorbis sounds, streamed through libvorbisfile: each playing channel keeps its own decoder.
#include <vorbis/vorbisfile.h>

#include "media/sound_source.h"

namespace media {
namespace {

constexpr int kMaxChannels = 8;

class OggDecoder : public SoundDecoder {
 public:
  explicit OggDecoder(int channels) : channels_(channels) {}
  ~OggDecoder() override { ov_clear(&file_); }
  bool Open(const std::string& path) { return ov_fopen(path.c_str(), &file_) == 0; }
  OggVorbis_File& File() { return file_; }

  int Read(int16_t* out, int frames) override {
    int bytesPerFrame = channels_ * static_cast<int>(sizeof(int16_t));
    int bitstream = 0;
    for (;;) {
      long bytes = ov_read(&file_, reinterpret_cast<char*>(out), frames * bytesPerFrame,
                           /*bigendianp=*/0, /*word=*/2, /*sgned=*/1, &bitstream);
      if (bytes == OV_HOLE) continue;  // a gap in the data: go on after it
      return bytes > 0 ? static_cast<int>(bytes / bytesPerFrame) : 0;
    }
  }

  bool Rewind() override { return ov_raw_seek(&file_, 0) == 0; }

 private:
  OggVorbis_File file_{};
  int channels_;
};

class OggSound : public Sound {
 public:
  OggSound(std::string path, int rate, int channels, double seconds, bool loop)
      : Sound(rate, channels, seconds, loop), path_(std::move(path)) {}

  std::unique_ptr<SoundDecoder> OpenDecoder() const override {
    auto decoder = std::make_unique<OggDecoder>(Channels());
    if (!decoder->Open(path_)) return nullptr;
    return decoder;
  }

 private:
  std::string path_;
};

}  // namespace

SoundPtr LoadOggSound(const std::string& path, bool loop) {
  // Headers and the first packet are decoded now so a broken file is refused at load.
  OggDecoder probe(0);
  if (!probe.Open(path)) return nullptr;
  vorbis_info* info = ov_info(&probe.File(), -1);
  if (!info || info->channels < 1 || info->channels > kMaxChannels || info->rate <= 0) {
    return nullptr;
  }
  int16_t first[kMaxChannels];
  int bitstream = 0;
  if (ov_read(&probe.File(), reinterpret_cast<char*>(first), sizeof first, 0, 2, 1, &bitstream) <
      0) {
    return nullptr;
  }
  double seconds = ov_time_total(&probe.File(), -1);
  return std::make_shared<OggSound>(path, static_cast<int>(info->rate), info->channels,
                                    seconds > 0 ? seconds : 0, loop);
}

}  // namespace media
