#pragma once
// The guided one-player tutorial. For now a stand-in that goes straight back to the menu; the real
// tutorial replaces it here.
#include <memory>

#include "shell/sistema.h"

class TTutorial {
 public:
  static std::shared_ptr<TTutorial> Create(std::shared_ptr<TSistema> system);
  // Runs the tutorial; returns to the menu when it is left.
  int Run();

 private:
  std::shared_ptr<TSistema> system;
};
