#include "game/report_players.h"

#include <vector>

#include "entities/administrador.h"
#include "shell/player_report.h"

namespace game {

void ReportPlayersOf(const TAdministrador* manager) {
  shell::ReportPlayersFrom([manager] {
    std::vector<shell::PlayerReport> reports;
    for (int slot = 0; slot < manager->GetPlayerCount(); ++slot) {
      const auto player = manager->GetPlayer(slot);
      if (player) reports.push_back({slot, player->GetState(), player->x, player->y});
    }
    return reports;
  });
}

}  // namespace game
