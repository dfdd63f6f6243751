// Network play measured on real sockets: two and four machines in this process, each paced like
// the game (a frame every 1000 / 60 ms, no catching up after a late one), over the loopback and
// through netrelay (10 % of the datagrams lost, the rest 60-100 ms late). Reported per session:
// the input delay chosen, the busiest machine's traffic each way (UDP payload, and with the 28
// bytes of IP and UDP headers per datagram), the longest a frame waited for buttons, how many
// frames waited at all, and the slowest machine's frames per second.
// Targets: a delay of 2 frames on the loopback, under 4 KB/s each way with four machines, and
// through the relay no wait over 100 ms and 60 frames per second.
#include <benchmark/benchmark.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "net/lockstep.h"
#include "support/net_machines.h"
#include "support/net_relay.h"
#include "support/subprocess.h"

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kHeaderBytes = 28;  // IPv4 and UDP, per datagram

struct Figures {
  int inputDelay = 0;
  double sentPerSecond = 0, receivedPerSecond = 0;      // payload
  double sentWithHeaders = 0, receivedWithHeaders = 0;  // on the wire
  double longestWaitMs = 0;
  int framesThatWaited = 0;
  double framesPerSecond = 1e9;
};

// One machine's pace: when its next frame may begin and how long its frames waited.
struct Pace {
  double due = 0;
  bool submitted = false;
  int frames = 0;
};

// Buttons that change now and then, as a player's do.
uint8_t Buttons(int machine, uint32_t frame) {
  return ((frame + 37u * machine) / 23u) % 3u == 0 ? 1 : 0;
}

void PlayPaced(nettest::Machines& machines, double seconds, Figures& figures) {
  const double start = net::NowMs();
  const double end = start + seconds * 1000;
  std::vector<Pace> paces(machines.matches.size(), Pace{start});
  while (net::NowMs() < end) {
    for (size_t m = 0; m < machines.matches.size(); ++m) {
      net::Lockstep& match = *machines.matches[m];
      Pace& pace = paces[m];
      const double now = net::NowMs();
      if (now < pace.due) continue;
      if (!pace.submitted) match.Submit(Buttons(static_cast<int>(m), match.Frame()));
      pace.submitted = true;
      if (!match.Ready(0)) continue;
      const double waited = net::NowMs() - pace.due;
      figures.longestWaitMs = std::max(figures.longestWaitMs, waited);
      figures.framesThatWaited += waited > 1;
      const uint32_t frame = match.Frame();
      match.Take();
      if (frame > 0 && frame % net::kDigestEvery == 0) match.RecordDigest(frame, frame);
      ++pace.frames;
      pace.submitted = false;
      pace.due = std::max(pace.due + kFrameMs, net::NowMs());
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  const double elapsed = (net::NowMs() - start) / 1000;
  for (size_t m = 0; m < machines.matches.size(); ++m) {
    const auto traffic = machines.matches[m]->Traffic();
    figures.sentPerSecond = std::max(figures.sentPerSecond, traffic.bytesSent / elapsed);
    figures.receivedPerSecond =
        std::max(figures.receivedPerSecond, traffic.bytesReceived / elapsed);
    figures.sentWithHeaders =
        std::max(figures.sentWithHeaders,
                 (traffic.bytesSent + kHeaderBytes * traffic.datagramsSent) / elapsed);
    figures.receivedWithHeaders =
        std::max(figures.receivedWithHeaders,
                 (traffic.bytesReceived + kHeaderBytes * traffic.datagramsReceived) / elapsed);
    figures.framesPerSecond = std::min(figures.framesPerSecond, paces[m].frames / elapsed);
  }
}

void Report(benchmark::State& state, const Figures& figures) {
  state.counters["delay_frames"] = figures.inputDelay;
  state.counters["sent_B/s"] = figures.sentPerSecond;
  state.counters["received_B/s"] = figures.receivedPerSecond;
  state.counters["sent_wire_B/s"] = figures.sentWithHeaders;
  state.counters["received_wire_B/s"] = figures.receivedWithHeaders;
  state.counters["longest_wait_ms"] = figures.longestWaitMs;
  state.counters["frames_waited"] = figures.framesThatWaited;
  state.counters["fps"] = figures.framesPerSecond;
}

void Session(benchmark::State& state, bool throughRelay) {
  const int machineCount = static_cast<int>(state.range(0));
  const double seconds = static_cast<double>(state.range(1));
  for (auto _ : state) {
    Figures figures;
    const bool met =
        nettest::PlaySession(machineCount, seconds, throughRelay, 0, [&](auto& machines) {
          figures.inputDelay = machines.matches[0]->Setup().inputDelay;
          PlayPaced(machines, seconds, figures);
        });
    if (!met) {
      state.SkipWithError("the machines did not meet");
      return;
    }
    Report(state, figures);
  }
}

void Loopback(benchmark::State& state) {
  Session(state, false);
}

void ThroughRelay(benchmark::State& state) {
  Session(state, true);
}

BENCHMARK(Loopback)->Args({2, 20})->Args({4, 20})->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(ThroughRelay)->Args({2, 30})->Args({4, 30})->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
