// Saving and loading a busy match by value (four players, the horde of ten, three walkers, a dozen
// splats), with the real characters from the build folder: each must stay under 50 µs, and the
// ring of snapshots rollback keeps is reported with the memory it holds. Going back the furthest
// rollback goes, loading and playing 12 frames again, must stay under 1 ms even at its worst.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <ctime>
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

// The worst case is judged on this thread's own time: on a shared machine the wall clock also
// counts whoever else ran meanwhile.
double ThreadCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The players press and let go in turns, so the frames played again are busy ones.
void BM_PlayTwelveFramesAgain(benchmark::State& state) {
  BusyField& field = Field();
  MatchSnapshot snapshot;
  field.game->SaveState(snapshot);
  uint32_t turn = 0;
  field.game->manager->buttonReader = [&turn](int code) { return (turn / 5 + code) % 3 == 0; };
  double worstUs = 0;
  for (auto _ : state) {
    const double start = ThreadCpuMicroseconds();
    field.game->LoadState(snapshot);
    for (int frame = 0; frame < net::kMostFramesAhead; ++frame, ++turn) {
      field.game->AdvanceFrame(false);
    }
    worstUs = std::max(worstUs, ThreadCpuMicroseconds() - start);
  }
  field.game->manager->buttonReader = [](int) { return false; };
  field.game->LoadState(snapshot);
  state.counters["worst_us"] = worstUs;
}
BENCHMARK(BM_PlayTwelveFramesAgain)->Unit(benchmark::kMicrosecond);

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
