#include "field/play_field.h"

#include "core/timer.h"
#include "media/system.h"

namespace field {
namespace {
constexpr int kTileLow = 1000;
constexpr int kTileHigh = 3000;
constexpr float kFrameMs = 16.666666f;
}  // namespace

void ShuffleTiles(PanelTiles& tiles) {
  for (int& tile : tiles) tile = media::RandomInt(kTileLow, kTileHigh);
}

void CapFrameRate(const TTimer& timer) {
  const float rest = kFrameMs - timer.GetDelta(true);
  if (rest > 0) media::Sleep(static_cast<int>(rest));
}

}  // namespace field
