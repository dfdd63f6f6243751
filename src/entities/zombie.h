#pragma once
// A member of the horde at the left edge: walks in from beyond the edge, turns back at about
// x = 70, walks out and comes back as a new random zombie. It never touches a player.
#include <memory>

#include "entities/zombie_base.h"

class TZombie : public TZombieBase {
 public:
  // Null when the manager, timer or resources are missing.
  static std::shared_ptr<TZombie> Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                         std::shared_ptr<TRecursos> resources);
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }

 protected:
  void SetUp() override;
  bool SubStep(float step, float left) override;
};
