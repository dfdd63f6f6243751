#include "entities/blood.h"

#include "core/timer.h"
#include "media/draw.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr int kFirstSplatImage = 7;  // "gfx/sangre1.png" … "gfx/sangre5.png"
constexpr int kLastSplatImage = 11;
constexpr float kGrowthPerMs = 0.002f;
}  // namespace

std::shared_ptr<TBlood> TBlood::Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                       std::shared_ptr<TRecursos> resources, float lifetime,
                                       float x, float y, float speedX, float speedY) {
  if (!manager || !timer || !resources) return nullptr;
  auto splat = std::make_shared<TBlood>();
  splat->manager = manager;
  splat->frameTimer = std::move(timer);
  splat->resources = std::move(resources);
  splat->x = x;
  splat->y = y;
  splat->image = splat->resources->GetImage(media::RandomInt(kFirstSplatImage, kLastSplatImage));
  splat->blend = media::kBlendAlpha;
  splat->alpha = static_cast<float>(media::RandomFloat(0.9, 1));
  splat->rotation = static_cast<float>(media::RandomFloat(0, 360));
  splat->scaleX = static_cast<float>(media::RandomFloat(0.75, 2.25));
  splat->scaleY = static_cast<float>(media::RandomFloat(0.75, 2.25));
  const auto grey = static_cast<uint8_t>(media::RandomInt(180, 255));
  splat->red = splat->green = splat->blue = grey;
  splat->endTime = splat->frameTimer->GetElapsed(false) + lifetime;
  splat->fadeRate = -splat->alpha / lifetime;  // transparent exactly when it ends
  splat->depth = media::RandomInt(0, 100);
  splat->speedX = speedX;
  splat->speedY = speedY;
  return splat;
}

void TBlood::Update() {
  const float delta = frameTimer->GetDelta(false);
  alpha += fadeRate * delta;
  x += speedX * delta;
  y += speedY * delta;
  scaleX += kGrowthPerMs * delta;
  scaleY += kGrowthPerMs * delta;
  if (frameTimer->GetElapsed(false) > endTime) Remove();
}

void TBlood::Draw() {
  ApplyRenderState();
  media::DrawImage(image, x, y, 0);
}
