// A bot foresees its dives with the player's own physics: where the real dive lands and whom it
// knocks down must be where the bot expects.
#include "field/dive_aim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "entities/flecha_dir.h"
#include "entities/match_field.h"

namespace {

// The player aims at `degrees` from (x, y), lets go and falls until it lands or hits someone.
struct DiveField : MatchField {
  DiveField(float x, float y, float degrees) : diver(AddPlayer(x)) {
    diver->y = y;
    diver->state = kAim;
    diver->aimArrow = manager->AddDirectionArrow(diver->depth + 1);
    diver->aimArrow->SetRotation(degrees);
    diver->buttonWasDown = 1;
  }
  // Frames of 10 ms: the arrow does not turn before it is let go.
  void Dive() {
    Button(diver, false);
    Quietly(10);
    for (int ms = 0; ms < 3000 && diver->state == kDive; ms += 10) Quietly(10);
  }
  std::shared_ptr<TJugador> diver;
};

TEST(DiveAim, TheRealDiveLandsWhereForeseen) {
  for (float degrees : {20.0f, 45.0f, 80.0f}) {
    for (float height : {150.0f, 300.0f}) {
      SCOPED_TRACE(testing::Message() << degrees << " degrees from y " << height);
      DiveField field(200, height, degrees);
      const float foreseen = field::DiveLandingX({200, height, 0, 0}, degrees);
      field.Dive();
      EXPECT_EQ(field.diver->state, kLand);
      EXPECT_NEAR(field.diver->x - field.diver->speedX * 10, foreseen, 8);
    }
  }
}

TEST(DiveAim, ARivalIsKnockedDownExactlyWhenForeseen) {
  const float landing = field::DiveLandingX({150, 250, 0, 0}, 40);
  for (float offset : {-60.0f, -15.0f, 10.0f, 60.0f}) {
    SCOPED_TRACE(offset);
    DiveField field(150, 250, 40);
    const auto rival = field.AddPlayer(landing + offset);
    const bool foreseen = field::DiveMeetsRival({150, 250, 0, 0}, 40, rival->x) >= 0;
    field.Dive();
    EXPECT_EQ(rival->state == kKnocked, foreseen);
  }
  EXPECT_GE(field::DiveMeetsRival({150, 250, 0, 0}, 40, landing), 0);
  EXPECT_LT(field::DiveMeetsRival({150, 250, 0, 0}, 40, landing + 60), 0);
}

TEST(DiveAim, AimingTheBodyCoastsUnderGravityAndStopsOnTheGround) {
  const field::Flight rising{300, 400, 0.1f, -0.5f};
  const field::Flight later = field::Coast(rising, 200);
  EXPECT_LT(later.y, 400);
  EXPECT_GT(later.x, 300);
  EXPECT_LT(later.speedX, 0.1f);
  EXPECT_EQ(field::Coast(rising, 5000).y, field::kGroundY);
}

// A rival who jumps as a dive comes, from before it is let go to too late: the dive passes under
// it, or meets it in the air or still standing, each where the bot foresees it.
TEST(DiveAim, ARivalWhoJumpsIsMetOnlyWhereForeseen) {
  constexpr float kDegrees = 40;
  constexpr int kReleaseMs = 300;
  constexpr int kHoldMs = 100;
  const field::Flight start{150, 250, 0, 0};
  const float landing = field::DiveLandingX(start, kDegrees);
  const field::Flight diving{150, 250, 0.5f * std::cos(kDegrees * 3.14159265f / 180),
                             0.5f * std::sin(kDegrees * 3.14159265f / 180)};
  std::vector<bool> foreseenMeets;
  std::vector<bool> realMeets;
  for (int takeoffMs = kHoldMs - kReleaseMs; takeoffMs <= 500; takeoffMs += 50) {
    SCOPED_TRACE(takeoffMs);
    DiveField field(150, 250, kDegrees);
    field.Button(field.diver, true);
    const auto rival = field.AddPlayer(landing - 10);
    const field::Dodger dodger{rival->x, static_cast<float>(takeoffMs), -JumpSpeed(kHoldMs)};
    foreseenMeets.push_back(field::DivingMeets(diving, dodger));
    bool knocked = false;
    for (int ms = 0; ms < 2000; ms += 10) {
      if (ms == kReleaseMs + takeoffMs - kHoldMs) field.Button(rival, true);
      if (ms == kReleaseMs + takeoffMs) field.Button(rival, false);
      if (ms == kReleaseMs) field.Button(field.diver, false);
      if (ms < kReleaseMs) {  // the diver hangs where it aims from until it lets go
        field.diver->y = start.y;
        field.diver->speedY = 0;
      }
      field.Quietly(10);
      knocked |= rival->state == kKnocked;
    }
    realMeets.push_back(knocked);
  }
  EXPECT_EQ(foreseenMeets, realMeets);
}

}  // namespace
