// What the field shows of the players, in pixels: a fading puppet fades as a whole, a player at a
// side edge is drawn wholly on the screen, a player out of sight above the screen has a marker at
// the top edge, a player behind the scenery shows through it, a crouching player shows its
// jump's charge, and the winner strikes the victory pose.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "anim/anim_state.h"
#include "entities/puppet.h"
#include "match_field.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

media::ImagePtr Solid(int width, int height, uint32_t argb, float handleX, float handleY) {
  auto image = media::CreateImage(width, height, 1, 0);
  std::fill_n(image->Pixels(0), width * height, argb);
  media::SetImageHandle(image, handleX, handleY);
  return image;
}

struct PlayerViewTest : ::testing::Test {
  void SetUp() override {
    target = media::CreateImage(800, 600, 1, media::kImageDynamic);
    media::SetDrawTarget(target);
  }
  void TearDown() override {
    media::SetDrawTarget(nullptr);
    media::ResetRenderState();
  }
  // The player's one bone shows this picture.
  void Wear(const std::shared_ptr<TJugador>& player, const media::ImagePtr& picture) {
    player->graphics->Get(1)->image = picture;
  }
  uint32_t At(int x, int y) const { return target->Pixels(0)[y * 800 + x]; }
  // The columns where row y is lit: [first, last], or last < first when none is.
  std::pair<int, int> LitColumns(int y) const {
    int first = 800, last = -1;
    for (int x = 0; x < 800; ++x) {
      if (At(x, y) & 0xFF) first = std::min(first, x), last = x;
    }
    return {first, last};
  }

  MatchField field;
  media::ImagePtr target;
};

// Two parts lying on each other, drawn at half alpha: where they overlap the puppet is no more
// opaque than where one part is alone.
TEST_F(PlayerViewTest, AFadingPuppetFadesAsAWholeNotPartByPart) {
  auto player = field.AddPlayer(300);
  player->y = 300;
  Wear(player, Solid(20, 20, kWhite, 0, 0));
  RepBone bone;
  bone.graph = 1;
  player->animState->repBones = {bone, bone};
  player->animState->repBones[1].x = 10;  // overlaps the first over x 310-319
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(0.5f);
  DrawPosedPuppet(*player->animState, *player->graphics, *player);
  const uint32_t alone = At(305, 310) & 0xFF, overlap = At(315, 310) & 0xFF;
  EXPECT_NEAR(alone, 128, 2);
  EXPECT_EQ(overlap, alone);
  EXPECT_EQ(At(325, 310) & 0xFF, alone);
  EXPECT_EQ(At(331, 310) & 0xFF, 0u);
}

// A player knocked against the right edge lies wholly on the screen, shadow and all; a dead one is
// left to slide away into the horde.
TEST_F(PlayerViewTest, APlayerAtASideEdgeIsDrawnWhollyOnTheScreen) {
  auto player = field.AddPlayer(740);
  Wear(player, Solid(100, 10, kWhite, 0, 5));  // lying along +x from its feet: 740-840
  player->y = 400;
  player->state = kKnocked;
  player->Draw();
  auto [first, last] = LitColumns(400);
  EXPECT_EQ(last, 799);
  EXPECT_EQ(first, 700);

  TRecursos::FillImage(target, 0, 0, 0);
  player->x = 20;
  Wear(player, Solid(100, 10, kWhite, 60, 5));  // 60 px to the left of its feet
  player->Draw();
  std::tie(first, last) = LitColumns(400);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 99);

  TRecursos::FillImage(target, 0, 0, 0);
  player->state = kDead;
  player->Draw();
  EXPECT_EQ(LitColumns(400).second, 59);
}

