#include "entities/sign.h"

#include "core/timer.h"
#include "media/draw.h"

namespace {
constexpr float kFadeOutMs = 1500.0f;
}

std::shared_ptr<TSign> TSign::Create(std::shared_ptr<TTimer> timer, media::ImagePtr image,
                                     float offsetX, float offsetY, std::shared_ptr<TEntidad> target,
                                     float durationMs) {
  if (!timer) return nullptr;
  auto sign = std::make_shared<TSign>();
  sign->frameTimer = std::move(timer);
  sign->image = std::move(image);
  sign->offsetX = offsetX;
  sign->offsetY = offsetY;
  sign->target = std::move(target);
  if (sign->target) sign->depth = sign->target->depth - 1;  // just in front of it
  sign->endTime = static_cast<int32_t>(sign->frameTimer->GetElapsed(false) + durationMs);
  return sign;
}

void TSign::Update() {
  const float now = frameTimer->GetElapsed(false);
  if (now <= endTime) return;
  alpha = 1 - (now - endTime) / kFadeOutMs;
  if (alpha < 0) Remove();
}

void TSign::Draw() {
  ApplyRenderState();
  if (target) {
    media::DrawImage(image, target->x + offsetX, target->y + offsetY, 0);
  } else {
    media::DrawImage(image, offsetX, offsetY, 0);
  }
}
