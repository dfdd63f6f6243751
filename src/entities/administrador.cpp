#include "entities/administrador.h"

#include "core/sistema.h"
#include "core/timer.h"
#include "media/display.h"
#include "media/draw.h"

namespace {
constexpr float kCentreX = 400.0f;
constexpr float kCentreY = 300.0f;
constexpr float kGlideMs = 650.0f;
}  // namespace

std::shared_ptr<TAdministrador> TAdministrador::Create(std::shared_ptr<TSistema> system,
                                                       std::shared_ptr<TRecursos> resources,
                                                       EntityKinds kinds) {
  if (!system || !resources) return nullptr;
  auto manager = std::make_shared<TAdministrador>();
  manager->system = std::move(system);
  manager->resources = std::move(resources);
  manager->kinds_ = std::move(kinds);
  return manager;
}

std::shared_ptr<TTimer> TAdministrador::Clock() const {
  return system->GetTimer();
}

void TAdministrador::Add(const std::shared_ptr<TEntidad>& entity) {
  entity->SetLink(entities.Append(entity));
}

void TAdministrador::DrawAll() {
  entities.SortByDepth();
  entities.Walk([](const std::shared_ptr<TEntidad>& entity) { entity->Draw(); });
}

// While the darkening runs everything but the surviving players fades to black and transparent,
// and fallen players fade to red.
void TAdministrador::TintForDimmer(TEntidad& entity) const {
  const auto level = static_cast<uint8_t>((1 - dimmer) * 255);
  auto* player = dynamic_cast<TJugadorBase*>(&entity);
  if (player && player->GetState() != kPlayerOut) return;
  entity.red = player ? 255 : level;
  entity.green = level;
  entity.blue = level;
  entity.alpha = 1 - dimmer;
}

void TAdministrador::UpdateAll() {
  const float delta = Clock()->GetDelta(true);
  entities.Walk([this](const std::shared_ptr<TEntidad>& entity) {
    if (dimmer >= 0) TintForDimmer(*entity);
    entity->Update();
  });
  if (dimmer >= 0) {
    dimmer += delta * dimmerRate;
    if (dimmer > 1) dimmer = 1;
  }
}

// A rate of 1 / 0 would turn the level into NaN, which reads as "off" and leaves the field lit.
void TAdministrador::StartDimmer(float durationMs) {
  if (!(durationMs > 0)) {
    dimmer = 1;
    dimmerRate = 0;
    return;
  }
  dimmer = 0;
  dimmerRate = 1.0f / durationMs;
}

void TAdministrador::Clear() {
  for (int slot = 0; slot < playerCount; ++slot) players[slot]->Remove();
  playerCount = 0;
  entities.Clear();
}

void TAdministrador::PresentWinner() {
  entities.SortByDepth();
  entities.Walk([this](const std::shared_ptr<TEntidad>& entity) {
    auto* player = dynamic_cast<TJugadorBase*>(entity.get());
    if (player && player->GetState() != kPlayerOut) {
      player->Celebrate();
      GlideToCentre(*player);
    }
  });
}

void TAdministrador::GlideToCentre(TJugadorBase& player) {
  auto clock = Clock();
  const float stepX = (kCentreX - player.x) / kGlideMs;
  const float stepY = (kCentreY - player.y) / kGlideMs;
  const float end = clock->GetElapsed(true) + kGlideMs;
  while (clock->GetElapsed(true) < end) {
    clock->Update();
    const float delta = clock->GetDelta(true);
    player.x += stepX * delta;
    player.y += stepY * delta;
    player.Draw();
    media::Flip(-1);
    media::Clear();
  }
  player.x = kCentreX;
  player.y = kCentreY;
  player.Draw();
}
