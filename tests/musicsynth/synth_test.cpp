// The score language and the synthesiser's loop: notes land where the score puts them, and
// sound that rings past the loop's end comes back at its start.
#include "synth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "score.h"

namespace {

using musicgen::ParseScore;
using musicgen::Score;

std::optional<Score> Parse(const std::string& text) {
  std::string error;
  std::optional<Score> score = ParseScore(text, error);
  EXPECT_TRUE(score.has_value()) << error;
  return score;
}

std::string ErrorOf(const std::string& text) {
  std::string error;
  EXPECT_FALSE(ParseScore(text, error).has_value());
  return error;
}

TEST(ScoreLanguage, HoldsChordsAccentsRestsAndRepeatsLandOnTheirSteps) {
  auto score = Parse(
      "steps 2\nmeter 2\nbars 5\n"
      "instrument lead wave=square gain=0.3\n"
      "instrument drum wave=noise pitch=60\n"
      "pattern tune lead\n  a4 - - c#5+e5! | . bb3' . .\nend\n"
      "pattern hit drum\n  x . . .\nend\n"
      "track tune rest hit*2\n");
  ASSERT_TRUE(score);
  EXPECT_EQ(score->Steps(), 20);
  ASSERT_EQ(score->notes.size(), 6u);
  const auto& n = score->notes;
  EXPECT_EQ(n[0].step, 0);
  EXPECT_EQ(n[0].length, 3);  // a4 held twice
  EXPECT_NEAR(n[0].frequency, 440.0f, 0.01f);
  EXPECT_EQ(n[1].step, 3);
  EXPECT_EQ(n[2].step, 3);  // the chord's two notes start together
  EXPECT_NEAR(n[1].frequency, 554.37f, 0.01f);
  EXPECT_FLOAT_EQ(n[1].velocity, 1.0f);
  EXPECT_NEAR(n[3].frequency, 233.08f, 0.01f);
  EXPECT_FLOAT_EQ(n[3].velocity, 0.5f);
  EXPECT_EQ(n[3].step, 5);
  EXPECT_EQ(n[4].step, 12);  // after 8 steps of tune and a silent bar of 4
  EXPECT_EQ(n[5].step, 16);
  EXPECT_FLOAT_EQ(n[4].frequency, 60.0f);
}

TEST(ScoreLanguage, FaultsNameTheirLine) {
  EXPECT_EQ(ErrorOf("tempo 100\nbogus 3\n"), "line 2: unknown word 'bogus'");
  EXPECT_NE(ErrorOf("instrument a wave=sine\npattern p a\n h9 .\nend\ntrack p\n").find("line 5"),
            std::string::npos);
  EXPECT_NE(ErrorOf("bars 1\ninstrument a\npattern p a\n a4 . . . . .\nend\ntrack p p p p\n")
                .find("longer than the song"),
            std::string::npos);
  EXPECT_NE(ErrorOf("instrument a\npattern p a\n a4\n").find("has no end"), std::string::npos);
  EXPECT_NE(ErrorOf("instrument a wave=organ\n").find("line 1"), std::string::npos);
  EXPECT_NE(ErrorOf("tempo 0.01\n").find("ten minutes"), std::string::npos);
}

TEST(ScoreLanguage, SharpsAreNotComments) {
  auto score = Parse("instrument a\npattern p a  # the tune\n g#4 .  # sharp\nend\ntrack p\n");
  ASSERT_TRUE(score);
  ASSERT_EQ(score->notes.size(), 1u);
  EXPECT_NEAR(score->notes[0].frequency, 415.30f, 0.01f);
}

// A note started on the loop's last step rings on into the loop's first frames.
TEST(SynthLoop, SoundPastTheEndWrapsToTheStart) {
  auto score = Parse(
      "tempo 120\nsteps 1\nmeter 4\nbars 1\nroom 0\necho 1 0\n"
      "instrument a wave=sine attack=0.001 decay=0.1 sustain=1 release=0.3 gain=0.5\n"
      "pattern p a\n . . . a4\nend\ntrack p\n");
  ASSERT_TRUE(score);
  musicgen::StereoLoop loop = musicgen::RenderScore(*score);
  ASSERT_EQ(loop.size(), 2u * 88200u);  // four beats at 120 bpm
  float startPeak = 0, middlePeak = 0;
  for (size_t f = 0; f < 2000; ++f) startPeak = std::max(startPeak, std::fabs(loop[2 * f]));
  for (size_t f = 30000; f < 32000; ++f) middlePeak = std::max(middlePeak, std::fabs(loop[2 * f]));
  EXPECT_GT(startPeak, 0.05f);
  EXPECT_LT(middlePeak, 1e-4f);
}

TEST(SynthLoop, LevellingReachesTheTargetLoudness) {
  auto score = Parse(
      "bars 2\ninstrument a wave=saw\npattern p a\n a3 - - - e4 - - - a3 - - - c4 - - -\nend\n"
      "track p p\n");
  ASSERT_TRUE(score);
  musicgen::StereoLoop loop = musicgen::RenderScore(*score);
  musicgen::Level(loop, 0.14f);
  EXPECT_NEAR(musicgen::Rms(loop), 0.14f, 0.014f);
  for (float sample : loop) ASSERT_LE(std::fabs(sample), 1.0f);
}

}  // namespace
