// Four bots play match after match, without drawing, for 30 minutes of game time: the entity list
// must stay bounded (thrown walkers leave it), every match must end with a winner, and the bots'
// presses must reach the players through the input pump. The seats are the computer's in the
// settings, as a person would give them in the options.
#include <gtest/gtest.h>

#include "entities/zombie_movil.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/headless_backend.h"
#include "support/match_data.h"
#include "support/temp_folder.h"

namespace {

constexpr uint32_t kSoakMs = 30 * 60 * 1000;
constexpr uint32_t kLongestMatchMs = 10 * 60 * 1000;  // then a person would press Escape
constexpr size_t kMostEntities = 150;
constexpr int kMostWalkers = 8;
constexpr float kOffScreen = 310;  // thrown walkers go 300 px beyond an edge, plus one frame

TEST(MatchSoak, FourBotsPlayHalfAnHourOfMatches) {
  TempFolder folder;
  WriteMatchData();
  media::UseBackend(media::MakeHeadlessBackend({}));
  media::OpenDisplay(800, 600, 0, 60, 0);
  FillTrigTables();
  auto system = TSistema::Create();
  system->timer = TTimer::Create();
  system->config = std::make_shared<TConfiguracion>();
  system->config->playerCount = 4;
  system->config->keys = {1001, 1002, 1000, 1001};
  auto match = TJuego::Create(system);
  ASSERT_NE(match, nullptr);

  size_t mostEntities = 0;
  int mostWalkers = 0;
  int thrownWalkers = 0;
  int lostWalkers = 0;
  int dives = 0;
  uint32_t matchStart = 0;
  auto& hooks = game::CurrentMatchHooks();
  hooks.draw = false;
  hooks.beforeFrame = [&](const TAdministrador& manager) {
    mostEntities = std::max(mostEntities, manager.entities.Count());
    int walkers = 0;
    manager.entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
      if (auto* walker = dynamic_cast<TZombieMovil*>(entity.get())) {
        ++walkers;
        thrownWalkers += walker->state == kZombieThrown;
        lostWalkers += walker->x < -kOffScreen || walker->x > 800 + kOffScreen;
      }
    });
    mostWalkers = std::max(mostWalkers, walkers);
    for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) {
      dives += manager.GetPlayerState(slot) == kDive;
    }
    if (media::Milliseconds() - matchStart > kLongestMatchMs) {
      media::Input().KeyEvent(media::kKeyEscape, true);
    }
  };
  int winners = 0;
  hooks.waitingForKey = [&] {
    ++winners;
    match->bots->WaitingForKey(media::Milliseconds());
  };

  int matches = 0;
  while (media::Milliseconds() < kSoakMs) {
    matchStart = media::Milliseconds();
    EXPECT_EQ(match->Run(), 0);
    ++matches;
  }
  hooks = {};
  media::UseInputSource(nullptr);
  media::UseBackend(media::MakeHeadlessBackend({}));

  EXPECT_GE(matches, 3);
  EXPECT_GE(winners, matches - 1);  // the last two falling together leaves no one to present
  EXPECT_LT(mostEntities, kMostEntities);
  EXPECT_LE(mostWalkers, kMostWalkers);
  EXPECT_EQ(lostWalkers, 0);
  EXPECT_GT(thrownWalkers, 0);
  EXPECT_GT(dives, 0);
  RecordProperty("matches", matches);
  RecordProperty("most_entities", static_cast<int>(mostEntities));
  RecordProperty("most_walkers", mostWalkers);
}

}  // namespace
