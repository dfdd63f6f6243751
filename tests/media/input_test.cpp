#include "media/input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "following_source.h"
#include "media/backend.h"
#include "media/headless_backend.h"
#include "media/system.h"
#include "temp_dir.h"

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

// The source runs after the script's events of the same pump and gets the virtual time.
TEST(InputSource, FollowsTheHeadlessScriptInTheSamePump) {
  TempDir dir;
  std::ofstream(dir.File("input.txt")) << "10 key 65 down\n20 key 65 up\n";
  media::HeadlessOptions options;
  options.inputScript = dir.File("input.txt");
  media::UseBackend(media::MakeHeadlessBackend(options));
  media::Input() = media::InputState();
  auto source = std::make_shared<FollowingSource>();
  media::UseInputSource(source);
  EXPECT_EQ(media::KeyDown(FollowingSource::kFollower), 0);
  media::Sleep(10);
  EXPECT_EQ(media::KeyDown(FollowingSource::kFollower), 1);
  media::Sleep(10);
  EXPECT_EQ(media::KeyDown(FollowingSource::kFollower), 0);
  EXPECT_EQ(media::KeyHit(FollowingSource::kFollower), 1);
  EXPECT_EQ(source->fedAt, (std::vector<uint32_t>{0, 10, 20, 20}));
  media::UseInputSource(nullptr);
  media::KeyHit(FollowingSource::kLeader);
  EXPECT_EQ(source->fedAt.size(), 4u);
  media::UseBackend(nullptr);
}

}  // namespace
