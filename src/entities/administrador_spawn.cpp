#include <algorithm>

#include "core/sistema.h"
#include "entities/administrador.h"
#include "entities/blood.h"
#include "entities/flecha_dir.h"
#include "media/draw.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr uint8_t kDarkBlood = 15;
constexpr int kSparksImage = 12;  // "gfx/chispas.png"
constexpr float kSpread = 15.0f;  // pixels around the given point
constexpr float kDrift = 0.1f;    // px/ms either way
}  // namespace

void TAdministrador::AddZombieOfKind(const EntityKinds::ZombieMaker& make) {
  auto zombie = make ? make(this, Clock(), resources) : nullptr;
  if (!zombie) {
    system->Error("error no se pudo crear el zombie");
  }
  Add(zombie);
}

void TAdministrador::AddZombie() {
  AddZombieOfKind(kinds_.zombie);
}

void TAdministrador::AddZombieMovil() {
  AddZombieOfKind(kinds_.walker);
}

// Splats keep their random order among themselves but lie behind every player, so that a large one
// never hides the player lying in it.
int TAdministrador::BehindPlayers() const {
  int back = -1;
  for (int slot = 0; slot < playerCount; ++slot) back = std::max(back, players[slot]->depth);
  return back + 1;
}

template <class Adjust>
void TAdministrador::Scatter(float x, float y, int count, Adjust&& adjust) {
  for (int n = 1; n <= count; ++n) {
    // Drawn one by one so that the order of the random numbers is fixed.
    const auto lifetime = static_cast<float>(media::RandomFloat(1000, 1500));
    const auto atX = x + static_cast<float>(media::RandomFloat(-kSpread, kSpread));
    const auto atY = y + static_cast<float>(media::RandomFloat(-kSpread, kSpread));
    const auto speedX = static_cast<float>(media::RandomFloat(-kDrift, kDrift));
    const auto speedY = static_cast<float>(media::RandomFloat(-kDrift, kDrift));
    auto splat = TBlood::Create(this, Clock(), resources, lifetime, atX, atY, speedX, speedY);
    if (!splat) continue;
    splat->depth += BehindPlayers();
    Add(splat);
    adjust(*splat);
  }
}

void TAdministrador::SpawnBlood(float x, float y, int count) {
  Scatter(x, y, count, [](TBlood&) {});
}

void TAdministrador::SpawnDarkBlood(float x, float y, int count) {
  Scatter(x, y, count, [](TBlood& splat) { splat.red = splat.green = splat.blue = kDarkBlood; });
}

void TAdministrador::SpawnSparks(float x, float y, int count) {
  Scatter(x, y, count, [this](TBlood& splat) {
    splat.image = resources->GetImage(kSparksImage);
    splat.blend = media::kBlendLight;
  });
}

std::shared_ptr<TFlechaDir> TAdministrador::AddDirectionArrow(int depth) {
  auto arrow = TFlechaDir::Create(resources, depth);
  Add(arrow);
  return arrow;
}
