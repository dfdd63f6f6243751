// The entity manager: player slots, placement, respawning, clearing, darkening and the winner's
// walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "core/player_colours.h"
#include "entities/player_tag.h"
#include "media/display.h"
#include "play_field.h"

namespace {

struct ManagerTest : ::testing::Test {
  std::shared_ptr<TJugadorBase> AddPlayers(int count) {
    std::shared_ptr<TJugadorBase> last;
    for (int i = 0; i < count; ++i) last = field.manager->AddPlayer(nullptr, 65 + i, 50 + 10 * i);
    return last;
  }
  std::set<float> PlayerXs() const {
    std::set<float> xs;
    for (int i = 0; i < field.manager->GetPlayerCount(); ++i)
      xs.insert(field.manager->GetPlayer(i)->x);
    return xs;
  }
  PlayField field;
};

TEST_F(ManagerTest, PlayersFillFourSlotsEachWithItsTag) {
  AddPlayers(4);
  EXPECT_EQ(field.manager->GetPlayerCount(), 4);
  EXPECT_EQ(field.manager->AddPlayer(nullptr, 70, 90), nullptr);  // a fifth is refused quietly
  EXPECT_EQ(field.manager->GetPlayerCount(), 4);
  EXPECT_EQ(field.manager->GetPlayer(3)->buttonCode, 68);
  EXPECT_EQ(field.manager->GetPlayer(3)->depth, 80);

  auto tags = field.EntitiesOf<TPlayerTag>();
  ASSERT_EQ(tags.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(tags[i]->player, field.manager->GetPlayer(i));
    EXPECT_EQ(tags[i]->number, i + 1);
    EXPECT_EQ(tags[i]->depth, field.manager->GetPlayer(i)->depth - 1);
    EXPECT_EQ(field.manager->GetPlayer(i)->colour, kPlayerColours[i]);
  }
  EXPECT_EQ(field.Entities().size(), 8u);
}

TEST_F(ManagerTest, SlotQueriesOutsideThePlayersAnswerNothing) {
  AddPlayers(2);
  field.manager->players[1]->state = 7;
  EXPECT_EQ(field.manager->GetPlayerState(1), 7);
  EXPECT_EQ(field.manager->GetPlayerState(2), 0);
  EXPECT_EQ(field.manager->GetPlayerState(-1), 0);
  EXPECT_EQ(field.manager->GetPlayerState(5), 0);
  EXPECT_EQ(field.manager->GetPlayer(2), nullptr);
  EXPECT_EQ(field.manager->GetPlayer(4), nullptr);
  field.manager->SetPlayerPosition(1, 123, 321);
  field.manager->SetPlayerPosition(2, 5, 5);
  EXPECT_FLOAT_EQ(field.manager->GetPlayer(1)->x, 123);
  EXPECT_FLOAT_EQ(field.manager->GetPlayer(1)->y, 321);
  field.manager->players[0]->state = kPlayerOut;
  EXPECT_FALSE(field.manager->IsPlayerAlive(0));
  EXPECT_TRUE(field.manager->IsPlayerAlive(1));
  EXPECT_FALSE(field.manager->IsPlayerAlive(2));
  EXPECT_FALSE(field.manager->IsPlayerAlive(9));
  field.manager->RespawnPlayer(7);
  EXPECT_EQ(field.manager->GetPlayerCount(), 2);
}

TEST_F(ManagerTest, MakersThatFailAreReportedAsErrors) {
  field.failPlayers = true;
  EXPECT_THROW(field.manager->AddPlayer(nullptr, 65, 50), media::RuntimeError);
  EXPECT_EQ(field.manager->GetPlayerCount(), 0);
  EXPECT_THROW(field.manager->AddZombie(), media::RuntimeError);  // the test kinds have none
  EXPECT_THROW(field.manager->AddZombieMovil(), media::RuntimeError);
}

TEST_F(ManagerTest, ArrangePlayersSpreadsThemEvenlyInSomeOrder) {
  AddPlayers(1);
  field.manager->ArrangePlayers();
  EXPECT_EQ(PlayerXs(), (std::set<float>{400}));

  field.manager->Clear();
  AddPlayers(2);
  field.manager->ArrangePlayers();
  EXPECT_EQ(PlayerXs(), (std::set<float>{266, 532}));

  field.manager->Clear();
  AddPlayers(4);
  std::set<float> firstSlotPlaces;
  for (int round = 0; round < 40; ++round) {
    field.manager->ArrangePlayers();
    EXPECT_EQ(PlayerXs(), (std::set<float>{160, 320, 480, 640}));
    firstSlotPlaces.insert(field.manager->GetPlayer(0)->x);
  }
  EXPECT_GT(firstSlotPlaces.size(), 1u);  // the order is shuffled, not fixed
}

TEST_F(ManagerTest, RespawnReplacesThePlayerInItsSlot) {
  AddPlayers(2);
  auto old = field.manager->GetPlayer(1);
  field.manager->RespawnPlayer(1);
  auto fresh = field.manager->GetPlayer(1);
  ASSERT_NE(fresh, old);
  EXPECT_EQ(fresh->buttonCode, old->buttonCode);
  EXPECT_EQ(fresh->depth, old->depth);
  EXPECT_FLOAT_EQ(fresh->x, 400.0f);
  auto players = field.EntitiesOf<StubPlayer>();
  EXPECT_EQ(std::count(players.begin(), players.end(), old), 0);
  EXPECT_EQ(std::count(players.begin(), players.end(), fresh), 1);
  EXPECT_EQ(fresh->colour, old->colour);
  auto tags = field.EntitiesOf<TPlayerTag>();
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags.back()->player, fresh);
  EXPECT_EQ(tags.back()->number, 2);

