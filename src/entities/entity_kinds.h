#pragma once
// How a manager makes the entity kinds that live outside it: players, horde zombies and walking
// zombies. The game hands over its own kinds; tests bring small kinds of their own.
#include <functional>
#include <memory>

class TAdministrador;
class TEntidad;
class TJugadorBase;
class TRecursos;
class TTimer;
class VGP;

struct EntityKinds {
  // (manager, timer, graphics package, resources, action key, depth) → player, or null.
  using PlayerMaker = std::function<std::shared_ptr<TJugadorBase>(
      TAdministrador*, std::shared_ptr<TTimer>, std::shared_ptr<VGP>, std::shared_ptr<TRecursos>,
      int, int)>;
  // (manager, timer, resources) → zombie, or null.
  using ZombieMaker = std::function<std::shared_ptr<TEntidad>(
      TAdministrador*, std::shared_ptr<TTimer>, std::shared_ptr<TRecursos>)>;

  PlayerMaker player;
  ZombieMaker zombie;  // a member of the horde
  ZombieMaker walker;  // crosses the field
};
