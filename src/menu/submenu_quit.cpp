#include "menu/submenu_quit.h"

namespace {

enum QuitButton : int { kYesButton = 0, kNoButton = 1 };

const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/si.png", 300, 360},
    {"gfx/menu/no.png", 420, 360},
};

}  // namespace

std::shared_ptr<TSubMenuQuit> TSubMenuQuit::Create(TMenu* parent, const std::string& imagePath,
                                                   float x, float y) {
  return CreatePanel<TSubMenuQuit>(parent, imagePath, x, y);
}

void TSubMenuQuit::Init() {
  MakeButtons(kButtons, std::size(kButtons));
  StartFadeIn();
  result = 0;
}

void TSubMenuQuit::OnClick(int value) {
  result = value == kYesButton ? kYesAnswer : kNoAnswer;
  phase = kFadingOut;
}

int TSubMenuQuit::Close() {
  return result;
}
