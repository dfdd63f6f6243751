#include "menu/menu_button.h"

#include <algorithm>

#include "core/sound_effects.h"
#include "media/draw.h"
#include "media/input.h"

namespace {

constexpr float kSlideStartY = 650;
constexpr float kSlideEndDistance = 0.5f;  // closer than this to its place, the slide ends
constexpr float kSlideDivisor = 5;         // a fifth of the remaining distance per frame
constexpr float kHoverMargin = 10;         // the pointer counts as over a little outside the image
constexpr float kMaxScale = 2.0f;
constexpr float kMinScale = 1.0f;
constexpr float kScaleStep = 0.15f;
constexpr float kMaxLight = 1.0f;
constexpr float kMinLight = 0.5f;
constexpr float kLightStep = 0.1f;
// A resting button is opaque, so the scenery never shows through it, and a shade darker than
// under the pointer.
constexpr float kRestingShade = 0.78f;
constexpr int kLeftButton = 1;

// Solid at any light, from the resting shade up to its own colours under the pointer.
void SetShade(float light) {
  const float shade =
      kRestingShade + (1 - kRestingShade) * (light - kMinLight) / (kMaxLight - kMinLight);
  const int level = static_cast<int>(255 * shade + 0.5f);
  media::SetColor(level, level, level);
  media::SetAlpha(1);
}

// Every drawing of a button leaves the render state as the menus expect it next: solid, opaque,
// white, unscaled.
void RestoreRenderState() {
  media::SetScale(1, 1);
  media::SetAlpha(1);
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendSolid);
}

}  // namespace

std::shared_ptr<TMenuButton> TMenuButton::Create(const std::string& imagePath, float x, float y,
                                                 int value, int growOnHover, float artScale) {
  auto button = std::make_shared<TMenuButton>();
  button->image = media::LoadImage(imagePath, media::kImageDefaultFlags);
  button->x = x;
  button->y = y;
  button->value = value;
  button->growOnHover = growOnHover;
  button->slideY = kSlideStartY;
  button->sliding = 1;
  button->artScale = artScale;
  button->width = static_cast<float>(media::ImageWidth(button->image)) / artScale;
  button->height = static_cast<float>(media::ImageHeight(button->image)) / artScale;
  return button;
}

void TMenuButton::DrawSliding() {
  media::SetBlend(media::kBlendAlpha);
  media::SetScale(1 / artScale, 1 / artScale);
  SetShade(kMinLight);
  media::DrawImage(image, x, slideY, 0);
  RestoreRenderState();
}

void TMenuButton::Draw() {
  media::SetBlend(media::kBlendAlpha);
  media::SetScale(scale / artScale, scale / artScale);
  SetShade(light);
  media::DrawImage(image, x, y, 0);
  RestoreRenderState();
}

// Uses the unscaled size and the final place, even while the button is drawn grown.
bool TMenuButton::IsMouseOver() const {
  const float mouseX = static_cast<float>(media::MouseX());
  const float mouseY = static_cast<float>(media::MouseY());
  return x - kHoverMargin < mouseX && mouseX < x + width + kHoverMargin &&
         y - kHoverMargin < mouseY && mouseY < y + height + kHoverMargin;
}

void TMenuButton::TrackPress() {
  if (pressState != kIdle) return;
  pressState = IsMouseOver() ? kPressedHere : kPressedElsewhere;
  if (pressState == kPressedHere) PlaySoundEffect(SoundEffect::kClick);
}

// The steps stop at their limits: float steps of 0.15 or 0.1 would overshoot them, and a button
// left alone would settle smaller and dimmer than it started.
void TMenuButton::Animate() {
  if (growOnHover == 1) {
    scale =
        hovered ? std::min(kMaxScale, scale + kScaleStep) : std::max(kMinScale, scale - kScaleStep);
    light = scale / 2;
  } else {
    light =
        hovered ? std::min(kMaxLight, light + kLightStep) : std::max(kMinLight, light - kLightStep);
  }
}

int TMenuButton::Step() {
  drawSliding_ = sliding == 1;
  if (sliding == 1) {
    if (slideY - y > kSlideEndDistance) {
      slideY -= (slideY - y) / kSlideDivisor;
    } else {
      sliding = 0;
    }
    return -1;
  }
  if (media::MouseDown(kLeftButton)) {
    TrackPress();
  } else if (pressState == kPressedHere && IsMouseOver()) {
    // The click completes and the press is used up: a pointer left resting on the button must
    // not fire it again on every frame that follows.
    pressState = kIdle;
    return value;
  } else {
    pressState = kIdle;
    media::FlushMouse();
  }
  // A press that began elsewhere never hovers.
  const bool nowHovered = pressState == kPressedHere || (pressState == kIdle && IsMouseOver());
  if (nowHovered && !hovered) PlaySoundEffect(SoundEffect::kHover);
  hovered = nowHovered;
  Animate();
  return -1;
}

void TMenuButton::DrawCurrent() {
  if (drawSliding_) {
    DrawSliding();
  } else {
    Draw();
  }
}

int TMenuButton::Update() {
  const int clicked = Step();
  if (clicked == -1) DrawCurrent();
  return clicked;
}
