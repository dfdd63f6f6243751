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
}

TEST(MatchOptions, LevelsPlayersAndBotsOutsideTheirRangesAreRefused) {
  for (const char* match : {"3:2", "-1:2", "0:1", "0:5", "0", "0:", ":2", "a:b", "1:2:3"}) {
    EXPECT_FALSE(Parse({"--match", match})) << match;
  }
  for (const char* bots : {"0", "5", "x"}) EXPECT_FALSE(Parse({"--bots", bots})) << bots;
  EXPECT_FALSE(Parse({"--bots"}));
}

}  // namespace
