#pragma once
// One match from set-up to the winner. For now a stand-in that goes straight back to the menu;
// the real game replaces it here.
#include <memory>

#include "shell/sistema.h"

class TJuego {
 public:
  static std::shared_ptr<TJuego> Create(std::shared_ptr<TSistema> system);
  // Plays one match; always returns to the menu.
  int Run();

 private:
  std::shared_ptr<TSistema> system;
};
