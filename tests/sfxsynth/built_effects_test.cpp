// The effects the build makes for the game: every one the game asks for is there and loads,
// each is mono CD-rate audio, short, under -3 dBFS and silent at its edges; the field's effects
// share one loudness while the menu's are softer and the horde's catch is the loudest; no two
// effects sound alike; and the build makes them byte for byte the same every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/sound_effects.h"
#include "render.h"
#include "support/scratch_folder.h"
#include "support/sound_print.h"
#include "support/wav_file.h"

namespace {

namespace fs = std::filesystem;

const fs::path kBuilt = fs::path(SKULL_BUILD_DIR) / "sfx";
const fs::path kSources = fs::path(SKULL_SOURCE_DIR) / "assets" / "sounds";

// Every built file by its stem ("jump-1"), read back.
std::map<std::string, WavSamples> BuiltEffects() {
  std::map<std::string, WavSamples> effects;
  for (const auto& entry : fs::directory_iterator(kBuilt)) {
    if (entry.path().extension() == ".wav") {
      effects[entry.path().stem().string()] = ReadWav(entry.path().string());
    }
  }
  return effects;
}

// "jump-1" and "jump-2" are both takes of "jump".
std::string EffectOf(const std::string& stem) {
  const size_t dash = stem.rfind('-');
  return dash == std::string::npos ? stem : stem.substr(0, dash);
}

float Loudness(const WavSamples& wav) {
  return sfxgen::Loudness(wav.Mono());
}

TEST(BuiltEffects, TheGameFindsEveryEffectItPlays) {
  const fs::path here = fs::current_path();
  fs::current_path(SKULL_BUILD_DIR);
  testing::internal::CaptureStderr();
  LoadSoundEffects();
  const std::string complaints = testing::internal::GetCapturedStderr();
  fs::current_path(here);
  EXPECT_EQ(complaints, "");
  // And nothing is built that has no description behind it.
  for (const auto& [stem, wav] : BuiltEffects()) {
    EXPECT_TRUE(fs::exists(kSources / (EffectOf(stem) + ".sfx"))) << stem;
  }
}

TEST(BuiltEffects, AreShortMonoAndQuietAtTheirEdgesWithHeadroom) {
  const auto effects = BuiltEffects();
  ASSERT_GE(effects.size(), static_cast<size_t>(SoundEffect::kCount));
  for (const auto& [stem, wav] : effects) {
    ASSERT_EQ(wav.rate, 44100) << stem;
    ASSERT_EQ(wav.channels, 1) << stem;
    const bool long_ = stem == "catch" || stem == "win" || stem == "draw" || stem == "sting";
    EXPECT_LE(wav.Frames(), (long_ ? 2.0 : 0.5) * wav.rate) << stem;
    const std::vector<float> mono = wav.Mono();
    EXPECT_LE(sfxgen::Peak(mono), 0.7079f) << stem << " peaks above -3 dBFS";
    EXPECT_EQ(wav.samples.front(), 0) << stem;
    EXPECT_EQ(wav.samples.back(), 0) << stem;
  }
}

TEST(BuiltEffects, FieldEffectsShareALoudnessMenusAreSofterAndTheCatchIsLoudest) {
  const auto effects = BuiltEffects();
  float fieldLoudest = -100, fieldSoftest = 0;
  for (const char* stem : {"charge", "jump-1", "arrow", "dive", "land-1", "hit", "clash", "trip",
                           "hammer-1", "getup", "walker-1", "thrown", "tick"}) {
    ASSERT_TRUE(effects.count(stem)) << stem;
    fieldLoudest = std::max(fieldLoudest, Loudness(effects.at(stem)));
    fieldSoftest = std::min(fieldSoftest, Loudness(effects.at(stem)));
  }
  EXPECT_LT(fieldLoudest - fieldSoftest, 4.5f);
  for (const char* stem : {"hover", "click", "open", "close"}) {
    EXPECT_LT(Loudness(effects.at(stem)), fieldSoftest) << stem;
  }
  for (const auto& [stem, wav] : effects) {
    if (stem != "catch") {
      EXPECT_LT(Loudness(wav), Loudness(effects.at("catch"))) << stem;
    }
  }
}

TEST(BuiltEffects, NoTwoEffectsSoundAlikeWhileTheirTakesDo) {
  std::vector<std::pair<std::string, SoundPrint>> prints;
  for (const auto& [stem, wav] : BuiltEffects()) prints.emplace_back(stem, SoundPrint(wav.Mono()));
  for (size_t a = 0; a < prints.size(); ++a) {
    for (size_t b = a + 1; b < prints.size(); ++b) {
      const double likeness = SoundPrint::Likeness(prints[a].second, prints[b].second);
      const bool takes = EffectOf(prints[a].first) == EffectOf(prints[b].first);
      if (takes) {
        EXPECT_GT(likeness, 0.8) << prints[a].first << " and " << prints[b].first;
      } else {
        EXPECT_LT(likeness, 0.8) << prints[a].first << " and " << prints[b].first;
      }
    }
  }
}

TEST(BuiltEffects, TheBuildIsDeterministicAndNamesAFaultyDescription) {
  ScratchFolder folder;
  const std::string tool = std::string(SKULL_BUILD_DIR) + "/tools/sfxgen/sfxgen";
  for (const char* name : {"hammer", "catch"}) {
    const std::string source = (kSources / (std::string(name) + ".sfx")).string();
    ASSERT_EQ(std::system((tool + " " + source + " " + folder.Path().string()).c_str()), 0);
  }
  const auto bytes = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  for (const char* file : {"hammer-1.wav", "hammer-3.wav", "catch.wav"}) {
    EXPECT_EQ(bytes(folder.Path() / file), bytes(kBuilt / file)) << file;
  }

  const fs::path broken = folder.Path() / "broken.sfx";
  std::ofstream(broken) << "length 0.2\nlayer wave=sine note=c4|d4\n";
  const fs::path log = folder.Path() / "log.txt";
  EXPECT_NE(std::system(
                (tool + " " + broken.string() + " " + folder.Path().string() + " 2>" + log.string())
                    .c_str()),
            0);
  const std::string message = bytes(log);
  EXPECT_NE(message.find("broken.sfx: line 2"), std::string::npos) << message;
}

}  // namespace
