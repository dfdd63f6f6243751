#pragma once
// netrelay between machines of one process, for the network measurements: a lossy, slow line (10 %
// of the datagrams lost, the rest 60-100 ms late) in front of the host's port, for as long as the
// session lasts: a relay that ends first cuts every link through it, and the machines then wait
// ten seconds before they give each other up. The relay is found beside the benchmarks, in the
// build's bin/.
#include <signal.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <thread>

#include "support/net_machines.h"
#include "support/scratch_folder.h"
#include "support/subprocess.h"

namespace nettest {

// The most the machines may take to meet (each of three joiners, then the start, has the
// patience), so that the relay outlives the session it was given.
inline constexpr double kMeetingSeconds = 4 * kPatienceMs / 1000;

// The relay in front of `hostPort` for `seconds` of play; Port() is 0 when it never said where it
// listens.
class Relay {
 public:
  Relay(uint16_t hostPort, double seconds) {
    const std::string relay =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
        "bin/netrelay";
    pid_ = Spawn({relay, "--to", std::to_string(hostPort), "--loss", "0.1", "--delay", "60-100",
                  "--seconds", std::to_string(kMeetingSeconds + seconds)},
                 StdoutTo(out_.string()));
    const std::regex line(R"(relay (\d+))");
    for (int tries = 0; tries < 200 && port_ == 0; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      std::ifstream file(out_);
      const std::string text{std::istreambuf_iterator<char>(file), {}};
      std::smatch match;
      if (std::regex_search(text, match, line)) port_ = static_cast<uint16_t>(std::stoi(match[1]));
    }
  }
  ~Relay() {
    kill(pid_, SIGTERM);
    WaitFor(pid_, std::chrono::seconds(5));
  }
  uint16_t Port() const { return port_; }

 private:
  ScratchFolder folder_;
  std::filesystem::path out_ = folder_.Path() / "relay.txt";
  pid_t pid_ = -1;
  uint16_t port_ = 0;
};

// A session's machines meet in a scratch folder (their identity reads its anim/ and gfx/), the
// joiners through a relay in front of the host when asked, kept for as long as the session of
// `seconds` lasts; then `play(machines)`. False when the machines did not meet.
template <class Play>
bool PlaySession(int machineCount, double seconds, bool throughRelay, int inputDelay, Play play) {
  InScratchFolder folder;
  std::unique_ptr<Relay> relay;
  Machines machines;
  const bool met = machines.Meet(
      machineCount - 1, machineCount,
      [&](uint16_t hostPort) {
        if (!throughRelay) return hostPort;
        relay = std::make_unique<Relay>(hostPort, seconds);
        return relay->Port();
      },
      inputDelay);
  if (met) play(machines);
  return met;
}

}  // namespace nettest
