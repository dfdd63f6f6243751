#include "media/input.h"

#include <gtest/gtest.h>

namespace {

TEST(InputState, KeyHitsCountPressesAndResetOnQuery) {
  media::InputState input;
  input.KeyEvent(media::kKeySpace, true);
  input.KeyEvent(media::kKeySpace, true);  // still held: not a new press
  input.KeyEvent(media::kKeySpace, false);
  input.KeyEvent(media::kKeySpace, true);
  EXPECT_EQ(input.KeyDown(media::kKeySpace), 1);
  EXPECT_EQ(input.KeyHit(media::kKeySpace), 2);
  EXPECT_EQ(input.KeyHit(media::kKeySpace), 0);
  EXPECT_EQ(input.KeyDown(media::kKeySpace), 1);
  EXPECT_EQ(input.KeyHit(-1), 0);
  EXPECT_EQ(input.KeyDown(300), 0);
}

TEST(InputState, FlushKeysClearsHitsHeldStatesAndTypedCharacters) {
  media::InputState input;
  input.KeyEvent(media::kKeyA, true);
  input.CharEvent('a');
  input.FlushKeys();
  EXPECT_EQ(input.KeyHit(media::kKeyA), 0);
  EXPECT_EQ(input.KeyDown(media::kKeyA), 0);
  EXPECT_EQ(input.NextChar(), 0);
}

TEST(InputState, CharacterQueueKeepsOrderAndDropsOverflow) {
  media::InputState input;
  for (int i = 0; i < media::kCharQueueSize + 10; ++i) input.CharEvent(1 + i % 200);
  for (int i = 0; i < media::kCharQueueSize; ++i) ASSERT_EQ(input.NextChar(), 1 + i % 200);
  EXPECT_EQ(input.NextChar(), 0);
}

TEST(InputState, MouseAndJoystickButtons) {
  media::InputState input;
  input.MouseMove(799, 599);
  input.MouseButtonEvent(2, true);
  input.MouseButtonEvent(4, true);
  EXPECT_EQ(input.MouseX(), 799);
  EXPECT_EQ(input.MouseY(), 599);
  EXPECT_EQ(input.MouseDown(2), 1);
  EXPECT_EQ(input.MouseHit(2), 1);
  EXPECT_EQ(input.MouseHit(2), 0);
  EXPECT_EQ(input.MouseHit(4), 0);
  input.MouseButtonEvent(1, true);
  input.FlushMouse();
  EXPECT_EQ(input.MouseHit(1), 0);
  EXPECT_EQ(input.MouseDown(1), 0);

  input.JoystickButtonEvent(1, 3, true);
  input.JoystickButtonEvent(1, 3, false);
  EXPECT_EQ(input.JoystickDown(3, 1), 0);
  EXPECT_EQ(input.JoystickHit(3, 1), 1);
  EXPECT_EQ(input.JoystickHit(3, 1), 0);
  EXPECT_EQ(input.JoystickHit(3, media::kJoystickPorts), 0);
}

}  // namespace
