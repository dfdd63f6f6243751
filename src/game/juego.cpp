#include "game/juego.h"

#include "shell/state_loop.h"

std::shared_ptr<TJuego> TJuego::Create(std::shared_ptr<TSistema> system) {
  auto game = std::make_shared<TJuego>();
  game->system = std::move(system);
  return game;
}

int TJuego::Run() {
  return kStateMenu;
}
