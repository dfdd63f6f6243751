#include "menu/submenu_play.h"

#include "media/input.h"
#include "menu/submenu_players.h"

namespace {

constexpr int kBackButton = 0;

// Index = value: back, the three levels, the tutorial.
const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/volver.png", 510, 520},        {"gfx/menu/level1.png", 400, 350},
    {"gfx/menu/level2.png", 400, 150},        {"gfx/menu/level3.png", 120, 350},
    {"gfx/menu/leveltutorial.png", 120, 150},
};

}  // namespace

std::shared_ptr<TSubMenuPlay> TSubMenuPlay::Create(TMenu* parent, const std::string& imagePath,
                                                   float x, float y) {
  return CreatePanel<TSubMenuPlay>(parent, imagePath, x, y);
}

void TSubMenuPlay::Init() {
  MakeButtons(kButtons, std::size(kButtons));
  StartFadeIn();
  result = -1;
}

void TSubMenuPlay::OnClick(int value) {
  result = value == kBackButton ? -1 : value;
  phase = kFadingOut;
}

// The player-count panel runs on the main menu's background; this panel is not drawn meanwhile.
int TSubMenuPlay::Close() {
  if (result == -1) {
    media::FlushMouse();
    return -1;
  }
  const auto players = TSubMenuPlayers::Create(parent, "gfx/menu/seleccionjugadores.png", 100, 200);
  const int count = RunToAnswer(*players);
  media::FlushMouse();
  if (count != -1) return result;
  Init();
  return kStillOpen;
}
