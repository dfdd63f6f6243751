// The player: jump strength, sub-steps, aiming and diving, getting up, the horde, contacts and
// bounds, driven through its button and the frame clock.
#include <gtest/gtest.h>

#include "anim/anim_state.h"
#include "entities/blood.h"
#include "entities/flecha_dir.h"
#include "entities/zombie_movil.h"
#include "match_field.h"

namespace {

struct PlayerTest : ::testing::Test {
  void SetUp() override {
    player = field.AddPlayer(300);
    rival = field.AddPlayer(600);
    field.Quietly(10);
  }

  // Presses in Run, holds for heldMs of game time and releases; returns the state after the
  // release frame, with the player's speeds as they were set by the release.
  int HoldAndRelease(int heldMs) {
    FieldButton(true);
    field.Frame(10);  // the press: pressTime is this frame's clock
    if (heldMs > 10) field.Frame(heldMs - 10);
    FieldButton(false);
    field.Frame(10);
    return player->state;
  }
  void FieldButton(bool down) { MatchField::Button(player, down); }

  // Jumps and waits in the air until the player may aim.
  void JumpToAim() {
    HoldAndRelease(300);
    field.Quietly(2 * kTestAnimMs);
    ASSERT_EQ(player->state, kAim);
  }

  MatchField field;
  std::shared_ptr<TJugador> player;
  std::shared_ptr<TJugador> rival;
};

TEST_F(PlayerTest, JumpStrengthFollowsTheHoldTime) {
  struct Case {
    int heldMs;
    float speedY;
  };
  for (const Case& c : {Case{10, -0.45f}, Case{49, -0.45f}, Case{175, -0.5875f}, Case{300, -0.725f},
                        Case{725, -0.725f}}) {
    SCOPED_TRACE(c.heldMs);
    player->x = 300;  // crouching drifts left, towards the horde
    player->y = 475;
    player->speedX = player->speedY = 0;
    player->state = kRun;
    ASSERT_EQ(HoldAndRelease(c.heldMs), kJump);
    EXPECT_FLOAT_EQ(player->speedY, c.speedY);
    EXPECT_EQ(player->speedX, 0);
    field.Quietly(3000);  // down again
    ASSERT_EQ(player->state, kRun);
  }
}

TEST_F(PlayerTest, HoldingTooLongLosesTheJump) {
  FieldButton(true);
  field.Frame(10);
  field.Quietly(720);
  EXPECT_EQ(player->animState->animIndex, kAnimCrouch);
  field.Frame(10);  // held 730 ms: still crouching, in the tired pose
  EXPECT_EQ(player->state, kCrouch);
  EXPECT_EQ(player->animState->animIndex, kAnimCrouchLong);
  FieldButton(false);
  field.Frame(10);
  EXPECT_EQ(player->state, kRun);
  EXPECT_EQ(player->y, 475);
}

// State rates run on the time still to come after each sub-step: 15, 5 and 0 ms of a 25 ms frame.
TEST_F(PlayerTest, FramesAreCutIntoSubStepsWhoseRatesUseTheTimeLeft) {
  player->speedX = 0.1f;
  const float startX = player->x;
  field.Frame(25);
  EXPECT_NEAR(player->speedX, 0.1f - 0.00075f * (15 + 5), 1e-6);
  // Each sub-step moves before its state brakes.
  const float afterFirst = 0.1f - 0.00075f * 15;
  const float afterSecond = afterFirst - 0.00075f * 5;
  EXPECT_NEAR(player->x - startX, 0.1f * 10 + afterFirst * 10 + afterSecond * 5, 1e-4);

  player->speedX = 0.1f;
  const float before = player->x;
  field.Frame(9);  // one short sub-step: motion but no braking
  EXPECT_FLOAT_EQ(player->speedX, 0.1f);
  EXPECT_NEAR(player->x - before, 0.9f, 1e-4);

  field.Frame(0);
  EXPECT_FLOAT_EQ(player->speedX, 0.1f);
}

TEST_F(PlayerTest, ArrowSweepsFromSteepToFlatAndTheDiveFollowsIt) {
  JumpToAim();
  FieldButton(true);
  field.Frame(10);
  ASSERT_NE(player->aimArrow, nullptr);
  EXPECT_FLOAT_EQ(player->aimArrow->GetRotation(), 85);
  field.Frame(20);  // turns by 0.2 × 10 ms left after the first sub-step
  EXPECT_FLOAT_EQ(player->aimArrow->GetRotation(), 83);
  field.Frame(100);
  EXPECT_FLOAT_EQ(player->aimArrow->GetRotation(), 20);
  FieldButton(false);
  field.Frame(10);
  EXPECT_EQ(player->state, kDive);
  EXPECT_EQ(player->aimArrow, nullptr);
  EXPECT_EQ(field.Count<TFlechaDir>(), 0);  // gone from the field
  EXPECT_FLOAT_EQ(player->rotation, 20);
  EXPECT_NEAR(player->speedX, 0.470f, 1e-3);
  EXPECT_NEAR(player->speedY, 0.171f, 1e-3);
}

TEST_F(PlayerTest, ReleasingAtOnceDivesAlmostStraightDown) {
  JumpToAim();
  FieldButton(true);
  field.Frame(10);
  FieldButton(false);
  field.Frame(10);
  EXPECT_EQ(player->state, kDive);
  EXPECT_NEAR(player->speedX, 0.044f, 1e-3);
  EXPECT_NEAR(player->speedY, 0.498f, 1e-3);
  field.Quietly(500);
  EXPECT_EQ(player->state, kLand);
  EXPECT_EQ(player->rotation, 0);
}

TEST_F(PlayerTest, LandingBeforeAimingRunsAgainWithoutTheArrow) {
  JumpToAim();
  FieldButton(true);
  field.Frame(10);
  ASSERT_NE(player->aimArrow, nullptr);
  player->y = 474;
  player->speedY = 0.2f;  // about to touch down, button still held
  field.Frame(10);
  EXPECT_EQ(player->state, kRun);
  EXPECT_EQ(player->aimArrow, nullptr);
  EXPECT_EQ(field.Count<TFlechaDir>(), 0);
}

TEST_F(PlayerTest, GettingUpTakesThreeThenFourThenFivePresses) {
  for (int needed : {3, 4, 5}) {
    SCOPED_TRACE(needed);
    player->x = 400;
    player->Knock();
    field.Quietly(2 * kTestAnimMs);
    ASSERT_EQ(player->state, kDown);
    int presses = 0;
    while (player->state == kDown && presses < 10) {
      FieldButton(true);
      field.Frame(10);
      FieldButton(false);
      field.Frame(10);
      ++presses;
    }
    EXPECT_EQ(presses, needed);
    EXPECT_EQ(player->state, kRise);
    field.Quietly(2 * kTestAnimMs);
    EXPECT_EQ(player->state, kRun);
    EXPECT_FLOAT_EQ(player->speedX, 0.1975f);
  }
}

TEST_F(PlayerTest, AButtonHeldWhileFallingDoesNotCountAsAPress) {
  FieldButton(true);
  field.Frame(10);  // crouching
  player->Knock();
  field.Quietly(2 * kTestAnimMs);
  ASSERT_EQ(player->state, kDown);
  EXPECT_FLOAT_EQ(player->pressesLeft, 2.5f);
  FieldButton(false);
  field.Frame(10);
  FieldButton(true);
  field.Frame(10);
  EXPECT_FLOAT_EQ(player->pressesLeft, 1.5f);
}

TEST_F(PlayerTest, TheHordeKnocksOverThenKills) {
  player->x = 60;
  field.Frame(20);  // knocked in the first sub-step, caught in the second
  EXPECT_EQ(player->state, kDead);
  EXPECT_EQ(player->animState->animIndex, kAnimDead);
  EXPECT_GT(field.Count<TBlood>(), 0);

  field.Frame(2000);  // the dead slide on past the left bound
  EXPECT_LT(player->x, 50);
  EXPECT_FLOAT_EQ(player->speedX, -0.05f);
}

// A player thrown into the horde dies at once, but the throw can carry the body back out past the
// horde's edge. Nothing that happens to it there may bring it back.
TEST_F(PlayerTest, TheDeadStayOutOfPlayWhateverTouchesThem) {
  player->x = 65;
  player->Knock();
  field.Frame(10);
  ASSERT_EQ(player->state, kDead);
  for (int i = 0; i < 60; ++i) field.Frame(17);
  ASSERT_GT(player->x, 70);

  rival->x = player->x;
  rival->state = kDive;
  rival->rotation = 45;
  const int splats = field.Count<TBlood>();
  rival->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kDead);
  EXPECT_EQ(rival->state, kDive);  // nothing there to bounce off
  EXPECT_EQ(field.Count<TBlood>(), splats);

