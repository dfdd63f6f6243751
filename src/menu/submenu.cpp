#include "menu/submenu.h"

#include "core/sound_effects.h"
#include "media/display.h"
#include "media/draw.h"
#include "menu/menu.h"

namespace {

constexpr float kFadeStep = 0.1f;

}  // namespace

void TSubMenu::Setup(TMenu* owner, const std::string& imagePath, float panelX, float panelY) {
  x = panelX;
  y = panelY;
  panel = media::LoadImage(imagePath, media::kImageDefaultFlags);
  phase = kFadingIn;
  fade = 0;
  parent = owner;
}

void TSubMenu::MakeButtons(const ButtonPlace* places, int count) {
  media::AutoMidHandle(false);
  buttons.assign(count, nullptr);
  for (int value = 0; value < count; ++value) {
    buttons[value] =
        TMenuButton::Create(places[value].image, places[value].x, places[value].y, value, 0);
  }
}

void TSubMenu::StartFadeIn() {
  phase = kFadingIn;
  fade = 0;
  PlaySoundEffect(SoundEffect::kPanelOpen);
}

void TSubMenu::Draw() {
  if (!panel) return;
  media::SetBlend(media::kBlendAlpha);
  media::DrawImage(panel, x, y, 0);
  media::SetBlend(media::kBlendSolid);
}

// The fade is a 32-bit float: ten steps of 0.1 reach 1.0000001, so the panel is drawn on eleven
// frames, the last once more at that value, before its buttons appear.
void TSubMenu::FadeIn() {
  media::SetBlend(media::kBlendAlpha);
  if (fade >= 1) {
    phase = kActive;
  } else {
    fade += kFadeStep;
  }
  media::SetAlpha(fade);
  Draw();
}

// Sliders first, then every button in index order; a later click in the same frame wins.
void TSubMenu::Active() {
  media::SetAlpha(1);
  Draw();
  for (const auto& slider : sliders) slider->Refresh();
  for (const auto& button : buttons) {
    const int clicked = button->Update();
    if (clicked != -1) OnClick(clicked);
  }
  if (phase == kFadingOut) PlaySoundEffect(SoundEffect::kPanelClose);
}

bool TSubMenu::FadeOut() {
  media::SetBlend(media::kBlendAlpha);
  if (!(fade > 0)) return false;
  fade -= kFadeStep;
  media::SetAlpha(fade);
  Draw();
  return true;
}

// One phase per frame. The frame in which the panel closes ends right after the background: the
// answer leaves before the pointer is drawn and before the flip.
int TSubMenu::Step() {
  media::SetAlpha(1);
  parent->DrawBackground();
  if (phase == kFadingIn) {
    FadeIn();
  } else if (phase == kActive) {
    Active();
  } else if (!FadeOut()) {
    const int answer = Close();
    if (answer != kStillOpen) return answer;
  }
  parent->DrawCursor();
  media::Flip(-1);
  media::Clear();
  return kStillOpen;
}

int RunToAnswer(TSubMenu& panel) {
  int answer = TSubMenu::kStillOpen;
  while (answer == TSubMenu::kStillOpen) answer = panel.Step();
  return answer;
}
