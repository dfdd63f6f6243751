// A player behind the scenery's front layers (a pillar, a trunk) would be lost from sight: where
// any of it is hidden, the whole puppet is drawn again over the scenery, faint, so the player
// shows through.
#include "entities/administrador.h"
#include "entities/puppet.h"
#include "media/draw.h"

namespace {
constexpr float kThroughAlpha = 0.55f;
constexpr int kProbes = 4;  // points across and up the puppet tried, each way

// Tries points spread over the box, inside its edges, where the body most likely is.
bool AnyHidden(const media::PixelBox& box, float shift,
               const std::function<bool(float x, float y)>& hidden) {
  const float width = static_cast<float>(box.right - box.left);
  const float height = static_cast<float>(box.bottom - box.top);
  for (int across = 1; across <= kProbes; ++across) {
    for (int up = 1; up <= kProbes; ++up) {
      const float x = static_cast<float>(box.left) + shift + width * across / (kProbes + 1);
      const float y = static_cast<float>(box.top) + height * up / (kProbes + 1);
      if (hidden(x, y)) return true;
    }
  }
  return false;
}
}  // namespace

void TAdministrador::DrawPlayersThrough(const std::function<bool(float x, float y)>& hidden) const {
  for (int slot = 0; slot < playerCount; ++slot) {
    const TJugadorBase& player = *players[slot];
    media::PixelBox box;
    if (player.GetState() == kPlayerOut || !player.animState || !player.graphics ||
        !PosedBox(*player.animState, *player.graphics, player, box)) {
      continue;
    }
    const float shift = OnScreenShift(*player.animState, *player.graphics, player);
    if (!AnyHidden(box, shift, hidden)) continue;
    media::SetColor(player.red, player.green, player.blue);
    media::SetBlend(media::kBlendAlpha);
    media::SetAlpha(kThroughAlpha * player.alpha);
    DrawPosedPuppet(*player.animState, *player.graphics, player, shift);
  }
}
