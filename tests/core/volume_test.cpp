// The volume sliders as heard: one curve for music and effects, silent at 0, rising evenly in
// loudness, the defaults a few steps under the top.
#include "core/volume.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Decibels(float level) {
  return 20 * std::log10(level);
}

TEST(VolumeCurve, SilentAtZeroAndRisingAllTheWayToTheTop) {
  EXPECT_EQ(VolumeCurve(0), 0.0f);
  EXPECT_EQ(MusicLevel(0), 0.0f);
  EXPECT_EQ(EffectsLevel(0), 0.0f);
  EXPECT_EQ(VolumeCurve(-3), 0.0f);
  EXPECT_EQ(VolumeCurve(100), 1.0f);
  EXPECT_EQ(VolumeCurve(250), 1.0f);
  for (int setting = 1; setting <= kMaxVolume; ++setting) {
    EXPECT_GT(VolumeCurve(setting), VolumeCurve(setting - 1)) << setting;
  }
}

// Each halving of the setting is the same step down in level wherever it starts, and the music
// and the effects keep one balance at every setting: one curve for both sliders.
TEST(VolumeCurve, EvenInDecibelsAndTheSameForMusicAndEffects) {
  for (int setting : {100, 80, 50, 20, 10}) {
    EXPECT_NEAR(Decibels(VolumeCurve(setting)) - Decibels(VolumeCurve(setting / 2)), 12.04, 0.6)
        << setting;
    EXPECT_NEAR(Decibels(EffectsLevel(setting)) - Decibels(MusicLevel(setting)),
                Decibels(EffectsLevel(kDefaultVolume)) - Decibels(MusicLevel(kDefaultVolume)), 1e-3)
        << setting;
  }
}

// The middle of the slider is a comfortable level under the defaults, and the top leaves room
// over them without being a different world.
TEST(VolumeCurve, TheMiddleSitsUnderTheDefaultsAndTheTopSixDecibelsOver) {
  const double atDefault = Decibels(VolumeCurve(kDefaultVolume));
  EXPECT_NEAR(Decibels(VolumeCurve(kMaxVolume)) - atDefault, 6, 0.5);
  EXPECT_NEAR(atDefault - Decibels(VolumeCurve(kMaxVolume / 2)), 6, 0.5);
}

}  // namespace
