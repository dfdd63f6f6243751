// The horde and the walkers: where they start, where they turn, when they go, and what a walker
// does to the players it meets.
#include "entities/zombie.h"

#include <gtest/gtest.h>

#include "anim/anim_state.h"
#include "entities/blood.h"
#include "entities/zombie_movil.h"
#include "match_field.h"

namespace {

struct ZombieTest : ::testing::Test {
  template <class Kind>
  std::shared_ptr<Kind> Add() {
    auto zombie = Kind::Create(field.manager.get(), field.timer, field.resources);
    field.manager->Add(zombie);
    return zombie;
  }
  bool InField(const std::shared_ptr<TEntidad>& entity) const {
    bool found = false;
    field.manager->entities.Walk([&](const std::shared_ptr<TEntidad>& e) { found |= e == entity; });
    return found;
  }
  // A walker set up and then placed on the player's feet.
  std::shared_ptr<TZombieMovil> WalkerOn(const TJugador& player) {
    auto walker = Add<TZombieMovil>();
    walker->Update();
    walker->x = player.x;
    return walker;
  }

  MatchField field;
};

TEST_F(ZombieTest, AHordeZombieWaitsOffScreenUntilItsFirstUpdate) {
  for (int n = 0; n < 200; ++n) {
    auto zombie = Add<TZombie>();
    EXPECT_EQ(zombie->x, -200);
    zombie->Update();  // no time has passed: set up, but not moved
    EXPECT_GE(zombie->x, -85);
    EXPECT_LT(zombie->x, -30);
    EXPECT_GE(zombie->y, 445);
    EXPECT_LT(zombie->y, 505);
    EXPECT_EQ(zombie->depth, static_cast<int>(95 - (zombie->y - 445)));
    EXPECT_TRUE(zombie->state == 1 || zombie->state == 3 || zombie->state == 5 ||
                zombie->state == 7);
    EXPECT_EQ(zombie->animState->animIndex, zombie->state);
    const float low[] = {0.06f, 0.06f, 0.05f, 0.03f};
    const float high[] = {0.12f, 0.08f, 0.06f, 0.05f};
    EXPECT_GE(zombie->speedX, low[zombie->state / 2] - 1e-6f);
    EXPECT_LT(zombie->speedX, high[zombie->state / 2] + 1e-6f);
    EXPECT_GE(zombie->red, 175);
    EXPECT_TRUE(zombie->variantGraph == 0 || zombie->variantGraph == 5);
    EXPECT_NE(zombie->graphics, nullptr);
  }
}

TEST_F(ZombieTest, TheHordeTurnsNearTheEdgeAndComesBackAsSomeoneNew) {
  for (int n = 0; n < 30; ++n) {
    auto zombie = Add<TZombie>();
    field.Frame(0);
    float furthest = -1000;
    while (zombie->state % 2 == 1) {
      field.Frame(10);
      furthest = std::max(furthest, zombie->x);
    }
    EXPECT_GT(furthest, 55);
    EXPECT_LT(furthest, 85 + 1.2f);
    const float slowest = zombie->state == 4 || zombie->state == 8 ? -0.095f : -0.075f;
    field.Frame(200);
    EXPECT_GE(zombie->speedX, slowest - 1e-6f);
    while (zombie->x != -200) {
      field.Frame(16);
      EXPECT_FLOAT_EQ(std::min(zombie->speedX, slowest), slowest);
    }
    field.Frame(0);
    EXPECT_GE(zombie->x, -85);  // set up again
    EXPECT_EQ(zombie->state % 2, 1);
    zombie->Remove();
  }
}

TEST_F(ZombieTest, WalkersComeFromEitherSide) {
  int fromRight = 0;
  int crossing = 0;
  for (int n = 0; n < 200; ++n) {
    auto walker = Add<TZombieMovil>();
    EXPECT_GE(walker->turnX, 0);
    walker->Update();
    EXPECT_EQ(walker->y, 475);
    EXPECT_GE(walker->depth, 30);
    EXPECT_LE(walker->depth, 110);
    if (walker->scaleX < 0) {
      ++fromRight;
      EXPECT_GE(walker->x, 830);
      EXPECT_LT(walker->x, 885);
      EXPECT_LT(walker->targetSpeed, -0.075f + 1e-6f);
      EXPECT_GE(walker->targetSpeed, -0.125f);
      EXPECT_EQ(walker->turnX, -50);
    } else {
      EXPECT_LT(walker->x, -30);
      EXPECT_GE(walker->targetSpeed, 0.075f);
      EXPECT_TRUE(walker->turnX <= 800 || walker->turnX == 850);
      crossing += walker->turnX == 850;
    }
    EXPECT_EQ(walker->speedX, walker->targetSpeed);
    walker->Remove();
  }
  EXPECT_GT(fromRight, 70);
  EXPECT_LT(fromRight, 130);
  EXPECT_GT(crossing, 0);
}

// Leaving through either edge, turned back, or thrown: every walker is gone in the end.
TEST_F(ZombieTest, WalkersLeaveTheFieldWhicheverWayTheyGo) {
  for (int n = 0; n < 40; ++n) {
    auto walker = Add<TZombieMovil>();
    field.Frame(0);
    if (n % 4 == 0) {
      walker->state = kZombieThrown;
    } else if (walker->scaleX > 0 && n % 4 == 1) {
      walker->turnX = 400;
    }
    bool turned = false;
    for (int frame = 0; frame < 3000 && InField(walker); ++frame) {
      field.Frame(16);
      turned |= walker->state % 2 == 0 && walker->state != kZombieThrown;
      EXPECT_GT(walker->x, -350);
      EXPECT_LT(walker->x, 1150);
    }
    EXPECT_FALSE(InField(walker));
    EXPECT_EQ(walker->animState, nullptr);
    if (walker->scaleX > 0 && walker->turnX == 400) {
      EXPECT_TRUE(turned);
    }
  }
}

TEST_F(ZombieTest, NothingMovesWithoutTime) {
  auto walker = Add<TZombieMovil>();
  auto zombie = Add<TZombie>();
  field.Frame(0);
  const float walkerX = walker->x;
  const float zombieX = zombie->x;
  EXPECT_NE(zombieX, -200);
  field.Frame(0);
  EXPECT_EQ(walker->x, walkerX);
  EXPECT_EQ(zombie->x, zombieX);
}

TEST_F(ZombieTest, AWalkerKnocksOverAStandingPlayer) {
  auto player = field.AddPlayer(400);
  auto walker = WalkerOn(*player);
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kKnocked);
  EXPECT_FLOAT_EQ(player->speedX, 0.2f);
  EXPECT_NE(walker->state, kZombieThrown);

