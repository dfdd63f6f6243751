#pragma once
// Networked matches between headless runners on this machine: each runner has a folder of its own
// (data, settings, script, trace, output), the host listens on a free port it prints, and joiners
// join it directly or through netrelay. Every wait is bounded.
#include <gtest/gtest.h>
#include <signal.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "script_keys.h"
#include "support/match_data.h"
#include "support/scratch_folder.h"
#include "support/subprocess.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

inline const std::string kNetRunner = std::string(SKULL_BUILD_DIR) + "/skullgnawer-headless";
inline const std::string kRelay = std::string(SKULL_BUILD_DIR) + "/bin/netrelay";
// Whole runs: generous, for a busy two-core machine.
inline constexpr auto kRunLimit = 4min;
inline constexpr auto kLineLimit = 60s;

// One frame of a network match as a runner traced it.
struct NetFrame {
  int t = 0;                  // when it was shown; 0 in the confirmed trace
  std::string field;          // the top-level state and the players, as written
  std::map<int, int> states;  // player slot → state
  int rolled = 0;             // frames played again before it was shown
};

inline NetFrame ParseNetFrame(int t, const std::string& field, int rolled) {
  static const std::regex player(R"(\{"slot": (\d+), "state": (\d+))");
  NetFrame parsed{t, field, {}, rolled};
  for (auto it = std::sregex_iterator(field.begin(), field.end(), player);
       it != std::sregex_iterator(); ++it) {
    parsed.states[std::stoi((*it)[1])] = std::stoi((*it)[2]);
  }
  return parsed;
}

// The frames shown, in order, each once, with the time it was last shown (a machine ahead shows a
// frame twice now and then): lines of frames being waited on and the winner picture's repeats of
// the last frame are left out.
inline std::vector<NetFrame> ReadNetTrace(const fs::path& path) {
  static const std::regex line(
      R"(^\{"t": (\d+), ("state": \d, "players": \[.*\]), "frame": (\d+), )"
      R"("waiting": \[\], "rolled": (\d+)\}$)");
  std::vector<NetFrame> frames;
  std::ifstream file(path);
  for (std::string text; std::getline(file, text);) {
    std::smatch match;
    if (!std::regex_match(text, match, line)) continue;
    const size_t frame = std::stoul(match[3]);
    if (frame + 1 == frames.size() && frames.back().field == match[2].str()) {
      frames.back().t = std::stoi(match[1]);
    }
    if (frame != frames.size()) continue;
    frames.push_back(ParseNetFrame(std::stoi(match[1]), match[2], std::stoi(match[4])));
  }
  return frames;
}

// The confirmed frames, which must follow each other from frame 0.
inline std::vector<NetFrame> ReadConfirmedTrace(const fs::path& path) {
  static const std::regex line(R"(^\{"frame": (\d+), ("state": \d, "players": \[.*\])\}$)");
  std::vector<NetFrame> frames;
  std::ifstream file(path);
  for (std::string text; std::getline(file, text);) {
    std::smatch match;
    EXPECT_TRUE(std::regex_match(text, match, line)) << text;
    if (match.empty()) continue;
    EXPECT_EQ(std::stoul(match[1]), frames.size()) << text;
    frames.push_back(ParseNetFrame(0, match[2], 0));
  }
  return frames;
}

// The first frame in which `slot` is in `state`; -1 for none.
inline int FirstFrameIn(const std::vector<NetFrame>& frames, int slot, int state) {
  for (size_t frame = 0; frame < frames.size(); ++frame) {
    const auto found = frames[frame].states.find(slot);
    if (found != frames[frame].states.end() && found->second == state) {
      return static_cast<int>(frame);
    }
  }
  return -1;
}

// The first `count` frames of two traces are the same: state, players, positions.
inline void ExpectSameFrames(const std::vector<NetFrame>& a, const std::vector<NetFrame>& b,
                             size_t count) {
  ASSERT_GE(a.size(), count);
  ASSERT_GE(b.size(), count);
  for (size_t frame = 0; frame < count; ++frame) {
    ASSERT_EQ(a[frame].field, b[frame].field) << "frame " << frame;
  }
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The first capture of `pattern` in the file once it appears; empty after `limit`. Looked for
// often, since the machines may play hundreds of frames a second.
inline std::string AwaitLine(const fs::path& path, const std::string& pattern,
                             std::chrono::milliseconds limit = kLineLimit) {
  const std::regex wanted(pattern);
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    std::smatch match;
    const std::string text = ReadFile(path);
    if (std::regex_search(text, match, wanted)) return match.size() > 1 ? match[1].str() : "?";
    std::this_thread::sleep_for(10ms);
  }
  return "";
}

// One runner in a folder of its own.
class Runner {
 public:
  Runner(const fs::path& root, const std::string& name) : folder_(root / name) {
    WriteMatchDataIn(folder_);
  }
  ~Runner() {
    if (pid_ > 0) WaitFor(pid_, 1ms);
  }

