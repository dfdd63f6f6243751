// A whole session through the headless runner, as a player would click it: bind a key and set the
// music in the options, choose a scenery and a player count, leave the match with Escape, quit.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "support/subprocess.h"

namespace {

namespace fs = std::filesystem;

const std::string kRunner = std::string(SKULL_BUILD_DIR) + "/skullgnawer-headless";

// Times in virtual milliseconds. Every click waits for the fades and slide-ins before it (a panel
// settles in about 0.75 s) and holds the button over a few frames.
constexpr const char* kSession = R"(# a held button cuts the start-up picture
0 button 1 down
100 button 1 up
# options: bind player 1 to Space, drag the music knob to the right end, OK
1000 mouse 428 311
1050 button 1 down
1100 button 1 up
2000 mouse 225 202
2050 button 1 down
2100 button 1 up
2300 key 32 down
2350 key 32 up
2600 mouse 590 402
2650 button 1 down
2700 mouse 790 402
2750 button 1 up
3000 mouse 145 527
3050 button 1 down
3100 button 1 up
# play: the second scenery, three players
3600 mouse 408 236
3650 button 1 down
3700 button 1 up
4600 mouse 535 220
4650 button 1 down
4700 button 1 up
5800 mouse 460 302
5850 button 1 down
5900 button 1 up
# Escape leaves the match
7000 key 27 down
7050 key 27 up
# quit, yes
8000 mouse 468 461
8050 button 1 down
8100 button 1 up
9000 mouse 350 387
9050 button 1 down
9100 button 1 up
)";

struct TraceFrame {
  long t = 0;
  int state = 0;
  int players = 0;
};

std::vector<TraceFrame> ReadTrace(const fs::path& path) {
  const std::regex head(R"(\{"t": (\d+), "state": (\d), "players": \[(.*)\]\})");
  std::vector<TraceFrame> frames;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    std::smatch match;
    if (!std::regex_match(line, match, head)) continue;
    const std::string players = match[3];
    int count = 0;
    for (size_t at = players.find("\"slot\""); at != std::string::npos;
         at = players.find("\"slot\"", at + 1)) {
      ++count;
    }
    frames.push_back({std::stol(match[1]), std::stoi(match[2]), count});
  }
  return frames;
}

std::vector<int32_t> ReadSettings(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<int32_t> values(7);
  file.read(reinterpret_cast<char*>(values.data()), 28);
  return file ? values : std::vector<int32_t>{};
}

TEST(Session, OptionsThenAMatchOfThreeInTheCityThenQuit) {
  ScratchFolder folder;
  const fs::path data = folder.Path() / "data";
  fs::create_directories(data);
  for (const char* sub : {"gfx", "anim", "music"}) {
    if (fs::exists(fs::path(SKULL_BUILD_DIR) / sub)) {
      fs::create_directory_symlink(fs::path(SKULL_BUILD_DIR) / sub, data / sub);
    }
  }
  const fs::path script = folder.Path() / "session.txt";
  const fs::path trace = folder.Path() / "trace.jsonl";
  std::ofstream(script) << kSession;

  const int status =
      RunChild({kRunner, "--data", data.string(), "--input", script.string(), "--trace",
                trace.string(), "--seconds", "30"},
               StdoutTo((folder.Path() / "stdout.txt").string()), std::chrono::minutes(5));
  EXPECT_EQ(status, 0);

  const std::vector<TraceFrame> frames = ReadTrace(trace);
  ASSERT_FALSE(frames.empty());
  // Ended by the quit panel's yes, well before the 30 s limit.
  EXPECT_GT(frames.back().t, 9100);
  EXPECT_LT(frames.back().t, 10000);
  EXPECT_EQ(frames.back().state, 0);

  // The match screen, once it draws frames of its own, shows the three players the menu chose.
  for (const TraceFrame& frame : frames) {
    if (frame.state == 1 && frame.players > 0) {
      EXPECT_EQ(frame.players, 3) << frame.t;
    }
  }

  // The player count was saved with the options (the count panel sets it in memory only), then
  // the music at 100, the sound left at 70, Space for player 1 and the other defaults.
  EXPECT_EQ(ReadSettings(data / "wtf.cfg"), (std::vector<int32_t>{4, 100, 70, 32, 90, 80, 77}));
}

}  // namespace
