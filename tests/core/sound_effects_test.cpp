// The game's sound effects as the rest of the game meets them: the volume they play at, what a
// missing or damaged file says, where on the field an effect sounds, and that choosing between
// takes never touches the match's random numbers.
#include "core/sound_effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/volume.h"
#include "media/system.h"
#include "support/scratch_folder.h"
#include "support/wav_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;

std::string Loaded() {
  testing::internal::CaptureStderr();
  LoadSoundEffects();
  return testing::internal::GetCapturedStderr();
}

// A long tone for the hit and two short ones for the takes of the jump; every other effect is
// missing.
class SomeEffects : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("sfx");
    WriteWav("sfx/hit.wav", kRate, 1, std::vector<int16_t>(kRate, 10000));
    WriteWav("sfx/jump-1.wav", kRate, 1, std::vector<int16_t>(100, 4000));
    WriteWav("sfx/jump-2.wav", kRate, 1, std::vector<int16_t>(100, 8000));
    complaints = Loaded();
    SetSoundEffectsVolume(100);
  }
  void TearDown() override {
    std::vector<int16_t> out(2 * kRate);
    media::MixAudio(out.data(), kRate);  // lets the tones end
    SetSoundEffectsVolume(kDefaultVolume);
  }

  InScratchFolder folder;
  std::string complaints;
};

TEST(SoundEffectFiles, AMissingFolderIsSaidOnceAndTheGameGoesOn) {
  InScratchFolder folder;
  EXPECT_EQ(Loaded(),
            "AVISO : falta la carpeta de efectos de sonido sfx/; el juego sigue sin ellos\n");
  EXPECT_FALSE(media::ChannelPlaying(PlaySoundEffect(SoundEffect::kJump)));
}

TEST_F(SomeEffects, EachMissingOrDamagedFileIsNamed) {
  EXPECT_EQ(complaints.find("sfx/hit.wav"), std::string::npos);
  EXPECT_NE(complaints.find("AVISO : efecto de sonido sfx/walker-2.wav no encontrado"),
            std::string::npos);
  EXPECT_NE(complaints.find("sfx/catch.wav no encontrado"), std::string::npos);

  std::ofstream("sfx/catch.wav") << "RIFF, but no sound at all";
  EXPECT_NE(Loaded().find("AVISO : efecto de sonido sfx/catch.wav dañado"), std::string::npos);
  EXPECT_TRUE(media::ChannelPlaying(PlaySoundEffect(SoundEffect::kHit)));
  EXPECT_FALSE(media::ChannelPlaying(PlaySoundEffect(SoundEffect::kCatch)));
}

TEST_F(SomeEffects, PlaysAtTheSettingsVolumeOrItsOwnAndNothingAtZero) {
  EXPECT_FLOAT_EQ(media::ChannelVolume(PlaySoundEffect(SoundEffect::kHit)), EffectsLevel(100));
  EXPECT_FLOAT_EQ(media::ChannelVolume(PlaySoundEffectAt(SoundEffect::kHit, 25)), EffectsLevel(25));
  SetSoundEffectsVolume(0);
  EXPECT_FALSE(media::ChannelPlaying(PlaySoundEffect(SoundEffect::kHit)));
}

TEST_F(SomeEffects, SoundsOnTheSideOfWhatMakesItButNeverOnOneSideAlone) {
  for (const float x : {0.0f, 800.0f}) {
    const media::Channel channel = PlaySoundEffect(SoundEffect::kHit, x);
    std::vector<int16_t> out(2 * 100);
    media::MixAudio(out.data(), 100);
    media::StopChannel(channel);
    const int near = x < kMidScreenX ? out[198] : out[199];
    const int far = x < kMidScreenX ? out[199] : out[198];
    EXPECT_GT(near, far) << x;
    EXPECT_GT(far, near / 3) << x;
  }
}

// Both takes of the jump are heard, picked by a stream of the effects' own.
TEST_F(SomeEffects, TakesArePickedWithoutDrawingOnTheMatchsRandomNumbers) {
  media::SeedRandom(1234);
  const double first = media::RandomFraction();
  media::SeedRandom(1234);
  int heard = 0;
  ListenToSoundEffects([&heard](SoundEffect, float, int) { ++heard; });
  std::set<int16_t> takes;
  SetSoundEffectsVolume(kDefaultVolume);  // both takes under the mixer's limiter
  for (int i = 0; i < 10; ++i) {
    PlaySoundEffect(SoundEffect::kJump);
    std::vector<int16_t> out(2 * 200);
    media::MixAudio(out.data(), 200);
    takes.insert(static_cast<int16_t>(
        std::lround(out[2 * (media::kMixLatencyFrames + 1)] / EffectsLevel(kDefaultVolume))));
  }
  ListenToSoundEffects(nullptr);
  EXPECT_EQ(media::RandomFraction(), first);
  EXPECT_EQ(takes, (std::set<int16_t>{4000, 8000}));
  EXPECT_EQ(heard, 10);
}

}  // namespace
