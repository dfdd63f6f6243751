#include "media/sound.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "media/sound_source.h"
#include "support/wav_file.h"
#include "temp_dir.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFadeFrames = kRate / 200;  // a stopped voice is silent within 5 ms

// A 16-bit PCM WAV whose every sample is `value`, with a chunk the loader must step over.
void WriteWav(const std::string& path, int rate, int channels, int frames, int16_t value) {
  ::WriteWav(path, rate, channels, std::vector<int16_t>(frames * channels, value),
             std::string("LIST\3\0\0\0abc\0", 12));
}

void WritePages(std::ofstream& out, ogg_stream_state& stream, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
  }
}

// A stereo OGG Vorbis file of a 440 Hz sine at half amplitude.
void WriteOgg(const std::string& path, int frames) {
  vorbis_info info;
  vorbis_info_init(&info);
  ASSERT_EQ(vorbis_encode_init_vbr(&info, 2, kRate, 0.3f), 0);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 7);
  ogg_packet header, commentPacket, codebook;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebook);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentPacket);
  ogg_stream_packetin(&stream, &codebook);
  std::ofstream out(path, std::ios::binary);
  WritePages(out, stream, true);

  float** buffer = vorbis_analysis_buffer(&dsp, frames);
  for (int i = 0; i < frames; ++i) {
    buffer[0][i] = buffer[1][i] = 0.5f * std::sin(2 * 3.14159265f * 440 * i / kRate);
  }
  vorbis_analysis_wrote(&dsp, frames);
  vorbis_analysis_wrote(&dsp, 0);
  ogg_packet packet;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&stream, &packet);
      WritePages(out, stream, false);
    }
  }
  WritePages(out, stream, true);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}

std::vector<int16_t> Mix(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  media::MixAudio(out.data(), frames);
  return out;
}

TEST(Sound, WavIsResampledAndFollowsItsVolume) {
  TempDir dir;
  WriteWav(dir.File("half.wav"), kRate / 2, 1, 1000, 1000);
  media::SoundPtr sound = media::LoadSound(dir.File("half.wav"));
  ASSERT_TRUE(sound);
  EXPECT_NEAR(media::SoundSeconds(sound), 1000.0 / (kRate / 2), 1e-9);

  media::Channel channel = media::PlaySound(sound);
  EXPECT_TRUE(media::ChannelPlaying(channel));
  std::vector<int16_t> out = Mix(100);
  EXPECT_EQ(out[100], 1000);  // mono on both sides
  EXPECT_EQ(out[101], 1000);
  media::SetChannelVolume(channel, 0.5f);
  Mix(media::kMixLatencyFrames);
  EXPECT_EQ(Mix(1)[0], 500);
  media::SetChannelVolume(channel, 7);
  EXPECT_EQ(media::ChannelVolume(channel), media::kLoudestVolume);

  // 1000 frames at half the rate last about 2000 output frames, then the channel ends.
  Mix(1800);
  EXPECT_TRUE(media::ChannelPlaying(channel));
  out = Mix(200);
  EXPECT_FALSE(media::ChannelPlaying(channel));
  EXPECT_EQ(out.back(), 0);
}

TEST(Sound, LoopingSoundRestartsAndChannelsAreMixed) {
  TempDir dir;
  WriteWav(dir.File("short.wav"), kRate, 2, 100, 11000);
  media::SoundPtr looping = media::LoadSound(dir.File("short.wav"), media::kSoundLoop);
  media::SoundPtr once = media::LoadSound(dir.File("short.wav"));
  ASSERT_TRUE(looping && once);
  media::Channel first = media::PlaySound(looping);
  media::Channel second = media::PlaySound(once);
  std::vector<int16_t> out = Mix(50);
  EXPECT_EQ(out[40], 22000);  // two voices, still under the limiter's knee
  media::SetChannelVolume(first, 0.25f);
  media::SetChannelVolume(second, 0.25f);
  Mix(media::kMixLatencyFrames);
  EXPECT_EQ(Mix(1)[0], 5500);
  out = Mix(1000);
  EXPECT_TRUE(media::ChannelPlaying(first));
  EXPECT_FALSE(media::ChannelPlaying(second));
  EXPECT_EQ(out.back(), 2750);
  media::StopChannel(first);
  EXPECT_FALSE(media::ChannelPlaying(first));
  out = Mix(kFadeFrames);
  EXPECT_GT(out[0], 0);  // it fades rather than stops dead
  EXPECT_EQ(out.back(), 0);
}

TEST(Sound, StaleChannelHandleLeavesTheNewSoundAlone) {
  TempDir dir;
  WriteWav(dir.File("tone.wav"), kRate, 1, 5000, 100);
  media::SoundPtr sound = media::LoadSound(dir.File("tone.wav"));
  media::Channel old = media::PlaySound(sound);
  media::StopChannel(old);
  Mix(kFadeFrames);  // a stopped voice keeps its slot while it fades out
  media::Channel fresh = media::PlaySound(sound);
  ASSERT_EQ(fresh.slot, old.slot);  // the slot is reused...
  media::StopChannel(old);          // ...but the old handle no longer reaches it
  media::SetChannelVolume(old, 0);
  EXPECT_TRUE(media::ChannelPlaying(fresh));
  EXPECT_EQ(media::ChannelVolume(fresh), 1.0f);
  EXPECT_EQ(media::ChannelVolume(old), 0.0f);
  media::StopChannel(fresh);
  Mix(kFadeFrames);

  media::Channel none = media::PlaySound(nullptr);
  EXPECT_FALSE(media::ChannelPlaying(none));
  media::StopChannel(none);
}