  player->state = kDown;
  player->speedX = 0;
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kDown);
  EXPECT_EQ(player->speedX, 0);
}

TEST_F(ZombieTest, AWalkerLeavesTheDeadAlone) {
  auto player = field.AddPlayer(400);
  player->state = kDead;
  player->speedX = -0.05f;
  auto walker = WalkerOn(*player);
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kDead);
  EXPECT_FLOAT_EQ(player->speedX, -0.05f);
}

TEST_F(ZombieTest, ACrouchingPlayerThrowsAWalkerBackUnhurt) {
  auto player = field.AddPlayer(400);
  auto walker = WalkerOn(*player);
  player->state = kCrouch;
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(walker->state, kZombieThrown);
  EXPECT_EQ(walker->animState->animIndex, kZombieThrown);
  EXPECT_EQ(player->state, kCrouch);
  EXPECT_EQ(field.Count<TBlood>(), 3);

  player->state = kRun;  // a thrown walker touches no one
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kRun);
}

TEST_F(ZombieTest, ADiveThrowsAWalkerBackAndBouncesThePlayer) {
  auto player = field.AddPlayer(400);
  auto walker = WalkerOn(*player);
  walker->x = 320;
  player->x = 320;
  player->state = kDive;
  player->rotation = 30;
  player->y = 400;  // the dive's box reaches down to the walker
  for (int i = 0; i < 100 && walker->state != kZombieThrown; ++i) {
    player->y += 1;
    walker->CollideWithPlayer(*player);
  }
  EXPECT_EQ(walker->state, kZombieThrown);
  EXPECT_EQ(player->state, kRebound);
  EXPECT_EQ(player->rotation, 0);
  EXPECT_FLOAT_EQ(player->speedX, 320.0f / 800 * -0.3f);
  EXPECT_FLOAT_EQ(player->speedY, -0.6f);
}

}  // namespace
