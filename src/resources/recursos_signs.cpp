// The signs the play field shows over the game: the pause sign, the demo's sign, and for each
// player the name the winner picture shows and the marker of that player above the screen. Like
// every play-field picture, a missing one is simply not drawn.
#include <string>

#include "resources/recursos.h"

namespace {
constexpr int kSignFlags = media::kImageFiltered;

media::ImagePtr LoadCentred(const std::string& path) {
  auto image = media::LoadImage(path, kSignFlags);
  if (image) media::MidHandleImage(image);
  return image;
}
}  // namespace

void TRecursos::LoadSigns() {
  pauseSign = LoadCentred("gfx/pausa.png");
  demoSign = LoadCentred("gfx/demo.png");
  for (int player = 0; player < kPlayerPackages; ++player) {
    const std::string number = std::to_string(player + 1);
    winnerNames[player] = LoadCentred("gfx/gana" + number + ".png");
    offScreenMarkers[player] = media::LoadImage("gfx/fuera" + number + ".png", kSignFlags);
    if (offScreenMarkers[player]) {
      media::SetImageHandle(offScreenMarkers[player],
                            static_cast<float>(offScreenMarkers[player]->Width() / 2), 0);
    }
  }
}

void TRecursos::DropSigns() {
  pauseSign = nullptr;
  demoSign = nullptr;
  winnerNames.fill(nullptr);
  offScreenMarkers.fill(nullptr);
}

media::ImagePtr TRecursos::GetWinnerName(int player) const {
  return player >= 0 && player < kPlayerPackages ? winnerNames[player] : nullptr;
}

media::ImagePtr TRecursos::GetOffScreenMarker(int player) const {
  return player >= 0 && player < kPlayerPackages ? offScreenMarkers[player] : nullptr;
}
