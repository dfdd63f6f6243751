#include "core/key_names.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class KeyNamesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { BuildKeyNames(); }
};

TEST_F(KeyNamesTest, TableNamesMouseKeysAndRuns) {
  EXPECT_EQ(KeyName(1), "Clic izquierdo");
  EXPECT_EQ(KeyName(3), "Clic central");
  EXPECT_EQ(KeyName(27), "Esc");
  EXPECT_EQ(KeyName(48), "0");
  EXPECT_EQ(KeyName(57), "9");
  EXPECT_EQ(KeyName(65), "A");
  EXPECT_EQ(KeyName(90), "Z");
  EXPECT_EQ(KeyName(96), "Num 0");
  EXPECT_EQ(KeyName(105), "Num 9");
  EXPECT_EQ(KeyName(106), "Num *");
  EXPECT_EQ(KeyName(112), "F1");
  EXPECT_EQ(KeyName(123), "F12");
  EXPECT_EQ(KeyName(135), "F24");
  EXPECT_EQ(KeyName(226), "<");
}

// Spanish throughout, with its accents as single Latin-1 bytes for the bitmap font, and the signs
// of a Spanish keyboard where its layout puts them.
TEST_F(KeyNamesTest, NamesAreSpanishWithTheirAccents) {
  EXPECT_EQ(KeyName(20), "Bloq May\xFAs");
  EXPECT_EQ(KeyName(33), "Re P\xE1g");
  EXPECT_EQ(KeyName(161), "May\xFAs derecha");
  EXPECT_EQ(KeyName(163), "Ctrl derecha");
  EXPECT_EQ(KeyName(165), "Alt Gr");
  EXPECT_EQ(KeyName(93), "Men\xFA");
  EXPECT_EQ(KeyName(186), "\xD1");
  EXPECT_EQ(KeyName(187), "\xA1");
  EXPECT_EQ(KeyName(192), "\xBA");
  EXPECT_EQ(KeyName(220), "\xC7");
  EXPECT_EQ(KeyName(222), "\xB4");
  for (int code = 0; code < 1100; ++code) {
    const std::string name = KeyName(code);
    for (const char* english : {"Raton", "Numpad", "key", "Key", "Shift", "Lock", "Caps", "Joy",
                                "Button", "Scroll", "DCH", "IZQ", "Escape"}) {
      EXPECT_EQ(name.find(english), std::string::npos) << code << ": " << name;
    }
  }
}

TEST_F(KeyNamesTest, JoystickCodesNamePadAndButtonCountingFromOne) {
  EXPECT_EQ(KeyName(500), "Mando 1 bot\xF3n 1");
  EXPECT_EQ(KeyName(605), "Mando 2 bot\xF3n 6");
  EXPECT_EQ(KeyName(731), "Mando 3 bot\xF3n 32");
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
  EXPECT_EQ(KeyName(999), "Mando 5 bot\xF3n 100");
  EXPECT_EQ(KeyName(1003), "Mando 6 bot\xF3n 4");
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
  EXPECT_EQ(KeyName(INT_MAX).rfind("Mando ", 0), 0u);
}

}  // namespace
