#pragma once
// A walker that crosses the field from either side. It knocks down the players it touches, is
// thrown back by a dive or by a crouching player, and goes once it has left the screen.
#include <memory>

#include "entities/zombie_base.h"

class TJugador;

// Thrown back by a player; no longer touches anyone.
constexpr int32_t kZombieThrown = 9;

class TZombieMovil : public TZombieBase {
 public:
  // Null when the manager, timer or resources are missing.
  static std::shared_ptr<TZombieMovil> Create(TAdministrador* manager,
                                              std::shared_ptr<TTimer> timer,
                                              std::shared_ptr<TRecursos> resources);
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  void CollideWithPlayer(TJugador& player);

  float turnX = 0;        // where one coming from the left turns back; -50 for one from the right
  float targetSpeed = 0;  // cruising speed, negative when walking left

 protected:
  void SetUp() override;
  bool SubStep(float step, float left) override;

 private:
  void Throw();
  // Leaves the entity list; always false, for SubStep to hand on.
  bool Leave();
};
