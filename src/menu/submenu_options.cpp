#include "menu/submenu_options.h"

#include <string>

#include "core/key_names.h"
#include "core/sound_effects.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "menu/menu.h"

namespace {

enum OptionsButton : int {
  kBindPlayer1 = 0,
  kBindPlayer4 = 3,
  kOkButton = 6,
  kCancelButton = 7,
  kComputerPlayer1 = 8,
  kComputerPlayer4 = 11,
};

// Index = value. The two volume labels are buttons too; a click on them does nothing.
const TSubMenu::ButtonPlace kButtons[] = {
    {"gfx/menu/teclaj1.png", 100, 180},   {"gfx/menu/teclaj2.png", 100, 230},
    {"gfx/menu/teclaj3.png", 100, 280},   {"gfx/menu/teclaj4.png", 100, 330},
    {"gfx/menu/volmusica.png", 100, 380}, {"gfx/menu/volsonido.png", 100, 430},
    {"gfx/menu/ok.png", 100, 500},        {"gfx/menu/cancelar.png", 200, 500},
    {"gfx/menu/cpu.png", 605, 180},       {"gfx/menu/cpu.png", 605, 230},
    {"gfx/menu/cpu.png", 605, 280},       {"gfx/menu/cpu.png", 605, 330},
};

constexpr float kSliderX = 370;
constexpr float kMusicSliderY = 380;
constexpr float kSoundSliderY = 430;
constexpr float kVolumeMin = 0;
constexpr float kVolumeMax = 100;
enum Slider : int { kMusicSlider = 0, kSoundSlider = 1 };

// The names are written into the dark slots of the panel picture, centred on the capitals; each
// row's CPU button leaves its slot 180 px wide.
constexpr float kBindingSlotCentreX = 505;
constexpr float kBindingSlotCentreY = 200;
constexpr float kBindingSlotSpacing = 50;
constexpr float kBindingSlotTextWidth = 164;  // a longer name is narrowed to fit its slot

// The prompt is hidden for 700 ms, then shown for 700 ms, counted in tenths of a second.
constexpr int kBlinkTickMs = 100;
constexpr int kBlinkShowTicks = 7;
constexpr int kBlinkCycleTicks = 14;

// A person's button pale on the dark slot, the computer's strength in the green of its eyes; at
// the panel's own alpha, so the names fade with it.
void DrawBindingName(int code, int player, float alpha) {
  const std::string name = KeyName(code);
  const float width = static_cast<float>(media::TextWidth(name));
  const float narrowing = width > kBindingSlotTextWidth ? kBindingSlotTextWidth / width : 1;
  const float centreY = kBindingSlotCentreY + kBindingSlotSpacing * static_cast<float>(player);
  if (IsCpuSeat(code)) {
    media::SetColor(190, 240, 140);
  } else {
    media::SetColor(243, 234, 208);
  }
  media::SetAlpha(alpha);
  media::SetTransform(0, narrowing, 1);
  media::DrawText(name, kBindingSlotCentreX - width * narrowing / 2,
                  centreY - static_cast<float>(media::TextBaseline()) +
                      static_cast<float>(media::TextCapHeight()) / 2);
}

// A person's seat goes to the computer, easy first; each click makes it stronger, and after the
// hardest it goes back to the person and the button they had.
int NextSeat(int code, int personCode) {
  const auto strength = SeatStrength(code);
  if (!strength) return CpuSeatCode(CpuStrength::kEasy);
  if (*strength == CpuStrength::kHard) return personCode;
  return code + 1;
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
        code = JoystickCode(port, button);
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
  const TConfiguracion defaults;
  for (int player = 0; player < kMaxPlayers; ++player) {
    personKeys[player] = config.CpuSeat(player) ? defaults.keys[player] : config.keys[player];
  }
  StartFadeIn();
}

// The pending choices: a binding just captured, or a seat just handed to the computer, shows at
// once, before OK stores it.
void TSubMenuOptions::DrawBindings(float alpha) const {
  for (int player = 0; player < kMaxPlayers; ++player) {
    DrawBindingName(pendingKeys[player], player, alpha);
  }
}

// The sliders, drawn after this without a render state of their own, come out solid.
void TSubMenuOptions::Draw() {
  if (!panel) return;
  const float alpha = media::GetRenderState().alpha;
  media::SetBlend(media::kBlendAlpha);
  media::DrawImage(panel, x, y, 0);
  DrawBindings(alpha);
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(alpha);
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

// A capture asked for in the last frame runs first, in frames of its own; this frame is then
// drawn whole. Run in the middle of a frame, it would leave that frame with nothing but the
// buttons after the clicked one.
int TSubMenuOptions::Step() {
  if (captureFor_ != kNoCapture) {
    pendingKeys[captureFor_] = personKeys[captureFor_] = CaptureKey();
    PlaySoundEffect(SoundEffect::kBind);
    captureFor_ = kNoCapture;
  }
  return TSubMenu::Step();
}

void TSubMenuOptions::OnClick(int value) {
  if (value >= kBindPlayer1 && value <= kBindPlayer4) {
    captureFor_ = value;
  } else if (value == kOkButton) {
    Apply();
    phase = kFadingOut;
  } else if (value == kCancelButton) {
    phase = kFadingOut;
  } else if (value >= kComputerPlayer1 && value <= kComputerPlayer4) {
    const int player = value - kComputerPlayer1;
    pendingKeys[player] = NextSeat(pendingKeys[player], personKeys[player]);
  }
}

int TSubMenuOptions::Close() {
  return kClosedAnswer;
}