  field.failPlayers = true;  // no new player: the old one stays
  field.manager->RespawnPlayer(1);
  EXPECT_EQ(field.manager->GetPlayer(1), fresh);
  EXPECT_EQ(field.EntitiesOf<StubPlayer>().size(), 2u);
}

TEST_F(ManagerTest, ClearEmptiesTheFieldForTheNextMatch) {
  AddPlayers(1);
  field.manager->SpawnBlood(10, 10, 3);
  field.manager->Clear();
  EXPECT_EQ(field.manager->GetPlayerCount(), 0);
  EXPECT_TRUE(field.Entities().empty());
  AddPlayers(3);
  EXPECT_EQ(field.manager->GetPlayerCount(), 3);
  EXPECT_EQ(field.Entities().size(), 6u);
}

TEST_F(ManagerTest, TheDimmerDarkensAllButTheStandingPlayers) {
  auto standing = AddPlayers(1);
  auto fallen = AddPlayers(1);
  fallen->state = kPlayerOut;
  std::vector<std::string> log;
  auto zombie = std::make_shared<Probe>("zombie", 5, &log);
  field.manager->Add(zombie);
  standing->red = 200;

  field.manager->dimmer = 0.5f;
  field.manager->UpdateAll();
  EXPECT_EQ(zombie->red, 127);
  EXPECT_EQ(zombie->green, 127);
  EXPECT_EQ(zombie->blue, 127);
  EXPECT_FLOAT_EQ(zombie->alpha, 0.5f);
  EXPECT_EQ(fallen->red, 255);
  EXPECT_EQ(fallen->green, 127);
  EXPECT_EQ(fallen->blue, 127);
  EXPECT_FLOAT_EQ(fallen->alpha, 0.5f);
  EXPECT_EQ(standing->red, 200);
  EXPECT_FLOAT_EQ(standing->alpha, 1.0f);
  EXPECT_EQ(static_cast<StubPlayer&>(*standing).updates, 1);
}

TEST_F(ManagerTest, TheDimmerRunsOnRealTimeAndStopsAtOne) {
  field.manager->StartDimmer(800);
  field.system->timer->SetSpeed(0, 0);  // frozen play does not stop the darkening
  field.Pass(200);
  field.manager->UpdateAll();
  EXPECT_FLOAT_EQ(field.manager->dimmer, 0.25f);
  field.Pass(700);
  field.manager->UpdateAll();
  EXPECT_FLOAT_EQ(field.manager->dimmer, 1.0f);

  field.manager->dimmer = 0.3f;
  field.manager->dimmerRate = 0;
  field.Pass(500);
  field.manager->UpdateAll();
  EXPECT_FLOAT_EQ(field.manager->dimmer, 0.3f);

  field.manager->dimmer = -1;  // off: entities keep their own colours
  field.manager->dimmerRate = 1;
  std::vector<std::string> log;
  auto zombie = std::make_shared<Probe>("zombie", 5, &log);
  zombie->red = 15;
  field.manager->Add(zombie);
  field.Pass(500);
  field.manager->UpdateAll();
  EXPECT_EQ(zombie->red, 15);
  EXPECT_FLOAT_EQ(field.manager->dimmer, -1);
}

// 1 / 0 as a rate made the level NaN on the first frame of no time, and a NaN level is "off".
TEST_F(ManagerTest, ADimmerOfNoLengthIsDarkAtOnce) {
  std::vector<std::string> log;
  auto zombie = std::make_shared<Probe>("zombie", 5, &log);
  field.manager->Add(zombie);
  for (float duration : {0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SCOPED_TRACE(duration);
    field.manager->StartDimmer(duration);
    field.Pass(0);
    field.manager->UpdateAll();
    EXPECT_FLOAT_EQ(field.manager->dimmer, 1.0f);
    EXPECT_EQ(zombie->red, 0);
    EXPECT_FLOAT_EQ(zombie->alpha, 0.0f);
  }
}

TEST_F(ManagerTest, PresentWinnerWalksOnlyTheSurvivorsToTheCentre) {
  auto loser = AddPlayers(1);
  auto winner = std::static_pointer_cast<StubPlayer>(AddPlayers(1));
  ASSERT_TRUE(media::OpenDisplay(800, 600, 0, 60, 0));  // flip paces the headless clock
  loser->state = kPlayerOut;
  loser->SetPosition(100, 475);
  winner->SetPosition(600, 475);
  field.Pass(1);
  field.manager->PresentWinner();
  EXPECT_FLOAT_EQ(winner->x, 400);
  EXPECT_FLOAT_EQ(winner->y, 300);
  EXPECT_GT(winner->draws, 2);
  EXPECT_FLOAT_EQ(loser->x, 100);
  EXPECT_EQ(static_cast<StubPlayer&>(*loser).draws, 0);
}

}  // namespace
