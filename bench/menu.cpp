// One frame of the main menu and one of the options panel on the headless surface: the two
// full-screen passes of the pulsing background, the buttons, the texts and the pointer. A frame
// must fit in 16.7 ms to hold 60 Hz.
#include "menu/menu.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/key_names.h"
#include "core/sistema.h"
#include "menu/submenu_options.h"

namespace {

std::shared_ptr<TMenu> MakeMenu() {
  // The data is built beside the programs, one folder up from the benchmarks.
  std::filesystem::current_path(
      std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path());
  BuildKeyNames();
  auto system = TSistema::Create();
  system->timer = TTimer::Create();
  system->config = std::make_shared<TConfiguracion>();
  auto menu = TMenu::Create(system);
  menu->Init();
  return menu;
}

void BM_MainMenuFrame(benchmark::State& state) {
  const auto menu = MakeMenu();
  for (auto _ : state) benchmark::DoNotOptimize(menu->Frame());
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMillisecond);

void BM_OptionsPanelFrame(benchmark::State& state) {
  const auto menu = MakeMenu();
  const auto options = TSubMenuOptions::Create(menu.get(), "gfx/menu/panelopciones.png", 50, 100);
  for (auto _ : state) benchmark::DoNotOptimize(options->Step());
}
BENCHMARK(BM_OptionsPanelFrame)->Unit(benchmark::kMillisecond);

}  // namespace
