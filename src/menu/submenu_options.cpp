#include "menu/submenu_options.h"

#include "core/sound_effects.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "menu/key_names.h"
#include "menu/menu.h"

namespace {

enum OptionsButton : int {
  kBindPlayer1 = 0,
  kBindPlayer4 = 3,
  kOkButton = 6,
  kCancelButton = 7,
};

// Index = value. The two volume labels are buttons too; a click on them does nothing.
const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/teclaj1.png", 100, 180},   {"gfx/menu/teclaj2.png", 100, 230},
    {"gfx/menu/teclaj3.png", 100, 280},   {"gfx/menu/teclaj4.png", 100, 330},
    {"gfx/menu/volmusica.png", 100, 380}, {"gfx/menu/volsonido.png", 100, 430},
    {"gfx/menu/ok.png", 100, 500},        {"gfx/menu/cancelar.png", 200, 500},
};

constexpr float kSliderX = 370;
constexpr float kMusicSliderY = 380;
constexpr float kSoundSliderY = 430;
constexpr float kVolumeMin = 0;
constexpr float kVolumeMax = 100;
enum Slider : int { kMusicSlider = 0, kSoundSlider = 1 };

constexpr float kBindingTextX = 430;
constexpr float kBindingTextY = 185;
constexpr float kBindingTextSpacing = 50;
constexpr float kBindingTextAlpha = 0.8f;

// The prompt is hidden for 700 ms, then shown for 700 ms, counted in tenths of a second.
constexpr int kBlinkTickMs = 100;
constexpr int kBlinkShowTicks = 7;
constexpr int kBlinkCycleTicks = 14;

void SetBindingTextStyle() {
  media::SetColor(255, 200, 200);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(kBindingTextAlpha);
}

// The input pressed since the last poll, 0 for none. Later sources win: a joystick button beats a
// mouse button, which beats a key; among the mouse buttons middle beats right beats left.
int PollInputCode() {
  int code = 0;
  for (int key = 0; key < media::kKeyCodes; ++key) {
    if (media::KeyHit(key) > 0) {
      code = key;
      break;
    }
  }
  for (int button = 1; button <= media::kMouseButtons; ++button) {
    if (media::MouseHit(button) > 0) code = button;
  }
  const int ports = media::JoystickCount();
  for (int port = 0; port < ports; ++port) {
    for (int button = 0; button < media::kJoystickButtons; ++button) {
      if (media::JoystickHit(button, port) > 0) {
        code = kJoystickCodeBase + port * kJoystickCodesPerPort + button;
      }
    }
  }
  return code;
}

}  // namespace

std::shared_ptr<TSubMenuOptions> TSubMenuOptions::Create(TMenu* parent,
                                                         const std::string& imagePath, float x,
                                                         float y) {
  auto options = CreatePanel<TSubMenuOptions>(parent, imagePath, x, y);
  options->promptImage =
      media::LoadImage("gfx/menu/presioneunatecla.png", media::kImageDefaultFlags);
  return options;
}

void TSubMenuOptions::Init() {
  MakeButtons(kButtons, std::size(kButtons));
  const TConfiguracion& config = *parent->system->GetConfig();
  sliders = {
      TMenuSlider::Create(kSliderX, kMusicSliderY, kVolumeMin, kVolumeMax, 0),
      TMenuSlider::Create(kSliderX, kSoundSliderY, kVolumeMin, kVolumeMax, 0),
  };
  sliders[kMusicSlider]->value = static_cast<float>(config.musicVolume);
  sliders[kSoundSlider]->value = static_cast<float>(config.soundVolume);
  sliders[kSoundSlider]->ticksAtItsValue = true;
  pendingKeys = config.keys;
  StartFadeIn();
}

// The texts show the bindings stored in the settings, not the pending ones: a new binding shows
// once OK has stored it, the next time the panel opens.
void TSubMenuOptions::DrawBindings() {
  const TConfiguracion& config = *parent->system->GetConfig();
  for (int player = 0; player < kMaxPlayers; ++player) {
    media::DrawText(KeyName(config.keys[player]), kBindingTextX,
                    kBindingTextY + kBindingTextSpacing * static_cast<float>(player));
  }
}

// The sliders, drawn after this without a render state of their own, come out solid and tinted.
void TSubMenuOptions::Draw() {
  if (!panel) return;
  media::SetBlend(media::kBlendAlpha);
  media::DrawImage(panel, x, y, 0);
  SetBindingTextStyle();
  DrawBindings();
  media::SetBlend(media::kBlendSolid);
}

void TSubMenuOptions::DrawPrompt(int& blinkStart) {
  const int now = static_cast<int>(media::Milliseconds());
  const int ticks = (now - blinkStart) / kBlinkTickMs;
  if (ticks < kBlinkShowTicks) return;
  media::SetBlend(media::kBlendAlpha);
  const int halfWidth = media::ImageWidth(promptImage) / 2;
  const int halfHeight = media::ImageHeight(promptImage) / 2;
  media::DrawImage(promptImage, static_cast<float>(kScreenWidth / 2 - halfWidth),
                   static_cast<float>(kScreenHeight / 2 - halfHeight), 0);
  media::SetBlend(media::kBlendSolid);
  if (ticks >= kBlinkCycleTicks) blinkStart = now;
}

// The menu's pointer is not drawn while the capture waits. The input is polled before the
// sliders run, since a slider flushes the mouse whenever the left button is up and would
// otherwise swallow a right or middle click. The press on the binding button itself was flushed
// at the start, so only a new press counts; any input at all, Escape included, can be bound.
int TSubMenuOptions::CaptureKey() {
  int blinkStart = static_cast<int>(media::Milliseconds());
  media::FlushKeys();
  media::FlushMouse();
  int code = 0;
  while (code == 0) {
    media::SetAlpha(1);
    parent->DrawBackground();
    Draw();
    code = PollInputCode();
    for (const auto& slider : sliders) slider->Update();
    for (const auto& button : buttons) button->Draw();
    DrawPrompt(blinkStart);
    media::Flip(-1);
    media::Clear();
  }
  media::FlushKeys();
  media::FlushMouse();
  return code;
}

void TSubMenuOptions::Apply() {
  TConfiguracion& config = *parent->system->GetConfig();
  config.keys = pendingKeys;
  config.musicVolume = static_cast<int>(sliders[kMusicSlider]->value);
  config.soundVolume = static_cast<int>(sliders[kSoundSlider]->value);
  config.Save();
  media::SetChannelVolume(parent->musicChannel, config.MusicChannelVolume());
  SetSoundEffectsVolume(config.soundVolume);
}

void TSubMenuOptions::OnClick(int value) {
  if (value >= kBindPlayer1 && value <= kBindPlayer4) {
    pendingKeys[value] = CaptureKey();
    PlaySoundEffect(SoundEffect::kBind);
    // The capture used up this press. Left tracked, the button would fire again on the next
    // frame while the pointer rests on it and start a new capture that takes whatever the player
    // does next (a click on OK would become the binding).
    buttons[value]->pressState = TMenuButton::kIdle;
  } else if (value == kOkButton) {
    Apply();
    phase = kFadingOut;
  } else if (value == kCancelButton) {
    phase = kFadingOut;
  }
}

int TSubMenuOptions::Close() {
  return kClosedAnswer;
}
