#include "media/trig_tables.h"

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

}  // namespace
