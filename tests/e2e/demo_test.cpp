// The demo as a person meets it: left alone for 90 s, the main menu gives way to a match of four
// bots; a press takes them back to the menu at once, which starts counting afresh; the settings
// file is the same before and after.
#include <gtest/gtest.h>

#include "core/top_level_state.h"
#include "session.h"

namespace {

using namespace e2e;

constexpr int kDemoAfterMs = 90000;
constexpr int kFrameMs = 17;

std::string FileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

const TraceFrame* FirstAfter(const std::vector<TraceFrame>& frames, int ms) {
  for (const TraceFrame& frame : frames) {
    if (frame.t > ms) return &frame;
  }
  return nullptr;
}

TEST(Demo, StartsAfterNinetySecondsAloneAndAnyPressEndsItAtOnce) {
  Session session;
  std::ofstream("wtf.cfg", std::ios::binary)
      .write(
          "\x02\0\0\0\x07\0\0\0\x08\0\0\0"
          "\xe9\x03\0\0\x5a\0\0\0\x50\0\0\0\x4d\0\0\0",
          28);
  const std::string settings = FileText("wtf.cfg");
  // The pointer moves at 40 s, which restarts the count; a key ends the first demo, a joystick
  // button the second, and then the menu still answers a click.
  Script script;
  script.Raw("40000 mouse 700 50\n");
  const int firstDemo = 40000 + kDemoAfterMs;
  script.Key(firstDemo + 20000, kKeyEnter);
  const int secondDemo = firstDemo + 20000 + kDemoAfterMs;
  script.Raw(std::to_string(secondDemo + 5000) + " joy 0 3 down\n");
  script.ClickButton(secondDemo + 7000, kQuit.x, kQuit.y)
      .ClickButton(secondDemo + 8500, kYes.x, kYes.y);
  ASSERT_EQ(session.Run(script, 400, "demo"), 0) << session.Output("demo");
  EXPECT_EQ(StatesSeen(session.frames),
            (std::vector<int>{kStateMenu, kStateDemo, kStateMenu, kStateDemo, kStateMenu}));

  const TraceFrame* first = FirstIn(session.frames, kStateDemo);
  ASSERT_NE(first, nullptr);
  EXPECT_GE(first->t, firstDemo);
  EXPECT_LT(first->t, firstDemo + 3 * kFrameMs);
  EXPECT_EQ(first->players.size(), 4u);  // four bots, whatever the settings' two
  const TraceFrame* after = FirstAfter(session.frames, firstDemo + 20000);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->state, kStateMenu);
  EXPECT_LT(after->t, firstDemo + 20000 + 2 * kFrameMs);

  const TraceFrame* second = FirstIn(session.frames, kStateDemo, after->t);
  ASSERT_NE(second, nullptr);
  EXPECT_GE(second->t, secondDemo);
  EXPECT_LT(second->t, secondDemo + 3 * kFrameMs);
  EXPECT_EQ(FirstAfter(session.frames, secondDemo + 5000)->state, kStateMenu);
  EXPECT_EQ(FileText("wtf.cfg"), settings);
}

}  // namespace
