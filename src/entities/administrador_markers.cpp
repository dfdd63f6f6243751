// What the field shows over everything else, scenery included: the players' gauges and tags, and
// for a player out of sight above the top of the screen a marker in that player's colour at the
// top edge, at the player's x, until enough of the puppet falls back into view to be picked out.
#include <algorithm>

#include "core/sistema.h"
#include "entities/administrador.h"
#include "entities/player_tag.h"
#include "entities/puppet.h"
#include "media/draw.h"
#include "resources/recursos.h"

namespace {
// Fewer rows of a puppet than this at the top edge (a shoe, a fingertip) do not show a player.
constexpr int kSeenRows = 24;

// Judged by the puppet as last posed; one never posed is out of sight once its feet are.
bool OutOfSightAbove(const TJugadorBase& player) {
  media::PixelBox box;
  if (player.animState && player.graphics &&
      PosedBox(*player.animState, *player.graphics, player, box)) {
    return box.bottom < kSeenRows;
  }
  return player.y < 0;
}
}  // namespace

void TAdministrador::DrawOffScreenMarkers() const {
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(1);
  media::SetBlend(media::kBlendAlpha);
  for (int slot = 0; slot < playerCount; ++slot) {
    const TJugadorBase& player = *players[slot];
    if (player.GetState() == kPlayerOut || !OutOfSightAbove(player)) continue;
    const auto marker = resources->GetOffScreenMarker(slot);
    const float half = static_cast<float>(media::ImageWidth(marker)) / 2;
    const float edge = static_cast<float>(kScreenWidth) - half;
    media::DrawImage(marker, std::clamp(player.x, half, edge), 0, 0);
  }
}

void TAdministrador::DrawPlayerSigns() const {
  for (int slot = 0; slot < playerCount; ++slot) players[slot]->ShowOverField();
  entities.Walk([](const std::shared_ptr<TEntidad>& entity) {
    if (const auto* tag = dynamic_cast<const TPlayerTag*>(entity.get())) tag->Show();
  });
}
