#include "field/report_players.h"

#include <vector>

#include "entities/administrador.h"
#include "field/player_report.h"

namespace field {

void ReportPlayersOf(const TAdministrador* manager) {
  field::ReportPlayersFrom([manager] {
    std::vector<field::PlayerReport> reports;
    for (int slot = 0; slot < manager->GetPlayerCount(); ++slot) {
      const auto player = manager->GetPlayer(slot);
      if (player) reports.push_back({slot, player->GetState(), player->x, player->y});
    }
    return reports;
  });
}

}  // namespace field
