#include "entities/game_kinds.h"

#include "entities/jugador.h"
#include "entities/zombie.h"
#include "entities/zombie_movil.h"

EntityKinds GameEntityKinds() {
  EntityKinds kinds;
  kinds.player = [](TAdministrador* manager, std::shared_ptr<TTimer> timer,
                    std::shared_ptr<VGP> graphics, std::shared_ptr<TRecursos> resources, int key,
                    int depth) -> std::shared_ptr<TJugadorBase> {
    return TJugador::Create(manager, std::move(timer), std::move(graphics), std::move(resources),
                            key, depth);
  };
  kinds.zombie = [](TAdministrador* manager, std::shared_ptr<TTimer> timer,
                    std::shared_ptr<TRecursos> resources) -> std::shared_ptr<TEntidad> {
    return TZombie::Create(manager, std::move(timer), std::move(resources));
  };
  kinds.walker = [](TAdministrador* manager, std::shared_ptr<TTimer> timer,
                    std::shared_ptr<TRecursos> resources) -> std::shared_ptr<TEntidad> {
    return TZombieMovil::Create(manager, std::move(timer), std::move(resources));
  };
  return kinds;
}
