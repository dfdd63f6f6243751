#pragma once
// Several machines in one process, on real loopback sockets: a host and joiners that meet in the
// lobby (directly, or at another port such as a relay's) and then play frames with scripted
// buttons. Every loop is bounded in time. Tests and the network measurements share it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/lobby.h"
#include "net/lockstep.h"

namespace nettest {

inline constexpr double kPatienceMs = 20000;  // generous: the machine may be busy

class Machines {
 public:
  // A host with one local player and `joiners` joiners with one each, started at `players`.
  // `joinAt` gives the port joiners call for the host's own (a relay's, say).
  // `inputDelay` 0 has the host choose it from the lines it measures.
  bool Meet(
      int joiners, int players = 0,
      const std::function<uint16_t(uint16_t)>& joinAt = [](uint16_t port) { return port; },
      int inputDelay = 0) {
    std::string error;
    lobbies_.push_back(net::Lobby::Host(0, 1, error));
    if (!lobbies_.back()) return false;
    lobbies_.back()->SetInputDelay(inputDelay);
    const net::Address host{"127.0.0.1", joinAt(lobbies_[0]->Port())};
    for (int j = 0; j < joiners; ++j) {
      lobbies_.push_back(net::Lobby::Join(host, 0, 1, error));
      if (!lobbies_.back()) return false;
      // One at a time, so the machine numbers follow the order here.
      if (!PumpUntil([&] { return lobbies_[0]->Members().size() == size_t(j) + 2; })) return false;
    }
    std::string why;
    if (!lobbies_[0]->Start(0, players ? players : joiners + 1, why)) return false;
    if (!PumpUntil([&] {
          for (const auto& lobby : lobbies_) {
            if (lobby->GetPhase() != net::Lobby::Phase::kStarted) return false;
          }
          return true;
        })) {
      return false;
    }
    for (const auto& lobby : lobbies_) matches.push_back(lobby->TakeMatch());
    return true;
  }

  // Services every lobby until `done` or the patience runs out.
  bool PumpUntil(const std::function<bool()>& done) {
    const double end = net::NowMs() + kPatienceMs;
    while (!done()) {
      if (net::NowMs() > end) return false;
      for (const auto& lobby : lobbies_) lobby->Service(1);
    }
    return true;
  }

  // Each machine plays frames with buttons(machine, frame) until every one has played `frames`
  // or stopped; returns what each took, frame by frame.
  std::vector<std::vector<net::FrameInput>> Play(
      uint32_t frames, const std::function<uint8_t(int, uint32_t)>& buttons) {
    std::vector<std::vector<net::FrameInput>> taken(matches.size());
    std::vector<bool> submitted(matches.size(), false);
    const double end = net::NowMs() + kPatienceMs;
    for (bool playing = true; playing && net::NowMs() < end;) {
      playing = false;
      for (size_t m = 0; m < matches.size(); ++m) {
        net::Lockstep* match = matches[m].get();
        if (!match || match->Frame() >= frames ||
            match->GetOutcome() != net::Lockstep::Outcome::kPlaying) {
          continue;
        }
        playing = true;
        if (!submitted[m]) match->Submit(buttons(static_cast<int>(m), match->Frame()));
        submitted[m] = true;
        if (match->Ready(1) && match->GetOutcome() == net::Lockstep::Outcome::kPlaying) {
          taken[m].push_back(match->Take());
          submitted[m] = false;
        }
      }
    }
    return taken;
  }

  std::vector<std::unique_ptr<net::Lobby>> lobbies_;
  std::vector<std::unique_ptr<net::Lockstep>> matches;
};

}  // namespace nettest
