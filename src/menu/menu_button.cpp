#include "menu/menu_button.h"

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
constexpr float kMaxAlpha = 1.0f;
constexpr float kMinAlpha = 0.5f;
constexpr float kAlphaStep = 0.1f;
constexpr float kSlidingAlpha = 0.5f;
constexpr int kLeftButton = 1;

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
                                                 int value, int growOnHover) {
  auto button = std::make_shared<TMenuButton>();
  button->image = media::LoadImage(imagePath, media::kImageDefaultFlags);
  button->x = x;
  button->y = y;
  button->value = value;
  button->growOnHover = growOnHover;
  button->slideY = kSlideStartY;
  button->sliding = 1;
  button->width = static_cast<float>(media::ImageWidth(button->image));
  button->height = static_cast<float>(media::ImageHeight(button->image));
  return button;
}

void TMenuButton::DrawSliding() {
  media::SetBlend(media::kBlendAlpha);
  media::SetScale(1, 1);
  media::SetAlpha(kSlidingAlpha);
  media::SetColor(255, 255, 255);
  media::DrawImage(image, x, slideY, 0);
  RestoreRenderState();
}

void TMenuButton::Draw() {
  media::SetBlend(media::kBlendAlpha);
  media::SetScale(scale, scale);
  media::SetAlpha(alpha);
  media::SetColor(255, 255, 255);
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

// All in 32-bit floats with strict comparisons, so the steps land where they always have.
void TMenuButton::Animate(bool hovered) {
  if (growOnHover == 1) {
    if (hovered && scale < kMaxScale) {
      scale += kScaleStep;
    } else if (!hovered && scale > kMinScale) {
      scale -= kScaleStep;
    }
    alpha = scale / 2;
  } else if (hovered && alpha < kMaxAlpha) {
    alpha += kAlphaStep;
  } else if (!hovered && alpha > kMinAlpha) {
    alpha -= kAlphaStep;
  }
}

int TMenuButton::Update() {
  if (sliding == 1) {
    if (slideY - y > kSlideEndDistance) {
      slideY -= (slideY - y) / kSlideDivisor;
    } else {
      sliding = 0;
    }
    DrawSliding();
    return -1;
  }
  if (media::MouseDown(kLeftButton)) {
    TrackPress();
  } else if (pressState == kPressedHere && IsMouseOver()) {
    // The click completes; the press stays tracked, so the button fires again if it is still
    // under the pointer the next time it is updated with the button up.
    return value;
  } else {
    pressState = kIdle;
    media::FlushMouse();
  }
  // A press that began elsewhere never hovers.
  const bool hovered = pressState == kPressedHere || (pressState == kIdle && IsMouseOver());
  if (hovered && !wasHovered) PlaySoundEffect(SoundEffect::kHover);
  wasHovered = hovered;
  Animate(hovered);
  Draw();
  return -1;
}
