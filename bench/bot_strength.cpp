// How strong the computer's players really are: bots play whole matches against each other and
// against scripted people on the virtual clock, without drawing, with the game's real characters
// and animations from the build folder. Over 200 two-player matches of each pairing, the seats
// swapped in half of them (the start places are shuffled by the match itself as well):
// - hard must beat normal and normal must beat easy in at least 65 % of the matches, easy must
//   beat a player who never presses in at least 95 %, and a match of hard against normal lasts
//   under 90 s on average (a bot that fights ends it, one that waits drags it out);
// - hard must beat the scripted diver, a person who jumps only at full charge, aims at once,
//   dives 250-450 ms later whoever is where and hammers when down, in at least 60 %;
// - the scripted masher presses at random; normal must beat it in at least 65 %.
// Four normal bots show each seat's share of the wins. A pairing that misses its mark fails the
// run. SKULL_BOT_MATCHES sets a smaller number of matches while tuning.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/input_code.h"
#include "core/sistema.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
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
constexpr int kScriptedCode = 90;                     // the scripted person's key
constexpr int kEasy = CpuSeatCode(CpuStrength::kEasy);
constexpr int kNormal = CpuSeatCode(CpuStrength::kNormal);
constexpr int kHard = CpuSeatCode(CpuStrength::kHard);
constexpr int kLevels = 3;

int Matches() {
  const char* matches = std::getenv("SKULL_BOT_MATCHES");
  return matches ? std::max(2, std::atoi(matches)) : kMatches;
}

enum class Script { kDiver, kMasher };

// A person who follows a plan and never looks at the field, pressing a key of their own.
class ScriptedPerson {
 public:
  ScriptedPerson(Script script, int slot, int32_t seed)
      : script_(script), slot_(slot), random_(seed) {}

  void Frame(const TAdministrador& manager, uint32_t now) {
    const int state = manager.GetPlayerState(slot_);
    if (state != lastState_) {
      lastState_ = state;
      Entered(state, now);
    }
    if (script_ == Script::kMasher) return Mash(now);
    switch (state) {
      case kRun:
      case kCrouch:
      case kAim:
        // A charge to the full, then a jump; the arrow brought up at once, then a dive.
        if (!down_ && now >= pressAt_)
          Press(now, state == kAim ? random_.Int(250, 450) : random_.Int(320, 450));
        if (down_ && now >= releaseAt_) Release(now);
        break;
      case kDown:
        Hammer(now);
        break;
      default:
        if (down_) Release(now);
    }
  }

 private:
  static constexpr uint32_t kNever = ~0u;
  static constexpr int kHammerBeatMs = 65;  // about eight presses a second

  void Entered(int state, uint32_t now) {
    if (state == kRun) pressAt_ = now + static_cast<uint32_t>(random_.Int(100, 500));
    if (state == kAim) pressAt_ = now;
    if (state == kJump) pressAt_ = kNever;
    if (state == kDown) pressAt_ = now + kHammerBeatMs;
  }
  void Press(uint32_t now, int holdMs) {
    Set(true);
    releaseAt_ = now + static_cast<uint32_t>(holdMs);
    pressAt_ = kNever;
  }
  void Release(uint32_t now) {
    Set(false);
    if (script_ == Script::kMasher) pressAt_ = now + static_cast<uint32_t>(random_.Int(100, 900));
  }
  void Hammer(uint32_t now) {
    if (now < releaseAt_ && down_) return;
    if (!down_ && now < pressAt_) return;
    Set(!down_);
    (down_ ? releaseAt_ : pressAt_) = now + kHammerBeatMs;
  }
  void Mash(uint32_t now) {
    if (!down_ && now >= pressAt_) Press(now, random_.Int(30, 700));
    if (down_ && now >= releaseAt_) Release(now);
  }
  void Set(bool down) {
    down_ = down;
    media::Input().KeyEvent(kScriptedCode, down);
  }

  Script script_;
  int slot_;
  media::RandomStream random_;
  int lastState_ = 0;
  bool down_ = false;
  uint32_t pressAt_ = 0;
  uint32_t releaseAt_ = 0;
};

