// Saving and loading a busy match by value (four players, the horde of ten, three walkers, a dozen
// splats), with the real characters from the build folder: each must stay under 50 µs, and the
// ring of snapshots rollback keeps is reported with the memory it holds.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

#include "core/sistema.h"
#include "entities/administrador.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/trig.h"
#include "net/snapshot_ring.h"
#include "resources/recursos.h"

namespace {

constexpr int kWalkers = 3;
constexpr int kSplats = 12;
constexpr int kSettleFrames = 90;  // the horde walks in and the players take their poses

struct BusyField {
  BusyField() {
    std::filesystem::current_path(
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path());
    FillTrigTables();
    game::CurrentMatchHooks().draw = false;
    system = TSistema::Create();
    system->timer = TTimer::Create();
    system->config = std::make_shared<TConfiguracion>();
    system->config->playerCount = 4;
    game = TJuego::Create(system);
    game->timer->StartFrameClock();
    MatchSeating seating;
    seating.players = 4;
    game->BeginMatch(seating);
    game->manager->buttonReader = [](int) { return false; };
    for (int frame = 0; frame < kSettleFrames; ++frame) game->AdvanceFrame(false);
    for (int n = 0; n < kWalkers; ++n) game->manager->AddZombieMovil();
    game->manager->SpawnBlood(400, 400, kSplats);
    game->AdvanceFrame(false);
  }

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TJuego> game;
};

BusyField& Field() {
  static BusyField field;
  return field;
}

void BM_SaveMatch(benchmark::State& state) {
  BusyField& field = Field();
  MatchSnapshot snapshot;
  for (auto _ : state) field.game->SaveState(snapshot);
  state.counters["entities"] = static_cast<double>(snapshot.field.entities.size());
}
BENCHMARK(BM_SaveMatch)->Unit(benchmark::kMicrosecond);

void BM_LoadMatch(benchmark::State& state) {
  BusyField& field = Field();
  MatchSnapshot snapshot;
  field.game->SaveState(snapshot);
  for (auto _ : state) field.game->LoadState(snapshot);
}
BENCHMARK(BM_LoadMatch)->Unit(benchmark::kMicrosecond);

// The heap the full ring holds beyond its fixed slots, measured by the allocator, plus the slots.
void BM_RingMemory(benchmark::State& state) {
  BusyField& field = Field();
  auto ring = std::make_unique<net::SnapshotRing<MatchSnapshot>>();
  const size_t before = mallinfo2().uordblks;
  for (auto _ : state) {
    for (uint32_t frame = 0; frame < net::SnapshotRing<MatchSnapshot>::kSize; ++frame) {
      field.game->SaveState(ring->Keep(frame));
    }
  }
  const size_t after = mallinfo2().uordblks;
  state.counters["slots"] = net::SnapshotRing<MatchSnapshot>::kSize;
  state.counters["ring_KiB"] = static_cast<double>(after - before + sizeof(*ring)) / 1024.0;
}
BENCHMARK(BM_RingMemory)->Unit(benchmark::kMicrosecond)->Iterations(1);

}  // namespace
