#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace musicgen {
namespace {

constexpr int kChannels = 2;
constexpr size_t kChunkFrames = 4096;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Owns the libvorbis and libogg state of one encoding.
class Encoder {
 public:
  Encoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~Encoder() {
    if (started_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }

  bool Start(std::FILE* file) {
    if (vorbis_encode_init_vbr(&info_, kChannels, kSampleRate, kVorbisQuality) != 0) return false;
    vorbis_comment_add_tag(&comment_, "TITLE", "SKULLGNAWER");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, kStreamSerial);
    started_ = true;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream_, &header);
    ogg_stream_packetin(&stream_, &commentHeader);
    ogg_stream_packetin(&stream_, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) WritePage(file, page);
    return true;
  }

  // Feeds frames; zero frames marks the end of the stream.
  void Feed(std::FILE* file, const float* interleaved, size_t frames) {
    if (frames > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
      for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < kChannels; ++c) buffer[c][f] = interleaved[kChannels * f + c];
    }
    vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
    Drain(file);
  }

  bool failed = false;

 private:
  void Drain(std::FILE* file) {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) WritePage(file, page);
      }
    }
    ogg_page page;
    if (ogg_stream_eos(&stream_))
      while (ogg_stream_flush(&stream_, &page) != 0) WritePage(file, page);
  }

  void WritePage(std::FILE* file, const ogg_page& page) {
    if (std::fwrite(page.header, 1, page.header_len, file) != static_cast<size_t>(page.header_len))
      failed = true;
    if (std::fwrite(page.body, 1, page.body_len, file) != static_cast<size_t>(page.body_len))
      failed = true;
  }

  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  bool started_ = false;
};

}  // namespace

bool WriteOggVorbis(const std::string& path, const StereoLoop& samples, std::string& error) {
  File file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  Encoder encoder;
  if (!encoder.Start(file.get())) {
    error =
        "the Vorbis encoder refused 44.1 kHz stereo at quality " + std::to_string(kVorbisQuality);
    return false;
  }
  size_t frames = samples.size() / kChannels;
  for (size_t at = 0; at < frames; at += kChunkFrames)
    encoder.Feed(file.get(), samples.data() + kChannels * at, std::min(kChunkFrames, frames - at));
  encoder.Feed(file.get(), nullptr, 0);
  if (encoder.failed || std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace musicgen
