#include "net/stop_signal.h"

#include <signal.h>

#include <array>

namespace net {

namespace {

constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};

volatile sig_atomic_t caught = 0;
int sessions = 0;
std::array<struct sigaction, kSignals.size()> previous{};

void Catch(int signal) {
  caught = signal;
}

}  // namespace

StopSignals::StopSignals() {
  if (sessions++ > 0) return;
  caught = 0;
  struct sigaction action {};
  action.sa_handler = Catch;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous[i]);
}

StopSignals::~StopSignals() {
  if (--sessions > 0) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  if (caught != 0) raise(caught);
}

bool StopRequested() {
  return caught != 0;
}

}  // namespace net
