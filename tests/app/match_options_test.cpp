// The runner's options for playing a match straight away with bots, drawn or not.
#include <gtest/gtest.h>

#include "app/runner_options.h"

namespace {

std::optional<app::RunnerOptions> Parse(const std::vector<std::string>& args) {
  std::string error;
  return app::ParseRunnerOptions(args, error);
}

TEST(MatchOptions, AMatchWithBotsAndWithoutDrawing) {
  const auto options = Parse({"--match", "2:3", "--no-draw", "--bots", "4", "--seconds", "5"});
  ASSERT_TRUE(options);
  ASSERT_TRUE(options->match);
  EXPECT_EQ(options->match->level, 2);
  EXPECT_EQ(options->match->players, 3);
  EXPECT_EQ(options->bots, 4);
  EXPECT_FALSE(options->draw);
  EXPECT_EQ(options->seconds, 5);

  const auto plain = Parse({});
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->match);
  EXPECT_EQ(plain->bots, 0);
  EXPECT_TRUE(plain->draw);
  EXPECT_FALSE(plain->seed);

  const auto seeded = Parse({"--match", "0:2", "--seed", "-17"});
  ASSERT_TRUE(seeded);
  EXPECT_EQ(seeded->seed, -17);
}

TEST(MatchOptions, LevelsPlayersAndBotsOutsideTheirRangesAreRefused) {
  for (const char* match : {"3:2", "-1:2", "0:1", "0:5", "0", "0:", ":2", "a:b", "1:2:3"}) {
    EXPECT_FALSE(Parse({"--match", match})) << match;
  }
  for (const char* bots : {"0", "5", "x"}) EXPECT_FALSE(Parse({"--bots", bots})) << bots;
  EXPECT_FALSE(Parse({"--bots"}));
  for (const char* seed : {"x", "1.5", "99999999999"}) EXPECT_FALSE(Parse({"--seed", seed}));
}

TEST(MatchOptions, HostingOrJoiningAndTheirLocalPlayers) {
  const auto host = Parse({"--host", "--local", "2", "--match", "1:4"});
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->networked);
  EXPECT_TRUE(host->network.hosting);
  EXPECT_EQ(host->network.port, 27315);
  EXPECT_EQ(host->network.localPlayers, 2);
  const auto anyPort = Parse({"--host", "0"});
  ASSERT_TRUE(anyPort);
  EXPECT_EQ(anyPort->network.port, 0);

  const auto join = Parse({"--local", "3", "--join", "192.168.1.20:4000", "--nudge-after", "40"});
  ASSERT_TRUE(join);
  EXPECT_FALSE(join->network.hosting);
  EXPECT_EQ(join->network.host.Text(), "192.168.1.20:4000");
  EXPECT_EQ(join->network.localPlayers, 3);
  EXPECT_EQ(join->network.nudgeAfter, 40u);

  // The windowed program takes the network options and --match, and nothing meant for tests.
  std::string error;
  EXPECT_TRUE(app::ParseRunnerOptions({"--join", "example.org", "--local", "2"}, error, true));
  EXPECT_FALSE(app::ParseRunnerOptions({"--join", "example.org", "--no-draw"}, error, true));

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--host", "70000"},
                                             {"--join"},
                                             {"--join", "host:0"},
                                             {"--local", "2"},
                                             {"--host", "--local", "5"},
                                             {"--host", "--bots", "2"},
                                             {"--host", "--seed", "3"}}) {
    EXPECT_FALSE(Parse(bad)) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
  }
}

// Rolling back is the default; --lockstep plays the old way. The host alone chooses both the way
// and the delay for every machine, so a joiner asking for either is told so.
TEST(MatchOptions, RollbackOrLockstepAndTheHostsInputDelay) {
  const auto host = Parse({"--host", "--input-delay", "3", "--confirmed-trace", "c.jsonl"});
  ASSERT_TRUE(host);
  EXPECT_FALSE(host->network.lockstep);
  EXPECT_EQ(host->network.inputDelay, 3);
  EXPECT_NE(host->confirmedTraceFile.find("c.jsonl"), std::string::npos);
  const auto join = Parse({"--join", "127.0.0.1"});
  ASSERT_TRUE(join);
  EXPECT_FALSE(join->network.lockstep);
  EXPECT_EQ(join->network.inputDelay, 0);

  std::string error;
  const auto lockstep =
      app::ParseRunnerOptions({"--host", "--lockstep", "--input-delay", "2"}, error, true);
  ASSERT_TRUE(lockstep);
  EXPECT_TRUE(lockstep->network.lockstep);
  EXPECT_FALSE(Parse({"--join", "127.0.0.1", "--input-delay", "2"}));
  EXPECT_FALSE(app::ParseRunnerOptions({"--join", "127.0.0.1", "--lockstep"}, error, true));
  EXPECT_NE(error.find("--lockstep goes with --host"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"--lockstep"}));
  const auto held = Parse({"--join", "127.0.0.1", "--hold-packets", "30:800"});
  ASSERT_TRUE(held);
  EXPECT_EQ(held->network.holdFrame, 30u);
  EXPECT_EQ(held->network.holdMs, 800);
  for (const char* hold : {"30:0", "30", ":800", "x:1"}) {
    EXPECT_FALSE(Parse({"--host", "--hold-packets", hold})) << hold;
  }
  EXPECT_FALSE(Parse({"--hold-packets", "30:800"}));
  for (const char* delay : {"0", "11", "-1", "x"}) {
    EXPECT_FALSE(Parse({"--host", "--input-delay", delay})) << delay;
  }
}

}  // namespace
