#include "media/trig.h"

#include <gtest/gtest.h>

namespace {

// Entries are indexed by tenths of a degree, with 90 degrees pointing down the screen.
TEST(TrigTables, IndexIsTenthsOfADegree) {
  FillTrigTables();
  EXPECT_FLOAT_EQ(sinTable[0], 0);
  EXPECT_FLOAT_EQ(cosTable[0], 1);
  EXPECT_FLOAT_EQ(sinTable[300], 0.5f);
  EXPECT_FLOAT_EQ(sinTable[900], 1);
  EXPECT_NEAR(cosTable[900], 0, 1e-7);
  EXPECT_FLOAT_EQ(cosTable[1800], -1);
  EXPECT_FLOAT_EQ(sinTable[2700], -1);
  EXPECT_NEAR(sinTable[kTrigSteps - 1], -0.00174533f, 1e-7);
}

// Quarter turns come out exact, so an image turned by 90 degrees lands on whole pixels and a dive
// straight down has no sideways drift; other angles agree with the tables the skeletons use.
TEST(TrigTables, QuarterTurnsAreExactAndAnglesAgreeEverywhere) {
  FillTrigTables();
  for (const float degrees : {-270.0f, -90.0f, 0.0f, 90.0f, 180.0f, 270.0f, 450.0f}) {
    const float cosine = media::CosDegrees(degrees), sine = media::SinDegrees(degrees);
    EXPECT_TRUE(cosine == 0 || cosine == 1 || cosine == -1) << degrees;
    EXPECT_TRUE(sine == 0 || sine == 1 || sine == -1) << degrees;
    EXPECT_EQ(cosine * cosine + sine * sine, 1) << degrees;
  }
  for (int degrees = 0; degrees < 360; ++degrees) {
    EXPECT_EQ(media::SinDegrees(degrees), sinTable[degrees * 10]) << degrees;
    EXPECT_EQ(media::CosDegrees(degrees), cosTable[degrees * 10]) << degrees;
  }
}

}  // namespace