  const fs::path& Folder() const { return folder_; }
  // The runner's settings file: two players at the given volumes, with these four buttons.
  void WriteSettings(const std::array<int32_t, 4>& keys) const {
    std::ofstream file(folder_ / "wtf.cfg", std::ios::binary);
    for (const int32_t value : {2, 5, 5, keys[0], keys[1], keys[2], keys[3]}) {
      file.write(reinterpret_cast<const char*>(&value), sizeof value);
    }
  }
  fs::path Out() const { return folder_ / "out.txt"; }
  fs::path Err() const { return folder_ / "err.txt"; }

  // `args` after the common ones (data, script, trace, no drawing, a bound on virtual time).
  void Start(const std::string& script, const std::vector<std::string>& args,
             double seconds = 120) {
    std::ofstream(folder_ / "script.txt") << script;
    // The runners play as fast as the network lets them; niced, they leave room for the tests
    // that run beside them and need the machine in time (the real window's).
    std::vector<std::string> all = prefix_;
    const std::vector<std::string> command = {"nice",
                                              "-n",
                                              "15",
                                              kNetRunner,
                                              "--data",
                                              folder_.string(),
                                              "--no-draw",
                                              "--input",
                                              (folder_ / "script.txt").string(),
                                              "--trace",
                                              (folder_ / "trace.jsonl").string(),
                                              "--confirmed-trace",
                                              (folder_ / "confirmed.jsonl").string(),
                                              "--seconds",
                                              std::to_string(seconds)};
    all.insert(all.end(), command.begin(), command.end());
    all.insert(all.end(), args.begin(), args.end());
    SpawnOptions options = StdoutTo(Out().string());
    options.stderrPath = Err().string();
    pid_ = Spawn(all, options);
  }
  // Runs the runner through this command first (`ip netns exec HOME`, say).
  void RunInside(std::vector<std::string> prefix) { prefix_ = std::move(prefix); }
  // The port a host listens on, once it says.
  std::string HostPort() const { return AwaitLine(Out(), R"(en el puerto (\d+))"); }
  int Finish(std::chrono::milliseconds limit = kRunLimit) {
    const int status = WaitFor(pid_, limit, &peakKb_);
    pid_ = -1;
    return status;
  }
  void Signal(int signal) const { kill(pid_, signal); }
  void Kill() {
    Signal(SIGKILL);
    Finish();
  }
  // The largest resident size of the finished run.
  long PeakKb() const { return peakKb_; }
  std::string Output() const { return ReadFile(Out()); }
  std::string Errors() const { return ReadFile(Err()); }
  // The frames as this machine showed them, guesses and all.
  std::vector<NetFrame> Frames() const { return ReadNetTrace(folder_ / "trace.jsonl"); }
  // The frames every machine's buttons were known for, as the match played them.
  std::vector<NetFrame> Confirmed() const {
    return ReadConfirmedTrace(folder_ / "confirmed.jsonl");
  }
  std::string RawTrace() const { return ReadFile(folder_ / "trace.jsonl"); }

 private:
  fs::path folder_;
  pid_t pid_ = -1;
  std::vector<std::string> prefix_;
  long peakKb_ = 0;
};

// How a runner said it plays the match: the input delay and its first seat.
struct Played {
  int inputDelay = 0;
  int seat = 0;  // 0-3
};

inline Played ReadSetUp(const Runner& runner) {
  static const std::regex line(
      R"(retraso de (\d+) fotogramas, [^;]+; este equipo juega como JUGADOR (\d))");
  std::smatch match;
  const std::string output = runner.Output();
  if (!std::regex_search(output, match, line)) return {};
  return {std::stoi(match[1]), std::stoi(match[2]) - 1};
}

// The lossy, slow line between the machines; its public port is where joiners join the host.
class Relay {
 public:
  Relay(const fs::path& root, const std::string& hostPort, double seconds)
      : out_(root / "relay.txt") {
    pid_ = Spawn({kRelay, "--to", hostPort, "--loss", "0.1", "--delay", "60-100", "--seconds",
                  std::to_string(seconds)},
                 StdoutTo(out_.string()));
  }
  ~Relay() {
    kill(pid_, SIGTERM);
    WaitFor(pid_, 10s);
  }
  std::string Port() const { return AwaitLine(out_, R"(relay (\d+))"); }
  std::string Output() const { return ReadFile(out_); }

 private:
  fs::path out_;
  pid_t pid_;
};

// A script line: key `code` down at ms and up `holdMs` later (never, when holdMs is 0).
inline std::string Press(int ms, int code, int holdMs) {
  std::string text = std::to_string(ms) + " key " + std::to_string(code) + " down\n";
  if (holdMs > 0) text += std::to_string(ms + holdMs) + " key " + std::to_string(code) + " up\n";
  return text;
}

}  // namespace e2e
