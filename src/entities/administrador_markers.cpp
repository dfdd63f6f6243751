// A player above the top of the screen is out of sight; a marker in that player's colour stands
// at the top edge, at the player's x, until the player falls back into view.
#include <algorithm>

#include "core/sistema.h"
#include "entities/administrador.h"
#include "media/draw.h"
#include "resources/recursos.h"

void TAdministrador::DrawOffScreenMarkers() const {
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(1);
  media::SetBlend(media::kBlendAlpha);
  for (int slot = 0; slot < playerCount; ++slot) {
    const TJugadorBase& player = *players[slot];
    // The feet are the lowest point of a standing puppet: above the top edge, none of it shows.
    if (player.GetState() == kPlayerOut || player.y >= 0) continue;
    const auto marker = resources->GetOffScreenMarker(slot);
    const float half = static_cast<float>(media::ImageWidth(marker)) / 2;
    const float edge = static_cast<float>(kScreenWidth) - half;
    media::DrawImage(marker, std::clamp(player.x, half, edge), 0, 0);
  }
}