TEST_F(PlayerViewTest, APlayerAboveTheScreenHasAMarkerAtTheTopEdgeInItsColour) {
  auto first = field.AddPlayer(300);
  auto second = field.AddPlayer(600);
  field.resources->offScreenMarkers[0] = Solid(10, 10, 0xFFFF0000u, 5, 0);
  field.resources->offScreenMarkers[1] = Solid(10, 10, 0xFF00FF00u, 5, 0);
  first->y = -60;
  second->y = 120;  // in sight: no marker
  field.manager->DrawOffScreenMarkers();
  EXPECT_EQ(At(300, 0), 0xFFFF0000u);
  EXPECT_EQ(At(300, 9), 0xFFFF0000u);
  EXPECT_EQ(At(300, 10) & 0xFFFFFF, 0u);
  EXPECT_EQ(At(600, 0) & 0xFFFFFF, 0u);

  // At the side bounds the marker stays whole on the screen; out of the match, none.
  TRecursos::FillImage(target, 0, 0, 0);
  first->x = 2;
  field.manager->DrawOffScreenMarkers();
  EXPECT_EQ(At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(At(9, 0), 0xFFFF0000u);
  TRecursos::FillImage(target, 0, 0, 0);
  first->state = kDead;
  field.manager->DrawOffScreenMarkers();
  EXPECT_EQ(At(5, 0) & 0xFFFFFF, 0u);
}

// Feet just under the top edge leave a puppet that rises above them out of sight: it is marked
// as long as too little of it shows to be picked out, and not once it does.
TEST_F(PlayerViewTest, APuppetHiddenJustUnderTheTopEdgeIsMarkedToo) {
  auto player = field.AddPlayer(300);
  field.resources->offScreenMarkers[0] = Solid(10, 10, 0xFFFF0000u, 5, 0);
  Wear(player, Solid(10, 60, kWhite, 5, 58));  // from 58 px above the feet to 2 below
  RepBone bone;
  bone.graph = 1;
  player->animState->repBones = {bone};
  player->y = 9;
  field.manager->DrawOffScreenMarkers();
  EXPECT_EQ(At(300, 5), 0xFFFF0000u);

  TRecursos::FillImage(target, 0, 0, 0);
  player->y = 40;
  field.manager->DrawOffScreenMarkers();
  EXPECT_EQ(At(300, 5) & 0xFFFFFF, 0u);
}

// Holding the button fills a gauge under the feet in the player's colour; the full charge blinks
// white; held too long to jump, the gauge is gone.
TEST_F(PlayerViewTest, ACrouchingPlayerShowsHowFullItsJumpIs) {
  auto player = field.AddPlayer(300);
  const uint32_t own = 0xFF000000u | static_cast<uint32_t>(player->colour);
  ASSERT_NE(own, kWhite);
  // The lit pixels along the gauge's middle row: in the player's colour, and white.
  const auto gauge = [&] {
    TRecursos::FillImage(target, 0, 0, 0);
    player->Draw();
    field.manager->DrawPlayerSigns();
    int coloured = 0, white = 0;
    for (int x = 250; x < 350; ++x) {
      coloured += At(x, 489) == own;
      white += At(x, 489) == kWhite;
    }
    return std::pair{coloured, white};
  };
  EXPECT_EQ(gauge(), std::pair(0, 0));  // running: no gauge
  MatchField::Button(player, true);
  field.Quietly(30);
  ASSERT_EQ(player->state, kCrouch);
  const auto [early, earlyWhite] = gauge();
  field.Quietly(120);
  const auto [half, halfWhite] = gauge();
  EXPECT_GT(early, 0);
  EXPECT_GT(half, early + 15);
  EXPECT_EQ(earlyWhite + halfWhite, 0);

  field.Quietly(200);  // past the strongest jump: all of it lit, blinking
  std::pair<int, int> full = gauge();
  EXPECT_GT(full.first + full.second, half + 15);
  field.Quietly(120);
  const std::pair<int, int> blink = gauge();
  EXPECT_EQ(blink.first + blink.second, full.first + full.second);
  EXPECT_NE(full, blink);

  field.Quietly(400);  // too long to jump
  ASSERT_EQ(player->state, kCrouch);
  EXPECT_EQ(gauge(), std::pair(0, 0));
  MatchField::Button(player, false);
}

// A pillar of the scenery drawn over two players: the one it hides in part shows through it,
// faint; one it does not touch, or one out of the match, is not drawn again.
TEST_F(PlayerViewTest, APlayerBehindTheSceneryShowsThroughIt) {
  auto hiddenOne = field.AddPlayer(300);
  auto clearOne = field.AddPlayer(600);
  RepBone bone;
  bone.graph = 1;
  for (const auto& player : {hiddenOne, clearOne}) {
    player->animState->repBones = {bone};
    Wear(player, Solid(20, 100, kWhite, 10, 100));
  }
  clearOne->graphics->Get(1)->image = Solid(20, 100, 0xFF00FF00u, 10, 100);
  hiddenOne->Draw();
  clearOne->Draw();
  // A pillar over the first puppet's lower half (it stands from y 375 to 475).
  const auto drawPillar = [] {
    media::SetBlend(media::kBlendAlpha);
    media::SetColor(0, 0, 255);
    media::SetAlpha(1);
    media::FillRect(280, 420, 40, 180);
  };
  drawPillar();
  const auto pillar = [](float x, float y) { return x >= 280 && x < 320 && y >= 420; };
  ASSERT_EQ(At(300, 450), 0xFF0000FFu);
  field.manager->DrawPlayersThrough(pillar);
  const uint32_t through = At(300, 450);
  EXPECT_NEAR(through >> 16 & 0xFF, 140, 3);  // white at 0.55 over blue
  EXPECT_EQ(through & 0xFF, 255u);
  EXPECT_EQ(At(300, 470), through);
  EXPECT_EQ(At(300, 400), kWhite);  // in sight above the pillar: unchanged
  EXPECT_EQ(At(600, 450), 0xFF00FF00u);

  drawPillar();
  hiddenOne->state = kDead;
  field.manager->DrawPlayersThrough(pillar);
  EXPECT_EQ(At(300, 450), 0xFF0000FFu);
}

TEST_F(PlayerViewTest, TheWinnerStrikesTheVictoryPose) {
  field.resources->playerAnimation = OneBoneAnimations(TJugadorBase::kVictoryAnimation + 1);
  auto loser = field.AddPlayer(300);
  auto winner = field.AddPlayer(600);
  ASSERT_TRUE(media::OpenDisplay(800, 600, 0, 60, 0));  // flip paces the headless clock
  loser->state = kDead;
  field.Frame(1);
  field.manager->PresentWinner();
  EXPECT_EQ(winner->animState->animIndex, TJugadorBase::kVictoryAnimation);
  EXPECT_NE(loser->animState->animIndex, TJugadorBase::kVictoryAnimation);
}

}  // namespace
