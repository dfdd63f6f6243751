// Whole sessions as a player would have them, through the headless runner: the tutorial from the
// menu to its free play and back, and a session of a two-player match to a winner, the tutorial
// and quitting. The runs are deterministic (the random generator is seeded from the virtual
// clock), so a short first run finds out when play starts and where the players stand.
#include "session.h"

#include <gtest/gtest.h>

#include <set>

#include "entities/jugador.h"

namespace {

using namespace e2e;

// Steps 10-50 run 20.5 s on their timers, then Enter for 62, 71 and 82; 90-100 run 7 s, Enter for
// 112; 120-140 run 15 s to the free play.
Script& EnterAtEveryWait(Script& script, int start) {
  for (int ms : {22000, 23500, 25000, 34000}) script.Key(start + ms, kKeyEnter);
  return script;
}

TEST(Session, TheTutorialFromTheMenuThroughFreePlayAndBack) {
  Session session;
  Script probe;
  Choose(probe, 1000, kTutorial);
  ASSERT_EQ(session.Run(probe, 6, "probe"), 0);
  const TraceFrame* begun = FirstIn(session.frames, 3);
  ASSERT_NE(begun, nullptr);
  const int start = begun->t;

  Script script;
  Choose(script, 1000, kTutorial);
  EnterAtEveryWait(script, start);
  script.Key(start + 52000, kKeyEscape);
  QuitFromTheMenu(script, start + 54000);
  ASSERT_EQ(session.Run(script, 120, "tutorial"), 0) << session.Output("tutorial");
  EXPECT_EQ(session.Output("tutorial"), "");
  EXPECT_EQ(StatesSeen(session.frames), (std::vector<int>{0, 3, 0}));

  const TraceFrame* first = FirstIn(session.frames, 3);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->players.size(), 1u);
  EXPECT_EQ(first->players.at(0).x, 400);
  bool partner = false, knocked = false;
  const TraceFrame* last = first;
  for (const TraceFrame& frame : session.frames) {
    if (frame.state != 3) continue;
    partner |= frame.players.size() == 2;
    knocked |= frame.players.at(0).state == kKnocked;
    last = &frame;
  }
  EXPECT_TRUE(partner);
  EXPECT_TRUE(knocked);
  // Free play for four at the end, nobody out.
  ASSERT_EQ(last->players.size(), 4u);
  for (const auto& [slot, player] : last->players) EXPECT_NE(player.state, kPlayerOut) << slot;
  // Back at the menu the field is empty; the quit ends the program well before its limit.
  for (const TraceFrame& frame : session.frames) {
    if (frame.t > last->t) {
      ASSERT_TRUE(frame.players.empty()) << frame.t;
    }
  }
  EXPECT_LT(session.frames.back().t, start + 60000);
}

TEST(Session, SplashMenuMatchToAWinnerTutorialAndQuit) {
  Session session;
  Script probe;
  Choose(probe, 1000, kForest);
  ASSERT_EQ(session.Run(probe, 6, "probe"), 0);
  const TraceFrame* begun = FirstIn(session.frames, 1);
  ASSERT_NE(begun, nullptr);
  ASSERT_EQ(begun->players.size(), 2u);
  const int start = begun->t;
  const bool fromTheRight = begun->players.at(0).x > begun->players.at(1).x;

  Script script;
  Choose(script, 1000, kForest).Raw(KnockPlayerTwo(start, fromTheRight));
  script.Key(start + 14000, kKeyEnter);  // any key after the winner picture
  Choose(script, start + 16000, kTutorial);
  script.Key(start + 24000, kKeyEscape);
  QuitFromTheMenu(script, start + 26000);
  ASSERT_EQ(session.Run(script, 120, "session"), 0) << session.Output("session");
  EXPECT_EQ(session.Output("session"), "");
  EXPECT_EQ(StatesSeen(session.frames), (std::vector<int>{0, 1, 0, 3, 0}));

  // The match: player 2 is caught by the horde, player 1 glides to the centre as the winner.
  const TraceFrame* lastOfMatch = nullptr;
  for (const TraceFrame& frame : session.frames) {
    if (frame.state == 1) lastOfMatch = &frame;
  }
  ASSERT_NE(lastOfMatch, nullptr);
  EXPECT_EQ(lastOfMatch->players.at(1).state, kPlayerOut);
  EXPECT_NE(lastOfMatch->players.at(0).state, kPlayerOut);
  EXPECT_FLOAT_EQ(lastOfMatch->players.at(0).x, 400);
  EXPECT_FLOAT_EQ(lastOfMatch->players.at(0).y, 300);
  // The tutorial starts with one player; the menu frames have none.
  const TraceFrame* tutorial = FirstIn(session.frames, 3);
  ASSERT_NE(tutorial, nullptr);
  EXPECT_EQ(tutorial->players.size(), 1u);
  for (const TraceFrame& frame : session.frames) {
    if (frame.state == 0) {
      ASSERT_TRUE(frame.players.empty()) << frame.t;
    }
  }
  EXPECT_LT(session.frames.back().t, start + 30000);
}

// --match on its own plays the same match every run; --seed N plays match N, the same each time
// it is asked for and another for another N.
TEST(Session, ASeededMatchRepeatsAndAnotherSeedPlaysAnotherMatch) {
  Session session;
  const auto trace = [&session](const std::string& name, const std::vector<std::string>& seed) {
    std::vector<std::string> options = {"--match", "0:3", "--bots", "3", "--no-draw"};
    options.insert(options.end(), seed.begin(), seed.end());
    EXPECT_EQ(session.Run(Script(), 14, name, options), 0) << session.Output(name);
    std::ifstream file(Session::Here() / (name + ".jsonl"));
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  const std::string plain = trace("plain", {});
  EXPECT_EQ(trace("plain-again", {}), plain);
  const std::string one = trace("seed-1", {"--seed", "1"});
  EXPECT_EQ(trace("seed-1-again", {"--seed", "1"}), one);
  const std::string two = trace("seed-2", {"--seed", "2"});
  EXPECT_NE(one, plain);
  EXPECT_NE(two, one);
  EXPECT_NE(two, plain);
}

}  // namespace
