// What the join page makes of typed text: exactly four letters of the codes' alphabet are a room
// code, anything else an address, so a machine named like a code is reached with its port.
#include "menu/join_reading.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinReading, FourLettersOfTheCodesAlphabetAreACodeInAnyCase) {
  for (const char* typed : {"KXRT", "kxrt", "  KxRt ", "casa"}) {
    const JoinReading reading = ReadJoinText(typed);
    ASSERT_TRUE(reading.code) << typed;
    EXPECT_FALSE(reading.address) << typed;
  }
  EXPECT_EQ(ReadJoinText(" casa").Text(), "Código de sala CASA");
}

// A name with a port, a dot, a digit or a letter no code uses is an address; so is any length
// but four.
TEST(JoinReading, ANameWithAPortOrADotOrOutsideTheAlphabetIsAnAddress) {
  const struct {
    const char* typed;
    const char* reads;
  } cases[] = {
      {"casa:27315", "Dirección casa:27315"},
      {"casa.lan", "Dirección casa.lan:27315"},
      {"192.168.1.20", "Dirección 192.168.1.20:27315"},
      {" 10.0.0.5:4000 ", "Dirección 10.0.0.5:4000"},
      {"lola", "Dirección lola:27315"},  // L and O never appear in a code
      {"cas4", "Dirección cas4:27315"},
      {"casas", "Dirección casas:27315"},
      {"kxr", "Dirección kxr:27315"},
  };
  for (const auto& [typed, reads] : cases) {
    const JoinReading reading = ReadJoinText(typed);
    EXPECT_FALSE(reading.code) << typed;
    EXPECT_EQ(reading.Text(), reads) << typed;
  }
}

TEST(JoinReading, TextThatIsNeitherReadsAsNothing) {
  for (const char* typed : {"", "   ", "casa:", "casa:0", "casa:99999", "ca sa", "a:b:c"}) {
    const JoinReading reading = ReadJoinText(typed);
    EXPECT_FALSE(reading.code) << typed;
    EXPECT_FALSE(reading.address) << typed;
    EXPECT_EQ(reading.Text(), "") << typed;
  }
}

}  // namespace