// Whether the audio thread could mix right now: another thread mixes one frame, which needs the
// voices' lock. The deadline is reached only when the lock stays taken.
bool MixerFree() {
  auto mixed = std::make_shared<std::promise<void>>();
  std::future<void> done = mixed->get_future();
  std::thread([mixed] {
    int16_t frame[2];
    media::MixAudio(frame, 1);
    mixed->set_value();
  }).detach();
  return done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

struct Closes {
  int count = 0;
  int whileMixing = 0;
};

// A few mono frames of one value; each decoder, as it closes, notes whether the mixer was free.
class WatchedSound : public media::Sound {
 public:
  static constexpr int kFrames = 8;
  static constexpr int16_t kValue = 1234;
  explicit WatchedSound(std::shared_ptr<Closes> closes)
      : Sound(kRate, 1, static_cast<double>(kFrames) / kRate, false), closes_(std::move(closes)) {}
  std::unique_ptr<media::SoundDecoder> OpenDecoder() const override {
    return std::make_unique<Decoder>(closes_);
  }

 private:
  class Decoder : public media::SoundDecoder {
   public:
    explicit Decoder(std::shared_ptr<Closes> closes) : closes_(std::move(closes)) {}
    ~Decoder() override {
      ++closes_->count;
      if (!MixerFree()) ++closes_->whileMixing;
    }
    int Read(int16_t* out, int frames) override {
      const int count = std::min(frames, kFrames - position_);
      std::fill_n(out, count, kValue);
      position_ += count;
      return count;
    }
    bool Rewind() override {
      position_ = 0;
      return true;
    }

   private:
    std::shared_ptr<Closes> closes_;
    int position_ = 0;
  };

  std::shared_ptr<Closes> closes_;
};

// The audio thread never waits for a file to close: a finished voice's decoder, and a stopped
// channel's once it has faded out, are replaced when their slot is reused and close with the
// mixer free, and the sound started in their place plays on.
TEST(Sound, DecodersCloseOutsideTheMixersLock) {
  auto closes = std::make_shared<Closes>();
  auto sound = std::make_shared<WatchedSound>(closes);
  for (int round = 0; round < 4; ++round) {
    const media::Channel channel = media::PlaySound(sound);
    ASSERT_TRUE(media::ChannelPlaying(channel));
    EXPECT_EQ(Mix(media::kMixLatencyFrames + 2)[2 * (media::kMixLatencyFrames + 1)],
              WatchedSound::kValue);
    Mix(WatchedSound::kFrames);
    EXPECT_FALSE(media::ChannelPlaying(channel));
  }
  media::StopChannel(media::PlaySound(sound));
  Mix(kFadeFrames);
  EXPECT_TRUE(media::ChannelPlaying(media::PlaySound(sound)));  // in the faded voice's slot
  Mix(WatchedSound::kFrames);
  EXPECT_GE(closes->count, 5);
  EXPECT_EQ(closes->whileMixing, 0);
}

TEST(Sound, OggIsDecodedWhilePlaying) {
  TempDir dir;
  std::string path = dir.File("sine.ogg");
  WriteOgg(path, kRate);
  media::SoundPtr sound = media::LoadSound(path, media::kSoundLoop);
  ASSERT_TRUE(sound);
  EXPECT_NEAR(media::SoundSeconds(sound), 1.0, 0.01);
  media::Channel channel = media::PlaySound(sound);
  Mix(2000);  // past the encoder's fade-in
  std::vector<int16_t> out = Mix(kRate / 10);
  double power = 0;
  for (int16_t sample : out) power += static_cast<double>(sample) * sample;
  double rms = std::sqrt(power / out.size());
  EXPECT_NEAR(rms, 0.5 * 32767 / std::sqrt(2.0), 1500);
  Mix(kRate * 2);  // loops over its end
  EXPECT_TRUE(media::ChannelPlaying(channel));
  media::StopChannel(channel);
}

TEST(Sound, MissingOrBrokenFilesGiveNoSound) {
  TempDir dir;
  EXPECT_FALSE(media::LoadSound(dir.File("nothing.ogg")));
  std::ofstream(dir.File("text.wav")) << "not a sound at all";
  EXPECT_FALSE(media::LoadSound(dir.File("text.wav")));

  WriteOgg(dir.File("whole.ogg"), kRate / 4);
  std::ifstream whole(dir.File("whole.ogg"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  std::ofstream(dir.File("cut.ogg"), std::ios::binary) << bytes.substr(0, 100);
  EXPECT_FALSE(media::LoadSound(dir.File("cut.ogg")));

  WriteWav(dir.File("whole.wav"), kRate, 1, 1000, 1);
  std::ifstream wav(dir.File("whole.wav"), std::ios::binary);
  std::string wavBytes((std::istreambuf_iterator<char>(wav)), std::istreambuf_iterator<char>());
  std::ofstream(dir.File("cut.wav"), std::ios::binary) << wavBytes.substr(0, 60);
  EXPECT_FALSE(media::LoadSound(dir.File("cut.wav")));
}

}  // namespace
