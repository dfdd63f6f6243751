// What the field makes heard: each move, contact and fate of a player, and a walker's arrival
// and fall, ask for their own effect at the place where they happen.
#include <gtest/gtest.h>

#include <vector>

#include "core/sound_effects.h"
#include "entities/zombie_movil.h"
#include "match_field.h"

namespace {

struct Heard {
  SoundEffect effect;
  float x;
};

struct FieldSounds : ::testing::Test {
  void SetUp() override {
    ListenToSoundEffects([this](SoundEffect effect, float x, int) {
      heard.push_back({effect, x});
    });
    player = field.AddPlayer(300);
    rival = field.AddPlayer(600);
    field.Quietly(10);
    heard.clear();
  }
  void TearDown() override { ListenToSoundEffects(nullptr); }

  std::vector<SoundEffect> Effects() const {
    std::vector<SoundEffect> effects;
    for (const Heard& one : heard) effects.push_back(one.effect);
    return effects;
  }
  void Press(bool down) {
    MatchField::Button(player, down);
    field.Frame(10);
  }

  MatchField field;
  std::shared_ptr<TJugador> player;
  std::shared_ptr<TJugador> rival;
  std::vector<Heard> heard;
};

TEST_F(FieldSounds, ChargeJumpArrowDiveAndLanding) {
  Press(true);
  ASSERT_EQ(Effects(), std::vector<SoundEffect>{SoundEffect::kCharge});
  EXPECT_FLOAT_EQ(heard[0].x, player->x);
  field.Quietly(290);
  Press(false);
  field.Quietly(2 * kTestAnimMs);
  ASSERT_EQ(player->state, kAim);
  Press(true);
  Press(false);
  field.Quietly(3000);
  EXPECT_EQ(Effects(),
            (std::vector<SoundEffect>{SoundEffect::kCharge, SoundEffect::kJump, SoundEffect::kArrow,
                                      SoundEffect::kDive, SoundEffect::kLand}));
}

TEST_F(FieldSounds, AClashAHitAndATripEachSoundTheirOwn) {
  rival->x = player->x + 10;
  rival->y = player->y + 40;
  player->state = rival->state = kDive;
  player->CollideWithPlayer(*rival);

  rival->x = player->x = 400;
  rival->y = player->y;
  player->state = kDive;
  rival->state = kAim;
  player->CollideWithPlayer(*rival);

  rival->state = kRun;
  player->state = kCrouch;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(Effects(),
            (std::vector<SoundEffect>{SoundEffect::kClash, SoundEffect::kHit, SoundEffect::kTrip}));
  EXPECT_FLOAT_EQ(heard[1].x, rival->x);
}

TEST_F(FieldSounds, EveryPressWhileDownKnocksAndTheLastGetsUp) {
  player->x = 400;
  player->Knock();
  field.Quietly(2 * kTestAnimMs);
  ASSERT_EQ(player->state, kDown);
  while (player->state == kDown) {
    Press(true);
    Press(false);
  }
  EXPECT_EQ(Effects(), (std::vector<SoundEffect>{SoundEffect::kHammer, SoundEffect::kHammer,
                                                 SoundEffect::kGetUp}));
}

TEST_F(FieldSounds, TheHordeCatchesAtTheEdge) {
  player->x = 60;
  field.Frame(20);
  ASSERT_EQ(player->state, kDead);
  EXPECT_EQ(Effects(), std::vector<SoundEffect>{SoundEffect::kCatch});
  EXPECT_LT(heard[0].x, 70);
}

TEST_F(FieldSounds, AWalkerIsHeardArrivingKnockingAndThrownBack) {
  auto walker = TZombieMovil::Create(field.manager.get(), field.timer, field.resources);
  field.manager->Add(walker);
  walker->Update();
  ASSERT_EQ(Effects(), std::vector<SoundEffect>{SoundEffect::kWalker});
  EXPECT_TRUE(heard[0].x < 0 || heard[0].x > 800);  // where it comes in

  walker->x = rival->x;
  walker->CollideWithPlayer(*rival);
  walker->x = player->x;
  player->state = kCrouch;
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(Effects(), (std::vector<SoundEffect>{SoundEffect::kWalker, SoundEffect::kHit,
                                                 SoundEffect::kThrown}));
}

}  // namespace
