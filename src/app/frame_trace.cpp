#include "app/frame_trace.h"

#include <cerrno>
#include <cstring>

#include "app/state_loop.h"
#include "field/player_report.h"
#include "game/net_play.h"

namespace app {

std::unique_ptr<FrameTrace> FrameTrace::Open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) {
    std::fprintf(stderr, "cannot write the trace file %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return nullptr;
  }
  return std::unique_ptr<FrameTrace>(new FrameTrace(file));
}

FrameTrace::~FrameTrace() {
  std::fclose(file_);
}

void FrameTrace::WritePlayers(const std::vector<field::PlayerReport>& players) {
  std::fputs("\"players\": [", file_);
  const char* separator = "";
  for (const field::PlayerReport& player : players) {
    std::fprintf(file_, "%s{\"slot\": %d, \"state\": %d, \"x\": %.2f, \"y\": %.2f}", separator,
                 player.slot, player.state, player.x, player.y);
    separator = ", ";
  }
  std::fputs("]", file_);
}

void FrameTrace::WriteConfirmed(uint32_t frame, const std::vector<field::PlayerReport>& players) {
  std::fprintf(file_, "{\"frame\": %u, \"state\": %d, ", frame, CurrentState());
  WritePlayers(players);
  std::fputs("}\n", file_);
}

void FrameTrace::Write(uint32_t ms) {
  std::fprintf(file_, "{\"t\": %u, \"state\": %d, ", ms, CurrentState());
  WritePlayers(field::CurrentPlayers());
  const game::NetStatus& net = game::CurrentNetStatus();
  if (net.active) {
    std::fprintf(file_, ", \"frame\": %u, \"waiting\": [", net.frame);
    for (size_t i = 0; i < net.waitingFor.size(); ++i) {
      std::fprintf(file_, "%s%d", i ? ", " : "", net.waitingFor[i]);
    }
    std::fprintf(file_, "], \"rolled\": %d", net.rolled);
  }
  std::fputs("}\n", file_);
}

}  // namespace app