  auto walker = TZombieMovil::Create(field.manager.get(), field.timer, field.resources);
  field.manager->Add(walker);
  walker->Update();
  walker->x = player->x;
  walker->CollideWithPlayer(*player);
  EXPECT_EQ(player->state, kDead);

  bool stayedDead = true;
  for (int press = 0; press < 100; ++press) {
    FieldButton(true);
    field.Frame(10);
    FieldButton(false);
    field.Frame(10);
    stayedDead = stayedDead && player->state == kDead;
  }
  EXPECT_TRUE(stayedDead);
  EXPECT_LT(player->x, 50);  // slid on past the left bound

  player->x = 760;  // no side of the field holds a body
  field.Frame(10);
  EXPECT_GT(player->x, 740);
}

TEST_F(PlayerTest, AStandingPlayerNearTheHordeIsOnlyKnockedOver) {
  player->x = 69;
  field.Frame(10);
  EXPECT_EQ(player->state, kKnocked);
  player->x = 69;
  player->y = 400;  // above the horde's reach
  player->state = kRun;
  field.Frame(10);
  EXPECT_EQ(player->state, kRun);
}

TEST_F(PlayerTest, DiversMeetingBounceApartTheRightOneToTheRight) {
  rival->x = player->x + 10;
  rival->y = player->y + 40;  // the other's box is taken 50 px up its body
  player->state = rival->state = kDive;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(player->state, kClash);
  EXPECT_EQ(rival->state, kClash);
  EXPECT_FLOAT_EQ(player->speedX, -0.5f);
  EXPECT_FLOAT_EQ(rival->speedX, 0.5f);
  EXPECT_FLOAT_EQ(player->speedY, -0.3f);
  EXPECT_FLOAT_EQ(rival->speedY, -0.3f);
  EXPECT_EQ(field.Count<TBlood>(), 5);  // sparks

  rival->x = player->x - 10;
  player->state = rival->state = kDive;
  player->CollideWithPlayer(*rival);
  EXPECT_FLOAT_EQ(player->speedX, 0.5f);
  EXPECT_FLOAT_EQ(rival->speedX, -0.5f);
}

