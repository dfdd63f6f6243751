// Bots press their players' own buttons through the input events a person's presses arrive by,
// and leave the winner picture with a key.
#include "game/bots.h"

#include <gtest/gtest.h>

#include "media/input.h"

namespace {

TEST(Bots, ButtonsReachTheInputAsMouseJoystickOrKeyEvents) {
  media::InputState input;
  game::PressButton(input, 2, true);
  EXPECT_EQ(input.MouseDown(2), 1);
  game::PressButton(input, 612, true);  // port 1, button 12
  EXPECT_EQ(input.JoystickDown(12, 1), 1);
  game::PressButton(input, 81, true);
  EXPECT_EQ(input.KeyDown(81), 1);
  game::PressButton(input, 81, false);
  EXPECT_EQ(input.KeyDown(81), 0);
}

// Any key ends the wait; a bot on a mouse button taps Enter instead.
TEST(Bots, TheWinnerPictureIsLeftWithATapAfterAMoment) {
  game::Bots bots(1, 5);
  media::InputState input;
  bots.Feed(input, 1000);
  bots.WaitingForKey(1000);
  bots.Feed(input, 1100);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 0);
  bots.Feed(input, 1400);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 1);
  bots.Feed(input, 1401);
  EXPECT_EQ(input.KeyDown(media::kKeyEnter), 0);  // released, to be tapped again if missed
  bots.Feed(input, 2200);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 1);
}

TEST(Bots, NoBotsPressNothing) {
  game::Bots bots(0, 5);
  media::InputState input;
  bots.WaitingForKey(0);
  bots.Feed(input, 5000);
  for (int key = 1; key < media::kKeyCodes; ++key) EXPECT_EQ(input.KeyHit(key), 0);
}

}  // namespace
