// The effect language and the synthesiser's one-shot render: variants pick their own values,
// faults name their line, and whatever the layers do, an effect comes out levelled, under
// -3 dBFS, and starting and ending in silence.
#include "effect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render.h"
#include "synth.h"

namespace {

using sfxgen::Effect;
using sfxgen::ParseEffect;

std::optional<Effect> Parse(const std::string& text, int variant = 0) {
  std::string error;
  std::optional<Effect> effect = ParseEffect(text, variant, error);
  EXPECT_TRUE(effect.has_value()) << error;
  return effect;
}

std::string ErrorOf(const std::string& text, int variant = 0) {
  std::string error;
  EXPECT_FALSE(ParseEffect(text, variant, error).has_value());
  return error;
}

// Zero crossings per second over [from, to) seconds: twice the pitch of a plain tone.
double Crossings(const sfxgen::Samples& samples, double from, double to) {
  int count = 0;
  size_t first = static_cast<size_t>(from * musicgen::kSampleRate);
  size_t last = static_cast<size_t>(to * musicgen::kSampleRate);
  for (size_t i = first + 1; i < last; ++i) count += (samples[i - 1] < 0) != (samples[i] < 0);
  return count / (to - from);
}

TEST(EffectLanguage, VariantsPickTheirOwnAlternatives) {
  const std::string text =
      "# a knock\n"
      "variants 3\nlength 0.2\nloudness -20\necho 0.05 0.3 0.2\n"
      "layer wave=triangle note=c4|d4|e4 at=0.01 hold=0.03 gain=0.5\n"
      "layer wave=noise freq=100 filter=bandpass cutoff=900|1000|1100\n";
  auto first = Parse(text, 0), third = Parse(text, 2);
  ASSERT_TRUE(first && third);
  EXPECT_EQ(first->variants, 3);
  EXPECT_FLOAT_EQ(first->length, 0.2f);
  EXPECT_FLOAT_EQ(first->loudness, -20);
  EXPECT_FLOAT_EQ(first->echo.feedback, 0.3f);
  ASSERT_EQ(first->layers.size(), 2u);
  EXPECT_NEAR(first->layers[0].note.frequency, 261.63f, 0.01f);
  EXPECT_NEAR(third->layers[0].note.frequency, 329.63f, 0.01f);
  EXPECT_FLOAT_EQ(third->layers[0].at, 0.01f);
  EXPECT_FLOAT_EQ(third->layers[0].hold, 0.03f);
  EXPECT_FLOAT_EQ(first->layers[1].instrument.cutoff, 900);
  EXPECT_FLOAT_EQ(third->layers[1].instrument.cutoff, 1100);
  EXPECT_EQ(third->layers[1].instrument.filter, musicgen::FilterMode::kBandPass);
}

TEST(EffectLanguage, FaultsNameTheirLine) {
  EXPECT_EQ(ErrorOf("length 0.2\nlayer note=c4|d4\n"),
            "line 2: 'c4|d4' needs one value per variant (1)");
  EXPECT_EQ(ErrorOf("variants 2\nlayer note=c4|d4\n", 2), "line 2: there is no variant 3");
  EXPECT_EQ(ErrorOf("layer note=c4\nvariants 2\n"), "line 2: variants must come before the layers");
  EXPECT_EQ(ErrorOf("layer note=h4\n"), "line 1: bad layer setting 'note=h4'");
  EXPECT_EQ(ErrorOf("layer wave\n"), "line 1: 'wave' is not a key=value setting");
  EXPECT_EQ(ErrorOf("\n\nsong 3\n"), "line 3: unknown word 'song'");
  EXPECT_EQ(ErrorOf("length 9\n"), "line 1: length must be above 0 and at most 5.000000");
  EXPECT_EQ(ErrorOf("echo 0.1 1.5 0.2\n"),
            "line 1: echo takes seconds >= 0 and a feedback of 0-0.9");
  EXPECT_EQ(ErrorOf("length 0.3\n"), "the effect has no layer");
  EXPECT_EQ(ErrorOf("layer note=c4\n", 1), "there is no variant 2");
}

TEST(EffectRender, IsLevelledUnderTheCeilingAndStartsAndEndsInSilence) {
  // A square pushed hard and cut off while still loud: the worst case for peaks and clicks.
  auto loud = Parse("length 0.3\nloudness -6\nlayer wave=square note=a2 hold=1 drive=6\n");
  ASSERT_TRUE(loud);
  const sfxgen::Samples samples = sfxgen::RenderEffect(*loud, 0);
  ASSERT_EQ(samples.size(), static_cast<size_t>(0.3 * musicgen::kSampleRate));
  EXPECT_LE(sfxgen::Peak(samples), sfxgen::kPeakCeiling);
  // A tone that starts or stops at full level clicks; these come up from and go down to silence.
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_LT(std::fabs(samples[i]), 0.2f) << i;
    EXPECT_LT(std::fabs(samples[samples.size() - 1 - i]), 0.2f) << i;
  }
  EXPECT_EQ(samples.front(), 0.0f);
  EXPECT_EQ(samples.back(), 0.0f);

  // A plain tone reaches the loudness it asks for.
  auto soft = Parse("length 0.5\nloudness -24\nlayer wave=sine note=a4 hold=0.4 attack=0.01\n");
  ASSERT_TRUE(soft);
  EXPECT_NEAR(sfxgen::Loudness(sfxgen::RenderEffect(*soft, 0)), -24, 0.3);
}

TEST(EffectRender, GlideBendsThePitchAndEchoRepeatsTheSound) {
  auto glide = Parse(
      "length 0.6\nlayer wave=sine note=a3 hold=0.6 attack=0.001 sustain=1 glide=12 "
      "glidetime=0.3\n");
  ASSERT_TRUE(glide);
  const sfxgen::Samples bent = sfxgen::RenderEffect(*glide, 0);
  EXPECT_NEAR(Crossings(bent, 0.0, 0.02), 2 * 220.0, 2 * 220.0 * 0.15);
  EXPECT_NEAR(Crossings(bent, 0.35, 0.55), 2 * 440.0, 2 * 440.0 * 0.03);

  // A click at the start comes back a quarter of a second later, softer.
  auto echoed = Parse(
      "length 0.5\nloudness -40\necho 0.25 0 0.5\n"
      "layer wave=sine note=a4 hold=0.01 attack=0.001 decay=0.02 sustain=0 release=0.01\n");
  ASSERT_TRUE(echoed);
  const sfxgen::Samples samples = sfxgen::RenderEffect(*echoed, 0);
  const auto peakBetween = [&samples](double from, double to) {
    return sfxgen::Peak(sfxgen::Samples(samples.begin() + from * musicgen::kSampleRate,
                                        samples.begin() + to * musicgen::kSampleRate));
  };
  EXPECT_NEAR(peakBetween(0.25, 0.3) / peakBetween(0.0, 0.05), 0.5, 0.05);
  EXPECT_LT(peakBetween(0.1, 0.2), 0.001);
}

}  // namespace
