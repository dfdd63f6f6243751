#include "tutorial/tutorial.h"

#include "shell/state_loop.h"

std::shared_ptr<TTutorial> TTutorial::Create(std::shared_ptr<TSistema> system) {
  auto tutorial = std::make_shared<TTutorial>();
  tutorial->system = std::move(system);
  return tutorial;
}

int TTutorial::Run() {
  return kStateMenu;
}
