#include "menu/menu.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/music.h"
#include "core/top_level_state.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "menu/submenu_credits.h"
#include "menu/submenu_options.h"
#include "menu/submenu_play.h"
#include "menu/submenu_quit.h"

namespace {

enum MainButton : int { kPlayButton = 0, kOptionsButton = 1, kCreditsButton = 2, kQuitButton = 3 };

struct MainButtonPlace {
  const char* image;
  float x;
  float y;
};

constexpr MainButtonPlace kMainButtons[TMenu::kButtonCount] = {
    {"gfx/menu/Jugar.png", 300, 200},
    {"gfx/menu/Opciones.png", 320, 275},
    {"gfx/menu/Creditos.png", 340, 350},
    {"gfx/menu/Salir.png", 360, 425},
};

// The main buttons' pictures are painted at their grown size, so a grown button is as sharp as
// a resting one.
constexpr float kMainButtonArtScale = 2;
constexpr float kPulseStep = 0.0075f;  // one light cycle in about 267 frames
// At its height the light adds this share of the picture to itself: enough to breathe, too little
// to wash the skull and the moon out to white or to turn the title's green.
constexpr float kPulseDepth = 0.08f;
constexpr uint32_t kDemoAfterMs = 90000;
constexpr int kCursorFrameMs = 200;

// The play panel's answers 1-3 are the levels in this order; 4 is the tutorial, 5 a network
// match that is ready.
constexpr int kLevelCount = 3;
constexpr int kTutorialAnswer = 4;
constexpr int kNetworkAnswer = 5;
constexpr int kQuitYesAnswer = 1;

int Clock() {
  return static_cast<int>(media::Milliseconds());
}

}  // namespace

std::shared_ptr<TMenu> TMenu::Create(std::shared_ptr<TSistema> system) {
  media::HidePointer();
  auto menu = std::make_shared<TMenu>();
  menu->system = std::move(system);
  menu->nextState = -1;
  return menu;
}

void TMenu::Init() {
  media::AutoMidHandle(false);
  for (int i = 0; i < kButtonCount; ++i) {
    const MainButtonPlace& place = kMainButtons[i];
    buttons[i] = TMenuButton::Create(place.image, place.x, place.y, i, 1, kMainButtonArtScale);
  }
  musicChannel = media::PlaySound(menuMusic, {.volume = system->GetConfig()->MusicChannelVolume()});
  background = media::LoadImage("gfx/menu/menu.png", media::kImageDefaultFlags);
  for (int i = 0; i < kCursorFrameCount; ++i) {
    cursorFrames[i] = media::LoadImage("gfx/menu/cursoranimado_" + std::to_string(i + 1) + ".png",
                                       media::kImageDefaultFlags);
  }
  cursorFrameTime = Clock();
  nextState = -1;
  StartIdleWatch();
}

void TMenu::StartIdleWatch() {
  idleSince = media::Milliseconds();
  pressesSeen = media::PersonPresses();
  pointerX = media::MouseX();
  pointerY = media::MouseY();
}

void TMenu::WatchForSomeone() {
  if (media::PersonPresses() != pressesSeen || media::MouseX() != pointerX ||
      media::MouseY() != pointerY) {
    StartIdleWatch();
  } else if (media::Milliseconds() - idleSince >= kDemoAfterMs && nextState == -1) {
    nextState = kStateDemo;
  }
}

// The second, additive pass makes a triangle wave of light: |pulse| climbs to 1, holds when pulse
// wraps to -1, and falls back to 0, lighting the picture by at most kPulseDepth of itself. Whatever
// the last frame left in the render state (a tint, a scale) is reset first, and what is drawn over
// the background starts from a plain, opaque state: a panel drawn at the pulse's alpha would throb
// with it.
void TMenu::DrawBackground() {
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(1);
  media::DrawImage(background, 0, 0, 0);
  media::SetBlend(media::kBlendLight);
  pulse += kPulseStep;
  if (pulse > 1) pulse = -1;
  media::SetAlpha(std::fabs(pulse) * kPulseDepth);
  media::DrawImage(background, 0, 0, 0);
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(1);
}

// Colour, alpha and scale stay the caller's, so the pointer fades with a fading panel.
void TMenu::DrawCursor() {
  const int now = Clock();
  if (now - cursorFrameTime > kCursorFrameMs) {
    ++cursorFrame;
    cursorFrameTime = now;
    if (cursorFrame > kCursorFrameCount - 1) cursorFrame = 0;
  }
  media::SetBlend(media::kBlendAlpha);
  media::DrawImage(cursorFrames[cursorFrame], static_cast<float>(media::MouseX()),
                   static_cast<float>(media::MouseY()), 0);
}

// The hovered button is drawn last, over its neighbours, and the others from the smallest up, so
// a button still shrinking back is not covered by the resting ones either.
void TMenu::DrawButtons() const {
  std::array<TMenuButton*, kButtonCount> order;
  for (int i = 0; i < kButtonCount; ++i) order[i] = buttons[i].get();
  std::stable_sort(order.begin(), order.end(), [](const TMenuButton* a, const TMenuButton* b) {
    return !a->hovered && (b->hovered || a->scale < b->scale);
  });
  for (TMenuButton* button : order) button->DrawCurrent();
}

// The frame of a click is not presented, and the buttons after the clicked one are not updated.
int TMenu::Frame() {
  DrawBackground();
  for (const auto& button : buttons) {
    const int clicked = button->Step();
    if (clicked != -1) return clicked;
  }
  DrawButtons();
  DrawCursor();
  media::Flip(-1);
  media::Clear();
  return -1;
}

void TMenu::ChooseLevel(int answer) {
  if (answer >= 1 && answer <= kLevelCount) {
    TConfiguracion& config = *system->GetConfig();
    config.levelName = kLevelNames[answer - 1];
    config.levelIndex = answer - 1;
    nextState = kStateMatch;
  } else if (answer == kTutorialAnswer) {
    nextState = kStateTutorial;
  } else if (answer == kNetworkAnswer && netMatch) {
    nextState = kStateMatch;
  }
}

void TMenu::RunPanel(int clicked) {
  std::shared_ptr<TSubMenu> panel;
  switch (clicked) {
    case kPlayButton:
      panel = TSubMenuPlay::Create(this, "gfx/menu/seleccionescenario.png", 100, 100);
      break;
    case kOptionsButton:
      panel = TSubMenuOptions::Create(this, "gfx/menu/panelopciones.png", 50, 100);
      break;
    case kCreditsButton:
      panel = TSubMenuCredits::Create(this, "gfx/menu/panelcreditos.png", 100, 100);
      break;
    case kQuitButton:
      panel = TSubMenuQuit::Create(this, "gfx/menu/seguroquedeseasalir.png", 200, 300);
      break;
    default:
      return;
  }
  if (!panel) return;
  const int answer = RunToAnswer(*panel);
  if (clicked == kPlayButton) ChooseLevel(answer);
  if (clicked == kQuitButton && answer == kQuitYesAnswer) nextState = kStateQuit;
}

int TMenu::Run() {
  Init();
  do {
    RunPanel(Frame());
    WatchForSomeone();
  } while (nextState == -1);
  media::StopChannel(musicChannel);
  return nextState;
}
