#include "field/notice.h"

#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"

namespace field {

namespace {
constexpr float kScreenCentreX = 400;
constexpr float kTextScale = 1;
constexpr float kMargin = 12;
constexpr float kPlateAlpha = 0.7f;
constexpr uint32_t kNoticeMs = 4000;

bool AnyKeyOrClick() {
  for (int key = 1; key < media::kKeyCodes; ++key) {
    if (media::KeyHit(key)) return true;
  }
  for (int button = 1; button <= media::kMouseButtons; ++button) {
    if (media::MouseHit(button)) return true;
  }
  return false;
}
}  // namespace

void DrawNotice(const std::string& text, float centreY) {
  const std::string latin1 = media::Latin1(text);
  const float width = media::TextWidth(latin1) * kTextScale;
  const float height = media::TextHeight() * kTextScale;
  const float left = kScreenCentreX - width / 2;
  const float top = centreY - height / 2;
  media::SetBlend(media::kBlendAlpha);
  media::SetColor(0, 0, 0);
  media::SetAlpha(kPlateAlpha);
  media::FillRect(left - kMargin, top - kMargin, width + 2 * kMargin, height + 2 * kMargin);
  media::SetColor(255, 255, 255);
  media::SetAlpha(1);
  media::SetTransform(0, kTextScale, kTextScale);
  media::DrawText(latin1, left, top);
  media::SetTransform(0, 1, 1);
}

void ShowNotice(const std::string& text) {
  media::Print(text);
  media::FlushKeys();
  media::FlushMouse();
  const uint32_t end = media::Milliseconds() + kNoticeMs;
  while (static_cast<int32_t>(end - media::Milliseconds()) > 0 && !AnyKeyOrClick()) {
    media::SetClearColor(0, 0, 0);
    media::Clear();
    DrawNotice(text, 300);
    media::Flip(-1);
  }
  media::FlushKeys();
  media::FlushMouse();
}

}  // namespace field
