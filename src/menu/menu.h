#pragma once
// The main menu screen. For now a plain screen that only offers quitting; the real menu with its
// buttons and panels replaces it here.
#include <memory>

#include "shell/sistema.h"

class TMenu {
 public:
  static std::shared_ptr<TMenu> Create(std::shared_ptr<TSistema> system);
  // Runs until the player leaves; returns the next top-level state.
  int Run();

 private:
  void DrawFrame();
  std::shared_ptr<TSistema> system;
};
