// How a match ends, through the headless runner from the menu: left with Escape while paused or
// while it is being decided, the next match and the tutorial still move; and when the last two
// players are caught in the same frame the match ends as a draw and a key returns to the menu.
#include <gtest/gtest.h>

#include "entities/jugador.h"
#include "session.h"

namespace {

using namespace e2e;

constexpr float kGroundY = 475;

// The frames of every visit to a top-level state, in order.
std::vector<std::vector<TraceFrame>> Visits(const std::vector<TraceFrame>& frames, int state) {
  std::vector<std::vector<TraceFrame>> visits;
  int previous = -1;
  for (const TraceFrame& frame : frames) {
    if (frame.state == state) {
      if (previous != state) visits.emplace_back();
      visits.back().push_back(frame);
    }
    previous = frame.state;
  }
  return visits;
}

// Player 1 jumps again and again from `from` to `to`.
Script& KeepJumping(Script& script, int from, int to) {
  for (int ms = from; ms < to; ms += 1000) script.Key(ms, kKeyPlayerOne, 200);
  return script;
}

bool PlayerOneRose(const std::vector<TraceFrame>& visit) {
  for (const TraceFrame& frame : visit) {
    if (frame.players.count(0) && frame.players.at(0).y < kGroundY - 20) return true;
  }
  return false;
}

// When player `slot` was first out of the match, or -1.
int OutAt(const std::vector<TraceFrame>& frames, int slot) {
  for (const TraceFrame& frame : frames) {
    const auto player = frame.players.find(slot);
    if (player != frame.players.end() && player->second.state == kPlayerOut) return frame.t;
  }
  return -1;
}

// The first match's start in a probe run, and whether player 1 stands right of player 2. The probe
// chooses at 1000, so a later choice at C starts its match at C + t - 1000: a second after that
// is C + t.
struct MatchStart {
  int t = 0;
  bool playerOneRight = false;
};

MatchStart ProbeMatchStart(Session& session) {
  Script probe;
  Choose(probe, 1000, kForest);
  EXPECT_EQ(session.Run(probe, 6, "probe"), 0);
  const TraceFrame* begun = FirstIn(session.frames, 1);
  if (!begun || begun->players.size() != 2) {
    ADD_FAILURE() << "no two-player match in the probe";
    return {};
  }
  return {begun->t, begun->players.at(0).x > begun->players.at(1).x};
}

TEST(MatchEnd, PausedAndLeftTheNextMatchAndTheTutorialStillMove) {
  Session session;
  const MatchStart start = ProbeMatchStart(session);
  ASSERT_GT(start.t, 0);

  // Pause and leave; a second match from the menu, jumps, pause and leave; the tutorial, jumps.
  Script script;
  Choose(script, 1000, kForest);
  script.Key(start.t + 500, kKeyF10).Key(start.t + 1000, kKeyEscape);
  const int second = start.t + 3000;
  Choose(script, second, kForest);
  KeepJumping(script, second + start.t, second + start.t + 4000);
  script.Key(second + start.t + 4500, kKeyF10).Key(second + start.t + 5000, kKeyEscape);
  const int tutorial = second + start.t + 7000;
  Choose(script, tutorial, kTutorial);
  KeepJumping(script, tutorial + start.t, tutorial + start.t + 4000);
  script.Key(tutorial + start.t + 4500, kKeyEscape);
  QuitFromTheMenu(script, tutorial + start.t + 6500);
  ASSERT_EQ(session.Run(script, 120, "paused"), 0) << session.Output("paused");
  ASSERT_EQ(StatesSeen(session.frames), (std::vector<int>{0, 1, 0, 1, 0, 3, 0}));

  const auto matches = Visits(session.frames, 1);
  EXPECT_TRUE(PlayerOneRose(matches[1])) << "the match after a paused one stands still";
  EXPECT_TRUE(PlayerOneRose(Visits(session.frames, 3)[0]))
      << "the tutorial after a paused match stands still";
}

TEST(MatchEnd, LeftWhileTheFieldDarkensTheNextMatchStillMoves) {
  Session session;
  const MatchStart start = ProbeMatchStart(session);
  ASSERT_GT(start.t, 0);
  const std::string knock = KnockPlayerTwo(start.t, start.playerOneRight);
  Script untilOut;
  Choose(untilOut, 1000, kForest).Raw(knock);
  ASSERT_EQ(session.Run(untilOut, 15, "knock"), 0);
  const int out = OutAt(session.frames, 1);
  ASSERT_GT(out, 0) << "player 2 was never caught";

  // Escape half-way through the 1.2 s darkening.
  Script script;
  Choose(script, 1000, kForest).Raw(knock);
  script.Key(out + 600, kKeyEscape);
  const int second = out + 2500;
  Choose(script, second, kForest);
  KeepJumping(script, second + start.t, second + start.t + 4000);
  script.Key(second + start.t + 4500, kKeyEscape);
  QuitFromTheMenu(script, second + start.t + 6500);
  ASSERT_EQ(session.Run(script, 120, "darkening"), 0) << session.Output("darkening");
  ASSERT_EQ(StatesSeen(session.frames), (std::vector<int>{0, 1, 0, 1, 0}));
  const auto matches = Visits(session.frames, 1);
  EXPECT_LT(matches[0].back().t, out + 1200) << "left before the winner was shown";
  EXPECT_TRUE(PlayerOneRose(matches[1])) << "the match after a decided one stands still";
}

// Both players crouch and slide left; the one further right starts earlier, catches up and the
// two reach the horde side by side.
constexpr int kCatchUpMs = 1160;

TEST(MatchEnd, TheLastTwoCaughtTogetherIsADrawAndAKeyReturnsToTheMenu) {
  Session session;
  const MatchStart start = ProbeMatchStart(session);
  ASSERT_GT(start.t, 0);
  const int right = start.playerOneRight ? kKeyPlayerOne : kKeyPlayerTwo;
  const int left = start.playerOneRight ? kKeyPlayerTwo : kKeyPlayerOne;
  Script script;
  Choose(script, 1000, kForest);
  script.Key(start.t + 100, right, 4000).Key(start.t + 100 + kCatchUpMs, left, 4000);
  const int anyKeyAt = start.t + 8000;
  script.Key(anyKeyAt, kKeyEnter);
  QuitFromTheMenu(script, anyKeyAt + 2000);
  ASSERT_EQ(session.Run(script, 120, "draw"), 0) << session.Output("draw");

  const int out = OutAt(session.frames, 0);
  ASSERT_GT(out, 0);
  ASSERT_EQ(OutAt(session.frames, 1), out) << "the two were not caught in the same frame";
  ASSERT_LT(out + 1200 + 1000, anyKeyAt);
  EXPECT_EQ(StatesSeen(session.frames), (std::vector<int>{0, 1, 0}));
  const auto match = Visits(session.frames, 1).at(0);
  EXPECT_GE(match.back().t, out + 1200) << "the field darkens first";
  // Nobody walks to the centre: both lie where the horde caught them.
  EXPECT_LT(match.back().players.at(0).x, 100);
  EXPECT_LT(match.back().players.at(1).x, 100);
  const TraceFrame* menu = FirstIn(session.frames, 0, out);
  ASSERT_NE(menu, nullptr);
  EXPECT_GE(menu->t, anyKeyAt);
  EXPECT_LT(menu->t, anyKeyAt + 500);
}

}  // namespace
