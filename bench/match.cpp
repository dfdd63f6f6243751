// One frame of a busy match (four players, the horde of ten, three walkers, splats), with the
// real characters and sceneries from the build folder: the update alone must stay far below a
// frame's budget (50 µs), update and drawing together under 3 ms.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/sistema.h"
#include "entities/administrador.h"
#include "entities/blood.h"
#include "entities/jugador.h"
#include "entities/zombie_movil.h"
#include "game/juego.h"
#include "media/system.h"
#include "media/trig.h"
#include "resources/recursos.h"

namespace {

constexpr int kWalkers = 3;
constexpr int kSplats = 12;
constexpr int kFrameMs = 16;
constexpr int kFramesPerMatch = 600;  // ten seconds, then the field is set up again

struct BusyMatch {
  BusyMatch() {
    // The data is built beside the programs, one folder up from the benchmarks.
    std::filesystem::current_path(
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path());
    FillTrigTables();
    system = TSistema::Create();
    system->timer = TTimer::Create();
    system->config = std::make_shared<TConfiguracion>();
    game = TJuego::Create(system);
    manager = game->manager;
  }

  void SetUpField() {
    manager->Clear();
    for (int slot = 0; slot < 4; ++slot) {
      manager->AddPlayer(game->resources->GetPlayerPackage(slot), 0, 50 + 10 * slot);
    }
    manager->ArrangePlayers();
    for (int n = 0; n < 10; ++n) manager->AddZombie();
    frames = 0;
  }

  // Walkers leave and splats fade: keep the field as busy as it was.
  void TopUp() {
    int walkers = 0;
    int splats = 0;
    manager->entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
      walkers += dynamic_cast<TZombieMovil*>(entity.get()) != nullptr;
      splats += dynamic_cast<TBlood*>(entity.get()) != nullptr;
    });
    for (; walkers < kWalkers; ++walkers) manager->AddZombieMovil();
    if (splats < kSplats) manager->SpawnBlood(400, 400, kSplats - splats);
  }

  void Advance() {
    media::Sleep(kFrameMs);
    system->timer->Update();
    TopUp();
    manager->UpdateAll();
  }

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TJuego> game;
  std::shared_ptr<TAdministrador> manager;
  int frames = 0;
};

BusyMatch& Match() {
  static BusyMatch match;
  return match;
}

template <bool kDraw>
void RunFrames(benchmark::State& state) {
  BusyMatch& match = Match();
  match.SetUpField();
  for (auto _ : state) {
    if (++match.frames == kFramesPerMatch) {
      state.PauseTiming();
      match.SetUpField();
      state.ResumeTiming();
    }
    match.Advance();
    if (kDraw) match.game->Render();
  }
  state.counters["entities"] = static_cast<double>(match.manager->entities.Count());
}

void BM_MatchUpdate(benchmark::State& state) {
  RunFrames<false>(state);
}
BENCHMARK(BM_MatchUpdate)->Unit(benchmark::kMicrosecond);

void BM_MatchFrameWithDrawing(benchmark::State& state) {
  RunFrames<true>(state);
}
BENCHMARK(BM_MatchFrameWithDrawing)->Unit(benchmark::kMillisecond);

}  // namespace
