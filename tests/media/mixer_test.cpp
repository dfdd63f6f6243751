// The mixer as the game's effects need it: each sound starts at the volume and pan asked for; a
// stopped or displaced voice fades out instead of clicking; the oldest effect gives way when too
// many play, never the music; and a pile-up is limited, never clipped nor flattened.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "media/sound.h"
#include "support/wav_file.h"
#include "temp_dir.h"

namespace {

constexpr int kRate = media::kMixRate;
constexpr int kFadeFrames = kRate / 200;  // a stopped voice is silent within 5 ms
// The second frame of a sound started before a mix of kAfterStart frames; the first is its
// resampler's step up from silence.
constexpr int kAfterStart = media::kMixLatencyFrames + 2;
constexpr size_t kSecondFrame = 2 * (media::kMixLatencyFrames + 1);
constexpr float kCeiling = 0.944f * 32767;

std::vector<int16_t> Mix(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  media::MixAudio(out.data(), frames);
  return out;
}

// A mono sound holding one value for `frames` frames.
media::SoundPtr Constant(const TempDir& dir, const std::string& name, int frames, int16_t value,
                         int flags = 0) {
  WriteWav(dir.File(name), kRate, 1, std::vector<int16_t>(frames, value));
  return media::LoadSound(dir.File(name), flags);
}

int Loudest(const std::vector<int16_t>& out) {
  int loudest = 0;
  for (int16_t sample : out) loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
  return loudest;
}

TEST(Mixer, VolumeAndPanHoldFromTheFirstSample) {
  TempDir dir;
  media::SoundPtr sound = Constant(dir, "tone.wav", 1000, 10000);
  ASSERT_TRUE(sound);
  media::Channel hardLeft = media::PlaySound(sound, {0.5f, -1.0f});
  std::vector<int16_t> out = Mix(kAfterStart);
  EXPECT_EQ(out[kSecondFrame], 7071);  // half volume, the whole power on the left
  EXPECT_EQ(out[kSecondFrame + 1], 0);
  media::StopChannel(hardLeft);
  Mix(kFadeFrames);

  // A light pan keeps the power of the centre.
  media::Channel light = media::PlaySound(sound, {1.0f, 0.4f});
  out = Mix(kAfterStart);
  const double left = out[kSecondFrame], right = out[kSecondFrame + 1];
  EXPECT_LT(left, right);
  EXPECT_NEAR(left * left + right * right, 2.0 * 10000 * 10000, 2.0 * 10000 * 100);
  media::StopChannel(light);
  Mix(kFadeFrames);
}

TEST(Mixer, AStoppedVoiceFadesOutWithoutAStep) {
  TempDir dir;
  media::SoundPtr sound = Constant(dir, "long.wav", kRate, 10000);
  media::Channel channel = media::PlaySound(sound);
  Mix(10 + media::kMixLatencyFrames);
  media::StopChannel(channel);
  EXPECT_FALSE(media::ChannelPlaying(channel));  // stopped at once for the caller
  const std::vector<int16_t> out = Mix(2 * kFadeFrames);
  int previous = 10000;
  for (size_t i = 0; i < out.size(); i += 2) {
    EXPECT_LE(out[i], previous);
    EXPECT_LE(previous - out[i], 100) << "a step at frame " << i / 2;
    previous = out[i];
  }
  EXPECT_EQ(previous, 0);
}

TEST(Mixer, TheOldestEffectGivesWayButNeverTheMusic) {
  TempDir dir;
  media::SoundPtr music = Constant(dir, "music.wav", 100, 10, media::kSoundLoop);
  media::SoundPtr effect = Constant(dir, "effect.wav", kRate, 10);
  const media::Channel song = media::PlaySound(music);
  std::vector<media::Channel> effects;
  for (int i = 0; i <= media::kMostEffectVoices; ++i) effects.push_back(media::PlaySound(effect));
  EXPECT_TRUE(media::ChannelPlaying(song));
  EXPECT_FALSE(media::ChannelPlaying(effects.front()));
  for (size_t i = 1; i < effects.size(); ++i) EXPECT_TRUE(media::ChannelPlaying(effects[i])) << i;

  // Far more than the voices there are: still only the effects give way.
  for (int i = 0; i < 3 * media::kMostEffectVoices; ++i)
    effects.push_back(media::PlaySound(effect));
  EXPECT_TRUE(media::ChannelPlaying(song));
  EXPECT_TRUE(media::ChannelPlaying(effects.back()));
  media::StopChannel(song);
  for (const media::Channel& channel : effects) media::StopChannel(channel);
  Mix(kFadeFrames);
}

TEST(Mixer, TwentyFourEffectsAtOnceAreLimitedNotClipped) {
  TempDir dir;
  media::SoundPtr loud = Constant(dir, "loud.wav", kRate / 10, 23000);
  for (int i = 0; i < 24; ++i) media::PlaySound(loud);
  const std::vector<int16_t> pileUp = Mix(kRate / 10);
  EXPECT_LE(Loudest(pileUp), kCeiling);
  EXPECT_GT(Loudest(pileUp), 0.9f * kCeiling);  // ridden down, not silenced

  // A moment later the limiter has let go: a quiet sound comes out exactly as it is.
  Mix(kRate / 5);
  media::SoundPtr quiet = Constant(dir, "quiet.wav", 100, 1234);
  media::PlaySound(quiet);
  EXPECT_EQ(Mix(kAfterStart)[kSecondFrame], 1234);
  Mix(200);
}

// Three tones starting together at four times their level go far over full scale at once: they
// come out bent under the ceiling, and no wave top is pinned flat at one level on the way.
TEST(Mixer, ALoudOnsetIsBentUnderTheCeilingKeepingItsWaveTops) {
  TempDir dir;
  std::vector<int16_t> tone(kRate / 4);
  for (size_t i = 0; i < tone.size(); ++i) {
    tone[i] = static_cast<int16_t>(20000 * std::sin(2 * M_PI * 110 * double(i) / kRate));
  }
  WriteWav(dir.File("tone.wav"), kRate, 1, tone);
  media::SoundPtr sound = media::LoadSound(dir.File("tone.wav"));
  for (int i = 0; i < 3; ++i) media::PlaySound(sound, {media::kLoudestVolume, 0});
  const std::vector<int16_t> out = Mix(kRate / 4);
  EXPECT_LE(Loudest(out), kCeiling);
  EXPECT_GT(Loudest(out), 0.8f * kCeiling);
  int flatRuns = 0;
  int run = 1;
  for (size_t i = 2; i < out.size(); i += 2) {
    run = out[i] == out[i - 2] && std::abs(out[i]) > 0.7 * 32767 ? run + 1 : 1;
    flatRuns += run == 3;
  }
  EXPECT_EQ(flatRuns, 0);
  Mix(kRate / 5);
}

}  // namespace