struct Result {
  int winner = -1;  // the slot, or -1 for a draw
  double seconds = 0;
};

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

  // The winner is whoever is left standing when the winner picture is shown: nobody when the
  // last ones fell together or nobody won in time. A seat on kScriptedCode plays `script`.
  Result Play(const std::array<int, kMaxPlayers>& seats, int players, int number,
              std::optional<Script> script = std::nullopt) {
    TConfiguracion& settings = *system_->GetConfig();
    settings.keys = seats;
    settings.playerCount = players;
    settings.levelIndex = number % kLevels;
    media::SeedRandom(number + 1);
    game_->botSeed = number + 1;
    std::optional<ScriptedPerson> person;
    if (script) {
      const int slot = seats[0] == kScriptedCode ? 0 : 1;
      person.emplace(*script, slot, number + 7);
    }
    Result result;
    const uint32_t start = media::Milliseconds();
    auto& hooks = game::CurrentMatchHooks();
    hooks.beforeFrame = [start, &person](const TAdministrador& manager) {
      const uint32_t now = media::Milliseconds();
      if (now - start > kLongestMatchMs) media::Input().KeyEvent(media::kKeyEscape, true);
      if (person) person->Frame(manager, now);
    };
    hooks.waitingForKey = [this, &result, players, start] {
      result.seconds = (media::Milliseconds() - start) / 1000.0;
      for (int slot = 0; slot < players; ++slot) {
        if (game_->manager->GetPlayerState(slot) != kPlayerOut) result.winner = slot;
      }
      game_->bots->WaitingForKey(media::Milliseconds());
    };
    game_->Run();
    media::Input().KeyEvent(media::kKeyEscape, false);
    media::Input().KeyEvent(kScriptedCode, false);
    if (result.seconds == 0) result.seconds = (media::Milliseconds() - start) / 1000.0;
    return result;
  }

 private:
  std::shared_ptr<TSistema> system_;
  std::shared_ptr<TJuego> game_;
};

Arena& TheArena() {
  static Arena arena;
  return arena;
}

struct Marks {
  double wins = 0;          // the least share of wins for the first side
  double longestMeanS = 0;  // the longest a match may last on average; 0: any
};

// The first side against the second, swapping seats in every other match.
void Pairing(benchmark::State& state, int stronger, int weaker, Marks marks,
             std::optional<Script> script = std::nullopt) {
  const int matches = Matches();
  int wins = 0;
  int draws = 0;
  double seconds = 0;
  for (auto _ : state) {
    for (int number = 0; number < matches; ++number) {
      const bool swapped = number % 2 == 1;
      const std::array<int, kMaxPlayers> seats = {
          swapped ? weaker : stronger, swapped ? stronger : weaker, kIdleCode, kIdleCode};
      const Result result = TheArena().Play(seats, 2, number, script);
      wins += result.winner == (swapped ? 1 : 0);
      draws += result.winner < 0;
      seconds += result.seconds;
    }
  }
  const double share = static_cast<double>(wins) / matches;
  const double meanS = seconds / matches;
  state.counters["matches"] = matches;
  state.counters["wins_%"] = 100 * share;
  state.counters["draws"] = draws;
  state.counters["mean_s"] = meanS;
  std::string why;
  if (share < marks.wins) {
    why = std::to_string(wins) + " wins of " + std::to_string(matches) + " is below " +
          std::to_string(static_cast<int>(marks.wins * 100)) + " %";
  } else if (marks.longestMeanS > 0 && meanS >= marks.longestMeanS) {
    why = "matches last " + std::to_string(meanS) + " s on average, not under " +
          std::to_string(marks.longestMeanS) + " s";
  }
  if (why.empty()) return;
  why += " (" + std::to_string(draws) + " draws, " + std::to_string(meanS) + " s a match)";
  state.SkipWithError(why.c_str());
}

void BM_HardBeatsNormal(benchmark::State& state) {
  Pairing(state, kHard, kNormal, {.wins = 0.65, .longestMeanS = 90});
}
BENCHMARK(BM_HardBeatsNormal)->Iterations(1)->Unit(benchmark::kSecond);

void BM_NormalBeatsEasy(benchmark::State& state) {
  Pairing(state, kNormal, kEasy, {.wins = 0.65});
}
BENCHMARK(BM_NormalBeatsEasy)->Iterations(1)->Unit(benchmark::kSecond);

void BM_EasyBeatsIdle(benchmark::State& state) {
  Pairing(state, kEasy, kIdleCode, {.wins = 0.95});
}
BENCHMARK(BM_EasyBeatsIdle)->Iterations(1)->Unit(benchmark::kSecond);

void BM_HardBeatsTheScriptedDiver(benchmark::State& state) {
  Pairing(state, kHard, kScriptedCode, {.wins = 0.60}, Script::kDiver);
}
BENCHMARK(BM_HardBeatsTheScriptedDiver)->Iterations(1)->Unit(benchmark::kSecond);

void BM_NormalBeatsTheScriptedMasher(benchmark::State& state) {
  Pairing(state, kNormal, kScriptedCode, {.wins = 0.65}, Script::kMasher);
}
BENCHMARK(BM_NormalBeatsTheScriptedMasher)->Iterations(1)->Unit(benchmark::kSecond);

// Equal bots should win about equally from every seat.
void BM_FourNormalSeats(benchmark::State& state) {
  const int matches = Matches();
  std::array<int, kMaxPlayers> wins{};
  int draws = 0;
  for (auto _ : state) {
    for (int number = 0; number < matches; ++number) {
      const int winner = TheArena().Play({kNormal, kNormal, kNormal, kNormal}, 4, number).winner;
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
