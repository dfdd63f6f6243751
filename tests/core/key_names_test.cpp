#include "core/key_names.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class KeyNamesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildKeyNames(); }
};

TEST_F(KeyNamesTest, TableNamesMouseKeysAndRuns) {
  EXPECT_EQ(KeyName(1), "Raton IZQDA");
  EXPECT_EQ(KeyName(3), "Raton CENTRO");
  EXPECT_EQ(KeyName(27), "Escape");
  EXPECT_EQ(KeyName(48), "0");
  EXPECT_EQ(KeyName(57), "9");
  EXPECT_EQ(KeyName(65), "A");
  EXPECT_EQ(KeyName(90), "Z");
  EXPECT_EQ(KeyName(96), "Numpad 0");
  EXPECT_EQ(KeyName(105), "Numpad 9");
  EXPECT_EQ(KeyName(112), "F1");
  EXPECT_EQ(KeyName(123), "F12");
  EXPECT_EQ(KeyName(226), "<");
}

TEST_F(KeyNamesTest, OddEntriesKeptAsTheyAre) {
  EXPECT_EQ(KeyName(107), "'");
  EXPECT_EQ(KeyName(108), "Numpad /");
  EXPECT_EQ(KeyName(111), "Numpad /");
  // Non-ASCII names are single Latin-1 bytes for the bitmap font.
  EXPECT_EQ(KeyName(109), "\xA1");
  EXPECT_EQ(KeyName(186), "\xE7");
  EXPECT_EQ(KeyName(192), "\xBA");
  EXPECT_EQ(KeyName(222), "\xB4");
}

TEST_F(KeyNamesTest, JoystickCodesNamePortAndButton) {
  EXPECT_EQ(KeyName(500), "Joy 0 Button 0");
  EXPECT_EQ(KeyName(605), "Joy 1 Button 5");
  EXPECT_EQ(KeyName(731), "Joy 2 Button 31");
}

// A computer seat is named by its strength, not as the joystick its number would otherwise be.
TEST_F(KeyNamesTest, ComputerSeatsAreNamedByTheirStrength) {
  EXPECT_EQ(KeyName(1000),
            "CPU f\xE1"
            "cil");
  EXPECT_EQ(KeyName(1001), "CPU normal");
  EXPECT_EQ(KeyName(1002),
            "CPU dif\xED"
            "cil");
  EXPECT_EQ(KeyName(999), "Joy 4 Button 99");
  EXPECT_EQ(KeyName(1003), "Joy 5 Button 3");
}

TEST_F(KeyNamesTest, CodesTheTableDoesNotNameShowTheirNumber) {
  EXPECT_EQ(keyNames[4], "");
  EXPECT_EQ(KeyName(4), "Tecla 4");
  EXPECT_EQ(KeyName(0), "Tecla 0");
  EXPECT_EQ(KeyName(227), "Tecla 227");
  EXPECT_EQ(KeyName(255), "Tecla 255");
  EXPECT_EQ(KeyName(499), "Tecla 499");
  EXPECT_EQ(KeyName(-1), "Tecla -1");
  EXPECT_EQ(KeyName(INT_MIN), "Tecla " + std::to_string(INT_MIN));
  EXPECT_EQ(KeyName(INT_MAX).rfind("Joy ", 0), 0u);
}

}  // namespace
