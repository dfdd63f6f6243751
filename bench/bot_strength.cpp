// How strong the computer's players really are: bots play whole matches against each other on
// the virtual clock, without drawing, with the game's real characters and animations from the
// build folder. Over 200 two-player matches of each pairing, the seats swapped in half of them
// (the start places are shuffled by the match itself as well), hard must beat normal and normal
// must beat easy in at least 65 % of the matches, and easy must beat a player who never presses
// in at least 95 %. Four normal bots show each seat's share of the wins. A pairing that misses
// its mark fails the run. SKULL_BOT_MATCHES sets a smaller number of matches while tuning.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/input_code.h"
#include "core/sistema.h"
#include "entities/administrador.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/headless_backend.h"
#include "media/input.h"
#include "media/system.h"
#include "media/trig.h"

namespace {

constexpr int kMatches = 200;
constexpr uint32_t kLongestMatchMs = 10 * 60 * 1000;  // then nobody has won: a draw
constexpr int kIdleCode = 81;                         // a person's key that nobody presses
constexpr int kEasy = CpuSeatCode(CpuStrength::kEasy);
constexpr int kNormal = CpuSeatCode(CpuStrength::kNormal);
constexpr int kHard = CpuSeatCode(CpuStrength::kHard);
constexpr int kLevels = 3;

int Matches() {
  const char* matches = std::getenv("SKULL_BOT_MATCHES");
  return matches ? std::max(2, std::atoi(matches)) : kMatches;
}

class Arena {
 public:
  Arena() {
    // The data is built beside the programs, one folder up from the benchmarks.
    std::filesystem::current_path(
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path());
    media::UseBackend(media::MakeHeadlessBackend({}));
    media::OpenDisplay(800, 600, 0, 60, 0);
    FillTrigTables();
    system_ = TSistema::Create();
    system_->timer = TTimer::Create();
    system_->config = std::make_shared<TConfiguracion>();
    game_ = TJuego::Create(system_);
    game::CurrentMatchHooks().draw = false;
  }

  // The slot of the winner, or -1 for a draw (the last ones fell together, or nobody won in
  // time): whoever is left standing when the winner picture is shown.
  int Play(const std::array<int, kMaxPlayers>& seats, int players, int number) {
    TConfiguracion& settings = *system_->GetConfig();
    settings.keys = seats;
    settings.playerCount = players;
    settings.levelIndex = number % kLevels;
    media::SeedRandom(number + 1);
    game_->botSeed = number + 1;
    int winner = -1;
    const uint32_t start = media::Milliseconds();
    auto& hooks = game::CurrentMatchHooks();
    hooks.beforeFrame = [start](const TAdministrador&) {
      if (media::Milliseconds() - start > kLongestMatchMs) {
        media::Input().KeyEvent(media::kKeyEscape, true);
      }
    };
    hooks.waitingForKey = [this, &winner, players] {
      for (int slot = 0; slot < players; ++slot) {
        if (game_->manager->GetPlayerState(slot) != kPlayerOut) winner = slot;
      }
      game_->bots->WaitingForKey(media::Milliseconds());
    };
    game_->Run();
    media::Input().KeyEvent(media::kKeyEscape, false);
    return winner;
  }

 private:
  std::shared_ptr<TSistema> system_;
  std::shared_ptr<TJuego> game_;
};

Arena& TheArena() {
  static Arena arena;
  return arena;
}

// The first seat's strength against the second's, swapping seats in every other match.
void Pairing(benchmark::State& state, int stronger, int weaker, double mark) {
  const int matches = Matches();
  int wins = 0;
  int draws = 0;
  for (auto _ : state) {
    for (int number = 0; number < matches; ++number) {
      const bool swapped = number % 2 == 1;
      const std::array<int, kMaxPlayers> seats = {
          swapped ? weaker : stronger, swapped ? stronger : weaker, kIdleCode, kIdleCode};
      const int winner = TheArena().Play(seats, 2, number);
      wins += winner == (swapped ? 1 : 0);
      draws += winner < 0;
    }
  }
  const double share = static_cast<double>(wins) / matches;
  state.counters["matches"] = matches;
  state.counters["wins_%"] = 100 * share;
  state.counters["draws"] = draws;
  if (share < mark) {
    const std::string why = std::to_string(wins) + " wins of " + std::to_string(matches) +
                            " is below " + std::to_string(static_cast<int>(mark * 100)) + " %";
    state.SkipWithError(why.c_str());
  }
}

void BM_HardBeatsNormal(benchmark::State& state) {
  Pairing(state, kHard, kNormal, 0.65);
}
BENCHMARK(BM_HardBeatsNormal)->Iterations(1)->Unit(benchmark::kSecond);

void BM_NormalBeatsEasy(benchmark::State& state) {
  Pairing(state, kNormal, kEasy, 0.65);
}
BENCHMARK(BM_NormalBeatsEasy)->Iterations(1)->Unit(benchmark::kSecond);

void BM_EasyBeatsIdle(benchmark::State& state) {
  Pairing(state, kEasy, kIdleCode, 0.95);
}
BENCHMARK(BM_EasyBeatsIdle)->Iterations(1)->Unit(benchmark::kSecond);

// Equal bots should win about equally from every seat.
void BM_FourNormalSeats(benchmark::State& state) {
  const int matches = Matches();
  std::array<int, kMaxPlayers> wins{};
  int draws = 0;
  for (auto _ : state) {
    for (int number = 0; number < matches; ++number) {
      const int winner = TheArena().Play({kNormal, kNormal, kNormal, kNormal}, 4, number);
      if (winner >= 0) ++wins[winner];
      draws += winner < 0;
    }
  }
  for (int slot = 0; slot < kMaxPlayers; ++slot) {
    state.counters["seat" + std::to_string(slot + 1) + "_%"] = 100.0 * wins[slot] / matches;
  }
  state.counters["draws"] = draws;
}
BENCHMARK(BM_FourNormalSeats)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
