#pragma once
// Whole sessions through the headless runner in a data folder the test writes: one-bone puppets,
// small play-field and tutorial pictures and no menu art, so the menu's buttons are ten-pixel
// squares at their places and a click lands at their corner plus five.
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "script_keys.h"
#include "support/match_data.h"
#include "support/subprocess.h"
#include "support/temp_folder.h"

namespace e2e {

namespace fs = std::filesystem;

inline const std::string kRunner = std::string(SKULL_BUILD_DIR) + "/skullgnawer-headless";

struct Player {
  int state = 0;
  float x = 0;
  float y = 0;
};

struct TraceFrame {
  int t = 0;
  int state = 0;  // the top-level state
  std::map<int, Player> players;
};

inline std::vector<TraceFrame> ReadTrace(const fs::path& path) {
  static const std::regex frame(R"(^\{"t": (\d+), "state": (\d))");
  static const std::regex player(
      R"(\{"slot": (\d+), "state": (\d+), "x": (-?[\d.]+), "y": (-?[\d.]+)\})");
  std::vector<TraceFrame> frames;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, frame)) continue;
    TraceFrame parsed{std::stoi(match[1]), std::stoi(match[2]), {}};
    for (auto it = std::sregex_iterator(line.begin(), line.end(), player);
         it != std::sregex_iterator(); ++it) {
      parsed.players[std::stoi((*it)[1])] = {std::stoi((*it)[2]), std::stof((*it)[3]),
                                             std::stof((*it)[4])};
    }
    frames.push_back(parsed);
  }
  return frames;
}

// The top-level states in the order the trace went through them.
inline std::vector<int> StatesSeen(const std::vector<TraceFrame>& frames) {
  std::vector<int> states;
  for (const TraceFrame& frame : frames) {
    if (states.empty() || states.back() != frame.state) states.push_back(frame.state);
  }
  return states;
}

// The first frame at or after `from` in the state; null when there is none.
inline const TraceFrame* FirstIn(const std::vector<TraceFrame>& frames, int state, int from = 0) {
  for (const TraceFrame& frame : frames) {
    if (frame.t >= from && frame.state == state) return &frame;
  }
  return nullptr;
}

// An input script in virtual milliseconds.
class Script {
 public:
  Script& Click(int ms, int x, int y) {
    text_ << ms << " mouse " << x << ' ' << y << '\n'
          << ms + 100 << " button 1 down\n"
          << ms + 150 << " button 1 up\n";
    return *this;
  }
  // A menu button with no art is a ten-pixel square with its corner at its place.
  Script& ClickButton(int ms, int x, int y) { return Click(ms, x + 5, y + 5); }
  Script& Key(int ms, int code, int holdMs = 50) {
    text_ << ms << " key " << code << " down\n" << ms + holdMs << " key " << code << " up\n";
    return *this;
  }
  Script& Raw(const std::string& lines) {
    text_ << lines;
    return *this;
  }
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
};

// Menu places: the main menu's play and quit buttons, the play panel's first level and tutorial,
// the player-count panel's two players, the quit panel's yes.
struct Place {
  int x, y;
};
inline constexpr Place kPlay{300, 200};
inline constexpr Place kQuit{360, 425};
inline constexpr Place kForest{400, 350};
inline constexpr Place kTutorial{120, 150};
inline constexpr Place kTwoPlayers{150, 275};
inline constexpr Place kYes{300, 360};

// Into the play panel, a choice, then two players.
inline Script& Choose(Script& script, int ms, Place choice) {
  return script.ClickButton(ms, kPlay.x, kPlay.y)
      .ClickButton(ms + 1500, choice.x, choice.y)
      .ClickButton(ms + 3000, kTwoPlayers.x, kTwoPlayers.y);
}

inline Script& QuitFromTheMenu(Script& script, int ms) {
  return script.ClickButton(ms, kQuit.x, kQuit.y).ClickButton(ms + 1500, kYes.x, kYes.y);
}

// Player 1 (key Q) reaches player 2 from either side: from the right it crouches and slides until
// player 2 trips over it; from the left it jumps, aims and dives.
inline std::string KnockPlayerTwo(int start, bool fromTheRight) {
  std::ostringstream script;
  const auto at = [&](int ms, const char* what) {
    script << start + ms << " key " << kKeyPlayerOne << ' ' << what << '\n';
  };
  if (fromTheRight) {
    at(100, "down");
    at(1900, "up");
  } else {
    at(100, "down");
    at(400, "up");
    at(750, "down");
    at(1550, "up");
  }
  return script.str();
}

// The working folder becomes the data folder; the runner's files go beside it.
class Session {
 public:
  Session() {
    WriteMatchData();
    fs::create_directories("gfx/menu");
    for (int i = 1; i <= 14; ++i) {
      TempFolder::WritePng(
          "gfx/menu/tutorial" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".png",
          0xC0000000u | static_cast<uint32_t>(i * 16));
    }
    TempFolder::WritePng("gfx/menu/intro.png", 0xFFFFFFFFu);
    TempFolder::WritePng("gfx/menu/esc.png", 0xFFFFFFFFu);
  }

  // The exit status; the trace is read back into `frames`. `more` are further runner options.
  int Run(const Script& script, double seconds, const std::string& name,
          const std::vector<std::string>& more = {}) {
    const fs::path input = Here() / (name + ".txt");
    std::ofstream(input) << script.Text();
    const fs::path trace = Here() / (name + ".jsonl");
    std::vector<std::string> args = {
        kRunner,        "--data",    Here().string(),         "--input",
        input.string(), "--seconds", std::to_string(seconds), "--trace",
        trace.string()};
    args.insert(args.end(), more.begin(), more.end());
    const int status =
        RunChild(args, StdoutTo((Here() / (name + ".out")).string()), std::chrono::minutes(3));
    frames = ReadTrace(trace);
    return status;
  }
  std::string Output(const std::string& name) const {
    std::ifstream file(Here() / (name + ".out"));
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  static fs::path Here() { return fs::current_path(); }

  std::vector<TraceFrame> frames;

 private:
  TempFolder folder_;
};

}  // namespace e2e
