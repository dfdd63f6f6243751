#include "field/player_report.h"

#include <utility>

namespace field {

namespace {

PlayerSource& Source() {
  static PlayerSource source;
  return source;
}

}  // namespace

void ReportPlayersFrom(PlayerSource source) {
  Source() = std::move(source);
}

void ForgetPlayers() {
  Source() = nullptr;
}

std::vector<PlayerReport> CurrentPlayers() {
  return Source() ? Source()() : std::vector<PlayerReport>{};
}

}  // namespace field