TEST_F(PlayerTest, ADiveKnocksTheOtherDownAndBouncesBack) {
  rival->x = player->x = 400;
  player->state = kDive;
  player->rotation = 45;
  rival->state = kAim;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(player->state, kRebound);
  EXPECT_EQ(player->rotation, 0);
  EXPECT_FLOAT_EQ(player->speedX, 400.0f / 800 * -0.3f);
  EXPECT_FLOAT_EQ(player->speedY, -0.6f);
  EXPECT_EQ(rival->state, kKnocked);
  EXPECT_FLOAT_EQ(rival->speedX, 0.2f);
  EXPECT_EQ(field.Count<TBlood>(), 3);
}

TEST_F(PlayerTest, ACrouchingPlayerTripsARunningOneButNotTheFloored) {
  rival->x = player->x;
  player->state = kCrouch;
  rival->state = kDown;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(rival->state, kDown);
  rival->state = kJump;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(rival->state, kJump);
  rival->state = kRun;
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(rival->state, kKnocked);
  EXPECT_EQ(player->state, kCrouch);
}

TEST_F(PlayerTest, PlayersApartDoNotTouch) {
  player->state = kDive;
  rival->state = kRun;
  rival->x = player->x + 40;  // boxes of 50 and 25 pixels
  player->CollideWithPlayer(*rival);
  EXPECT_EQ(rival->state, kRun);
  EXPECT_EQ(player->state, kDive);
}

TEST_F(PlayerTest, TheFieldHoldsThePlayers) {
  player->speedX = 50;
  field.Frame(10);
  EXPECT_EQ(player->x, 740);
  EXPECT_EQ(player->speedX, 0);
  player->speedX = -100;
  field.Frame(10);
  EXPECT_EQ(player->x, 50);
  player->speedY = 3;
  field.Frame(10);
  EXPECT_EQ(player->y, 475);
  EXPECT_EQ(player->onGround, 1);
}

// Drawn white over black with no bones, so that only the shadow shows: its brightness is its
// alpha and its width its scale.
TEST_F(PlayerTest, TheShadowWidensAndFadesAsThePlayerRises) {
  auto shadow = media::CreateImage(8, 8, 1, 0);
  TRecursos::FillImage(shadow, 255, 255, 255);
  media::MidHandleImage(shadow);
  field.resources->images[0] = shadow;
  auto target = media::CreateImage(800, 600, 1, media::kImageDynamic);
  media::SetDrawTarget(target);
  player->animState->Play(-1, 0, 0, 0, 0);
  struct Case {
    float y, alpha;
    int width;
  };
  for (const Case& c : {Case{475, 0.9f, 8}, Case{356.25f, 0.65f, 16}, Case{100, 0.4f, 24}}) {
    SCOPED_TRACE(c.y);
    TRecursos::FillImage(target, 0, 0, 0);
    player->y = c.y;
    player->Draw();
    const media::PixelBuffer pixels = media::LockImage(target, 0);
    int width = 0;
    for (int x = 0; x < 800; ++x) width += (media::ReadPixel(pixels, x, 475) & 0xFF) > 0;
    EXPECT_NEAR((media::ReadPixel(pixels, 300, 475) & 0xFF) / 255.0, c.alpha, 0.02);
    media::UnlockImage(target);
    EXPECT_NEAR(width, c.width, 1);
  }
  media::SetDrawTarget(nullptr);
}

}  // namespace
