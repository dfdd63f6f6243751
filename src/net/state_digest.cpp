#include "net/state_digest.h"

#include <cstring>
#include <typeinfo>

#include "anim/anim_state.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/blood.h"
#include "entities/jugador.h"
#include "entities/player_tag.h"
#include "entities/zombie_movil.h"
#include "media/system.h"
#include "net/digest.h"

namespace net {

namespace {

void AddEntity(Digest& digest, const TEntidad& entity) {
  const char* kind = typeid(entity).name();
  digest.Add(kind, std::strlen(kind));
  for (float value :
       {entity.x, entity.y, entity.rotation, entity.scaleX, entity.scaleY, entity.alpha}) {
    digest.Add(value);
  }
  for (int value :
       {entity.depth, entity.blend, int{entity.red}, int{entity.green}, int{entity.blue}}) {
    digest.Add(value);
  }
}

void AddAnimation(Digest& digest, const TMarioneta& puppet) {
  const AnimState* anim = puppet.animState.get();
  if (!anim) return;
  for (int32_t value :
       {anim->frameStart, anim->frameEnd, anim->animIndex, anim->looping, anim->finished}) {
    digest.Add(value);
  }
  digest.Add(anim->speed);
}

void AddPlayer(Digest& digest, const TJugador& player) {
  for (int32_t value : {player.state, player.buttonCode, player.buttonWasDown, player.pressTime,
                        player.onGround, int32_t{player.aimArrow != nullptr}}) {
    digest.Add(value);
  }
  for (float value : {player.speedX, player.speedY, player.pressesLeft, player.escapePresses,
                      player.nextBloodTime}) {
    digest.Add(value);
  }
}

void AddZombie(Digest& digest, const TZombieBase& zombie) {
  digest.Add(zombie.state);
  digest.Add(zombie.variantGraph);
  digest.Add(zombie.speedX);
  digest.Add(zombie.speedY);
  if (const auto* walker = dynamic_cast<const TZombieMovil*>(&zombie)) {
    digest.Add(walker->turnX);
    digest.Add(walker->targetSpeed);
  }
}

void AddKind(Digest& digest, const TEntidad& entity) {
  if (const auto* puppet = dynamic_cast<const TMarioneta*>(&entity)) AddAnimation(digest, *puppet);
  if (const auto* player = dynamic_cast<const TJugador*>(&entity)) AddPlayer(digest, *player);
  if (const auto* zombie = dynamic_cast<const TZombieBase*>(&entity)) AddZombie(digest, *zombie);
  if (const auto* blood = dynamic_cast<const TBlood*>(&entity)) {
    for (float value : {blood->endTime, blood->fadeRate, blood->speedX, blood->speedY}) {
      digest.Add(value);
    }
  }
  if (const auto* tag = dynamic_cast<const TPlayerTag*>(&entity)) {
    digest.Add(tag->shownUntil);
    digest.Add(tag->learningUntil);
  }
}

}  // namespace

uint64_t MatchDigest(const TAdministrador& manager, const TTimer& timer,
                     std::initializer_list<float> more) {
  Digest digest;
  manager.entities.Walk([&digest](const std::shared_ptr<TEntidad>& entity) {
    AddEntity(digest, *entity);
    AddKind(digest, *entity);
  });
  digest.Add(static_cast<uint64_t>(manager.entities.Count()));
  digest.Add(manager.playerCount);
  digest.Add(manager.dimmer);
  digest.Add(manager.dimmerRate);
  for (float value : {timer.speed, timer.scaledElapsed, timer.scaledDelta, timer.realDelta}) {
    digest.Add(value);
  }
  digest.Add(timer.realElapsed);
  digest.Add(media::RandomState());
  for (float value : more) digest.Add(value);
  return digest.Value();
}

}  // namespace net
