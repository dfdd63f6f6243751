#include "menu/submenu_players.h"

#include "media/input.h"
#include "menu/menu.h"

namespace {

constexpr int kBackButton = 0;
// Button 1 asks for two players, 2 for three, 3 for four.
constexpr int kPlayersOverButton = 1;

const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/volver.png", 385, 345},
    {"gfx/menu/jugadores2.png", 150, 275},
    {"gfx/menu/jugadores3.png", 360, 275},
    {"gfx/menu/jugadores4.png", 150, 345},
};

}  // namespace

std::shared_ptr<TSubMenuPlayers> TSubMenuPlayers::Create(TMenu* parent,
                                                         const std::string& imagePath, float x,
                                                         float y) {
  return CreatePanel<TSubMenuPlayers>(parent, imagePath, x, y);
}

void TSubMenuPlayers::Init() {
  MakeButtons(kButtons, std::size(kButtons));
  StartFadeIn();
  result = -1;
}

void TSubMenuPlayers::OnClick(int value) {
  result = value == kBackButton ? -1 : value + kPlayersOverButton;
  phase = kFadingOut;
}

int TSubMenuPlayers::Close() {
  if (result != -1) parent->system->GetConfig()->playerCount = result;
  media::FlushMouse();
  return result;
}
