// Splats and the aiming arrow over game time, and what the spawners hand out.
#include <gtest/gtest.h>

#include "entities/blood.h"
#include "entities/flecha_dir.h"
#include "media/draw.h"
#include "play_field.h"

namespace {

struct EffectsTest : ::testing::Test {
  std::shared_ptr<TBlood> Splat(float lifetime, float speedX, float speedY) {
    auto splat = TBlood::Create(field.manager.get(), field.system->timer, field.resources, lifetime,
                                300, 200, speedX, speedY);
    field.manager->Add(splat);
    return splat;
  }
  // Lets game time pass in frames of 10 ms, updating the whole field each frame.
  void Play(int ms) {
    for (int t = 0; t < ms; t += 10) {
      field.Pass(10);
      field.manager->UpdateAll();
    }
  }
  bool InField(const std::shared_ptr<TEntidad>& entity) const {
    auto link = entity->GetLink();
    return link && link->InList();
  }
  PlayField field;
};

TEST_F(EffectsTest, ASplatFadesGrowsDriftsAndGoesWhenItsTimeIsUp) {
  field.Pass(1);
  auto splat = Splat(1000, 0.1f, -0.05f);
  splat->alpha = 0.95f;
  splat->fadeRate = -0.95f / 1000;
  const float scaleX = splat->scaleX, scaleY = splat->scaleY;
  Play(500);
  EXPECT_NEAR(splat->alpha, 0.475f, 1e-4);
  EXPECT_NEAR(splat->scaleX, scaleX + 1.0f, 1e-4);
  EXPECT_NEAR(splat->scaleY, scaleY + 1.0f, 1e-4);
  Play(500);
  EXPECT_NEAR(splat->x, 400, 1e-3);
  EXPECT_NEAR(splat->y, 150, 1e-3);
  EXPECT_TRUE(InField(splat));  // game clock == endTime: not yet
  Play(10);
  EXPECT_FALSE(InField(splat));
}

TEST_F(EffectsTest, ASplatNeedsItsManagerClockAndResources) {
  EXPECT_EQ(TBlood::Create(nullptr, field.system->timer, field.resources, 1000, 0, 0, 0, 0),
            nullptr);
  EXPECT_EQ(TBlood::Create(field.manager.get(), nullptr, field.resources, 1000, 0, 0, 0, 0),
            nullptr);
  EXPECT_EQ(TBlood::Create(field.manager.get(), field.system->timer, nullptr, 1000, 0, 0, 0, 0),
            nullptr);
}

TEST_F(EffectsTest, SpawnersScatterSplatsWithTheirRandomValuesInRange) {
  field.Pass(1000);
  field.manager->SpawnBlood(100, 200, 0);
  EXPECT_TRUE(field.Entities().empty());
  field.manager->SpawnBlood(100, 200, 30);
  auto splats = field.EntitiesOf<TBlood>();
  ASSERT_EQ(splats.size(), 30u);
  const float now = field.system->timer->GetElapsed(false);
  for (const auto& s : splats) {
    EXPECT_GE(s->x, 85);
    EXPECT_LT(s->x, 115);
    EXPECT_GE(s->y, 185);
    EXPECT_LT(s->y, 215);
    EXPECT_GE(s->endTime - now, 1000);
    EXPECT_LT(s->endTime - now, 1500);
    EXPECT_GE(s->speedX, -0.1f);
    EXPECT_LT(s->speedX, 0.1f);
    EXPECT_GE(s->alpha, 0.9f);
    EXPECT_LT(s->alpha, 1.0f);
    EXPECT_GE(s->depth, 0);
    EXPECT_LE(s->depth, 100);
    EXPECT_GE(s->red, 180);
    EXPECT_EQ(s->red, s->blue);
    EXPECT_EQ(s->blend, 3);
    bool splatImage = false;
    for (int i = 7; i <= 11; ++i)
      splatImage = splatImage || s->image == field.resources->GetImage(i);
    EXPECT_TRUE(splatImage);
    EXPECT_NEAR(s->fadeRate * (s->endTime - now), -s->alpha, 1e-4);  // transparent at the end
  }
}

// However large a splat grows, it never hides a player lying in it: every kind is drawn before
// (behind) every player on the field.
TEST_F(EffectsTest, SplatsLieBehindEveryPlayer) {
  for (int slot = 0; slot < 4; ++slot) field.manager->AddPlayer(nullptr, 65 + slot, 50 + 10 * slot);
  field.manager->SpawnBlood(100, 200, 20);
  field.manager->SpawnDarkBlood(100, 200, 20);
  field.manager->SpawnSparks(100, 200, 20);
  field.manager->DrawAll();
  bool playerSeen = false;
  int splats = 0;
  for (const auto& entity : field.Entities()) {
    playerSeen = playerSeen || dynamic_cast<TJugadorBase*>(entity.get());
    if (dynamic_cast<TBlood*>(entity.get())) {
      ++splats;
      EXPECT_FALSE(playerSeen) << "a splat of depth " << entity->depth << " over a player";
    }
  }
  EXPECT_EQ(splats, 60);
}

TEST_F(EffectsTest, DarkBloodAndSparksChangeOnlyTheirOwnSplats) {
  field.manager->SpawnBlood(0, 0, 2);
  field.manager->SpawnDarkBlood(0, 0, 2);
  field.manager->SpawnSparks(0, 0, 2);
  auto splats = field.EntitiesOf<TBlood>();
  ASSERT_EQ(splats.size(), 6u);
  EXPECT_GE(splats[1]->red, 180);
  EXPECT_EQ(splats[2]->red, 15);
  EXPECT_EQ(splats[3]->green, 15);
  EXPECT_NE(splats[3]->image, field.resources->GetImage(12));
  EXPECT_EQ(splats[4]->image, field.resources->GetImage(12));
  EXPECT_EQ(splats[5]->blend, 4);
  EXPECT_GE(splats[5]->red, 180);
}

TEST_F(EffectsTest, TheArrowBrightensAsItSweepsFromEightyFiveToTwenty) {
  auto arrow = field.manager->AddDirectionArrow(61);
  EXPECT_EQ(arrow->depth, 61);
  EXPECT_FLOAT_EQ(arrow->alpha, 0.7f);
  EXPECT_EQ(arrow->blend, media::kBlendAlpha);
  const std::pair<float, float> cases[] = {{85, 0.7f}, {52.5f, 0.85f}, {20, 1.0f}, {5, 1.0f}};
  for (auto [degrees, alpha] : cases) {
    arrow->SetRotation(degrees);
    field.manager->UpdateAll();
    EXPECT_NEAR(arrow->alpha, alpha, 1e-6) << degrees;
  }
}

}  // namespace
