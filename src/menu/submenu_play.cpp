#include "menu/submenu_play.h"

#include "media/input.h"
#include "menu/submenu_net.h"
#include "menu/submenu_players.h"

namespace {

constexpr int kBackButton = 0;
constexpr int kNetworkButton = 5;

// Index = value: back, the three levels, the tutorial, network play.
const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/volver.png", 510, 520},        {"gfx/menu/level1.png", 400, 350},
    {"gfx/menu/level2.png", 400, 150},        {"gfx/menu/level3.png", 120, 350},
    {"gfx/menu/leveltutorial.png", 120, 150}, {"gfx/menu/enred.png", 120, 520},
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

// The player-count panel (or the network panel) runs on the main menu's background; this panel is
// not drawn meanwhile.
int TSubMenuPlay::Close() {
  if (result == -1) {
    media::FlushMouse();
    return -1;
  }
  int chosen = -1;
  if (result == kNetworkButton) {
    chosen = RunToAnswer(*TSubMenuNet::Create(parent));
  } else {
    chosen =
        RunToAnswer(*TSubMenuPlayers::Create(parent, "gfx/menu/seleccionjugadores.png", 100, 200));
  }
  media::FlushMouse();
  if (chosen != -1) return result;
  Init();
  return kStillOpen;
}
