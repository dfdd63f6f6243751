#pragma once
// A play field for the entity tests: a system with a clock on the virtual milliseconds, resources
// with small images in the table, and small entity kinds of our own.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/sistema.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador_base.h"
#include "media/image.h"
#include "media/system.h"
#include "resources/recursos.h"

// Records what the manager does to it; its behaviour in Update is up to the test.
class Probe : public TEntidad {
 public:
  Probe(std::string name, int depth, std::vector<std::string>* log)
      : name(std::move(name)), log(log) {
    this->depth = depth;
  }
  void Draw() override { log->push_back("draw " + name); }
  void Update() override {
    log->push_back("update " + name);
    if (onUpdate) onUpdate(*this);
  }
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  std::string name;
  std::vector<std::string>* log;
  std::function<void(Probe&)> onUpdate;
};

class StubPlayer : public TJugadorBase {
 public:
  void Draw() override { ++draws; }
  void Update() override { ++updates; }
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  int draws = 0;
  int updates = 0;
};

struct PlayField {
  PlayField() {
    system = TSistema::Create();
    system->timer = TTimer::Create();
    resources = TRecursos::Create(system);
    for (int i = 0; i < TRecursos::kImages; ++i) {
      resources->images[i] = media::CreateImage(4 + i, 4, 1, 0);
    }
    kinds.player = [this](TAdministrador*, std::shared_ptr<TTimer> timer,
                          std::shared_ptr<VGP> graphics, std::shared_ptr<TRecursos>, int key,
                          int depth) -> std::shared_ptr<TJugadorBase> {
      if (failPlayers) return nullptr;
      auto player = std::make_shared<StubPlayer>();
      player->timer = std::move(timer);
      player->graphics = std::move(graphics);
      player->buttonCode = key;
      player->depth = depth;
      player->state = 1;
      return player;
    };
    manager = TAdministrador::Create(system, resources, kinds);
  }

  // Lets ms pass on the virtual clock and updates the game clock once.
  void Pass(int ms) {
    media::Sleep(ms);
    system->timer->Update();
  }

  std::vector<std::shared_ptr<TEntidad>> Entities() const {
    std::vector<std::shared_ptr<TEntidad>> all;
    manager->entities.Walk([&](const std::shared_ptr<TEntidad>& e) { all.push_back(e); });
    return all;
  }

  template <class Kind>
  std::vector<std::shared_ptr<Kind>> EntitiesOf() const {
    std::vector<std::shared_ptr<Kind>> found;
    for (const auto& e : Entities()) {
      if (auto kind = std::dynamic_pointer_cast<Kind>(e)) found.push_back(kind);
    }
    return found;
  }

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TRecursos> resources;
  EntityKinds kinds;
  bool failPlayers = false;
  std::shared_ptr<TAdministrador> manager;
};
