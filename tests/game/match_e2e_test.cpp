// A whole match through the headless runner: `--match 0:2` with a script in which player 1 knocks
// player 2 down, player 2 drifts into the horde and dies, player 1 is presented as the winner and
// a key ends the match and the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/match_data.h"
#include "support/subprocess.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kRunner = std::string(SKULL_BUILD_DIR) + "/skullgnawer-headless";

struct TraceFrame {
  int t = 0;
  std::map<int, std::pair<int, std::pair<float, float>>> players;  // slot → state, (x, y)
  int State(int slot) const { return players.at(slot).first; }
  float X(int slot) const { return players.at(slot).second.first; }
  float Y(int slot) const { return players.at(slot).second.second; }
};

std::vector<TraceFrame> ReadTrace(const fs::path& path) {
  static const std::regex frame(R"(\{"t": (\d+))");
  static const std::regex player(
      R"(\{"slot": (\d+), "state": (\d+), "x": (-?[\d.]+), "y": (-?[\d.]+)\})");
  std::vector<TraceFrame> frames;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, frame)) continue;
    TraceFrame parsed;
    parsed.t = std::stoi(match[1]);
    for (auto it = std::sregex_iterator(line.begin(), line.end(), player);
         it != std::sregex_iterator(); ++it) {
      parsed.players[std::stoi((*it)[1])] = {std::stoi((*it)[2]),
                                             {std::stof((*it)[3]), std::stof((*it)[4])}};
    }
    if (!parsed.players.empty()) frames.push_back(parsed);
  }
  return frames;
}

class MatchRun : public ::testing::Test {
 protected:
  void SetUp() override { WriteMatchDataIn(data); }

  int Run(const std::string& script, double seconds, const std::string& trace) {
    std::ofstream(root / "input.txt") << script;
    return RunChild({kRunner, "--data", data.string(), "--match", "0:2", "--input",
                     (root / "input.txt").string(), "--seconds", std::to_string(seconds), "--trace",
                     (root / trace).string()},
                    {}, std::chrono::seconds(120));
  }

  TempFolder folder;  // the test works inside it
  fs::path root = fs::current_path();
  fs::path data = root / "data";
};

// Player 1 (key Q) reaches player 2 whichever side the match put it on: from the right it
// crouches and slides left until player 2 trips over it; from the left it jumps, aims and dives.
constexpr const char* kSlideFromTheRight = "100 key 81 down\n1900 key 81 up\n";
constexpr const char* kDiveFromTheLeft =
    "100 key 81 down\n400 key 81 up\n750 key 81 down\n1550 key 81 up\n";
constexpr const char* kAnyKeyAfterTheWinner = "14000 key 13 down\n";

TEST_F(MatchRun, PlayerOneKnocksPlayerTwoIntoTheHordeAndWins) {
  ASSERT_EQ(Run("", 0.1, "start.jsonl"), 0);
  const auto start = ReadTrace(root / "start.jsonl");
  ASSERT_FALSE(start.empty());
  ASSERT_EQ(start.front().players.size(), 2u);
  const bool fromTheRight = start.front().X(0) > start.front().X(1);

  const std::string script =
      std::string(fromTheRight ? kSlideFromTheRight : kDiveFromTheLeft) + kAnyKeyAfterTheWinner;
  ASSERT_EQ(Run(script, 60, "match.jsonl"), 0);
  const auto frames = ReadTrace(root / "match.jsonl");
  ASSERT_FALSE(frames.empty());

  int knockedAt = -1, downAt = -1, deadAt = -1;
  for (const TraceFrame& frame : frames) {
    EXPECT_NE(frame.State(0), kDead);
    if (knockedAt < 0 && frame.State(1) == kKnocked) {
      knockedAt = frame.t;
      EXPECT_EQ(frame.State(0), fromTheRight ? kCrouch : kRebound);
    }
    if (downAt < 0 && frame.State(1) == kDown) downAt = frame.t;
    if (deadAt < 0 && frame.State(1) == kDead) {
      deadAt = frame.t;
      EXPECT_LT(frame.X(1), 70);
    }
  }
  ASSERT_GT(knockedAt, 0);
  EXPECT_GT(downAt, knockedAt);
  ASSERT_GT(deadAt, downAt);

  // The darkening (1.2 s), the winner's glide to the centre and the rising picture (1.65 s) come
  // before the key, which ends the match and the program long before the 60 s limit.
  const TraceFrame& last = frames.back();
  EXPECT_GE(last.t - deadAt, 1200 + 650 + 1000 - 40);
  EXPECT_LT(last.t, 14100);
  EXPECT_FLOAT_EQ(last.X(0), 400);
  EXPECT_FLOAT_EQ(last.Y(0), 300);
  EXPECT_EQ(last.State(1), kDead);
}

}  // namespace
