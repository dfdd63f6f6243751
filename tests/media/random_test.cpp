#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "media/system.h"

namespace {

// The generator worked out with plain 64-bit arithmetic instead of the layer's overflow-free form.
struct Reference {
  int64_t state = 4660;
  int64_t Step() { return state = 48271 * state % 2147483647; }
  double Fraction() {
    int64_t first = Step();
    int64_t second = Step();
    return ((first & 0x1ffffffc) + (second & 0x1ffffff8) / 134217728.0) / 536870912.0;
  }
};

TEST(Random, InitialSequenceMatchesTheMinimalStandardSteps) {
  media::SeedRandom(0);
  // Steps from 4660: 224942860, 539475828, 650989866, 1951098782.
  double first = ((224942860 & 0x1ffffffc) + (539475828 & 0x1ffffff8) / 134217728.0) / 536870912.0;
  double second =
      ((650989866 & 0x1ffffffc) + (1951098782 & 0x1ffffff8) / 134217728.0) / 536870912.0;
  EXPECT_EQ(media::RandomFraction(), first);
  EXPECT_EQ(media::RandomFraction(), second);

  Reference reference;
  media::SeedRandom(0);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(media::RandomFraction(), reference.Fraction()) << i;
}

TEST(Random, StallingSeedsFallBackToTheInitialState) {
  for (int32_t seed : {0, -1, INT32_MAX, INT32_MIN}) {
    media::SeedRandom(seed);
    Reference reference;
    EXPECT_EQ(media::RandomFraction(), reference.Fraction()) << seed;
  }
  media::SeedRandom(-5);  // masked to 0x7ffffffb
  Reference reference{0x7ffffffb};
  EXPECT_EQ(media::RandomFraction(), reference.Fraction());
}

TEST(Random, RangesIncludeBothEndsInEitherOrder) {
  media::SeedRandom(12345);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    int value = media::RandomInt(3, 1);
    ASSERT_GE(value, 1);
    ASSERT_LE(value, 3);
    seen.insert(value);
    ASSERT_EQ(media::RandomInt(5, 5), 5);
    double f = media::RandomFloat(0, 1);
    ASSERT_GE(f, 0);
    ASSERT_LT(f, 1);
    double g = media::RandomFloat(10, -10);
    ASSERT_GE(g, -10);
    ASSERT_LT(g, 10);
  }
  EXPECT_EQ(seen.size(), 3u);
}

}  // namespace
