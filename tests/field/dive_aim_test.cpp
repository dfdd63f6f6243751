// A bot foresees its dives with the player's own physics: where the real dive lands and whom it
// knocks down must be where the bot expects.
#include "field/dive_aim.h"

#include <gtest/gtest.h>

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

}  // namespace
