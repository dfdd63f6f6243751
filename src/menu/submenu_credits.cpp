#include "menu/submenu_credits.h"

namespace {

const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/ok.png", 590, 520},
};
constexpr int kClosedAnswer = 1;

}  // namespace

std::shared_ptr<TSubMenuCredits> TSubMenuCredits::Create(TMenu* parent,
                                                         const std::string& imagePath, float x,
                                                         float y) {
  return CreatePanel<TSubMenuCredits>(parent, imagePath, x, y);
}

void TSubMenuCredits::Init() {
  MakeButtons(kButtons, std::size(kButtons));
  StartFadeIn();
}

void TSubMenuCredits::OnClick(int) {
  phase = kFadingOut;
}

int TSubMenuCredits::Close() {
  return kClosedAnswer;
}
