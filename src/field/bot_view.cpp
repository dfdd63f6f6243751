#include "field/bot_view.h"

#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "entities/jugador.h"
#include "entities/zombie_movil.h"

namespace field {

namespace {

// A bot sees what a person sees: a walker once its middle is on the screen, not before (one
// still waiting to be set up stands far off it).
constexpr float kScreenLeft = 0;
constexpr float kScreenRight = 800;

BotBody BodyOf(const TJugador& player, int slot) {
  BotBody body;
  body.slot = slot;
  body.state = player.state;
  body.x = player.x;
  body.y = player.y;
  body.speedX = player.speedX;
  body.speedY = player.speedY;
  body.escapePresses = player.escapePresses;
  body.pressesLeft = player.pressesLeft;
  if (player.aimArrow) body.arrow = player.aimArrow->GetRotation();
  return body;
}

}  // namespace

BotView BotView::Of(const TAdministrador& manager) {
  BotView view;
  for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) {
    if (const auto* player = dynamic_cast<const TJugador*>(manager.GetPlayer(slot).get())) {
      view.players.push_back(BodyOf(*player, slot));
    }
  }
  manager.entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
    const auto* walker = dynamic_cast<const TZombieMovil*>(entity.get());
    if (walker && walker->state != kZombieThrown && walker->x >= kScreenLeft &&
        walker->x <= kScreenRight) {
      view.walkers.push_back({walker->x, walker->speedX});
    }
  });
  return view;
}

bool BotBody::Hittable() const {
  return state == kRun || state == kCrouch || state == kLand;
}

bool BotBody::Upright() const {
  return state != kKnocked && state != kDown && state != kRise && state != kDead;
}

const BotBody* BotView::Player(int slot) const {
  for (const BotBody& body : players) {
    if (body.slot == slot) return &body;
  }
  return nullptr;
}

}  // namespace field
