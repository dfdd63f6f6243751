#include "menu/menu_slider.h"

#include <algorithm>

#include "core/sound_effects.h"
#include "media/draw.h"
#include "media/input.h"

namespace {

constexpr float kGrabMargin = 10;  // the knob can be caught a little outside its picture
constexpr int kLeftButton = 1;

}  // namespace

std::shared_ptr<TMenuSlider> TMenuSlider::Create(float x, float y, float min, float max,
                                                 float value) {
  auto slider = std::make_shared<TMenuSlider>();
  slider->x = x;
  slider->y = y;
  slider->min = min;
  slider->max = max;
  slider->value = value;
  slider->bar = media::LoadImage("gfx/menu/sliderbar.png", media::kImageDefaultFlags);
  slider->knob = media::LoadImage("gfx/menu/sliderbutton.png", media::kImageDefaultFlags);
  slider->barWidth = static_cast<float>(media::ImageWidth(slider->bar));
  slider->knobWidth = static_cast<float>(media::ImageWidth(slider->knob));
  slider->knobHeight = static_cast<float>(media::ImageHeight(slider->knob));
  return slider;
}

// The knob's left edge: value / max of the way along the bar, less the knob's own width, so that
// at the top of the range it ends with the bar (the sliders all start at 0). A drag maps the
// pointer along the whole bar, so the knob stays under the pointer from one end to the other.
float TMenuSlider::KnobX() const {
  return x + value / max * std::max(0.0f, barWidth - knobWidth);
}

bool TMenuSlider::IsMouseOver() const {
  const float knobX = KnobX();
  const float mouseX = static_cast<float>(media::MouseX());
  const float mouseY = static_cast<float>(media::MouseY());
  return knobX - kGrabMargin < mouseX && mouseX < knobX + knobWidth + kGrabMargin &&
         y - kGrabMargin < mouseY && mouseY < y + knobHeight + kGrabMargin;
}

void TMenuSlider::Tick() const {
  if (ticksAtItsValue) {
    PlaySoundEffectAt(SoundEffect::kTick, static_cast<int>(value));
  } else {
    PlaySoundEffect(SoundEffect::kTick);
  }
}

void TMenuSlider::Update() {
  media::DrawImage(bar, x, y + knobHeight / 2, 0);
  if (media::MouseDown(kLeftButton)) {
    if (pressState == kPressedHere || (pressState == kIdle && IsMouseOver())) {
      pressState = kPressedHere;
      dragging = 1;
    } else {
      pressState = kPressedElsewhere;
    }
  } else {
    media::FlushMouse();
    if (dragging) Tick();
    dragging = 0;
    pressState = kIdle;
  }
  // Without its bar picture the slider has no length to drag along.
  if (dragging && barWidth > 0) {
    value = min + (static_cast<float>(media::MouseX()) - x) / barWidth * (max - min);
    if (value < min) value = min;
    if (value > max) value = max;
  }
  media::DrawImage(knob, KnobX(), y, 0);
}
