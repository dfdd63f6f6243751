// The tag that tells each player which puppet is theirs and which button plays it: when it shows,
// what it draws, and the hint to hammer the button while down.
#include "entities/player_tag.h"

#include <gtest/gtest.h>

#include <set>

#include "core/player_colours.h"
#include "match_field.h"

namespace {

struct PlayerTagTest : ::testing::Test {
  void SetUp() override {
    target = media::CreateImage(800, 600, 1, media::kImageDynamic);
    media::SetDrawTarget(target);
    player = field.AddPlayer(400);
    player->buttonName = "Q";
    tag = FindTag();
    ASSERT_NE(tag, nullptr);
  }
  void TearDown() override {
    media::SetDrawTarget(nullptr);
    media::ResetRenderState();
  }
  std::shared_ptr<TPlayerTag> FindTag() const {
    std::shared_ptr<TPlayerTag> found;
    field.manager->entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
      if (auto t = std::dynamic_pointer_cast<TPlayerTag>(entity)) found = t;
    });
    return found;
  }
  // Frames of 10 ms up to game time `ms` after the tag was made.
  void PlayUntil(float ms) {
    while (field.Now() < start + ms) field.Frame(10);
  }
  void Press() {
    MatchField::Button(player, true);
    field.Frame(10);
    MatchField::Button(player, false);
    field.Frame(10);
  }
  // The columns of row y drawn in the player's colour: the plate's rim.
  std::pair<int, int> RimAt(int y) const {
    const uint32_t own = 0xFF000000u | static_cast<uint32_t>(kPlayerColours[0]);
    int first = 800, last = -1;
    for (int x = 0; x < 800; ++x) {
      if (target->Pixels(0)[y * 800 + x] == own) first = std::min(first, x), last = x;
    }
    return {first, last};
  }
  std::pair<int, int> Shown() {
    TRecursos::FillImage(target, 0, 0, 0);
    tag->Show();
    for (int y = 0; y < 600; ++y) {
      if (RimAt(y).second >= 0) return RimAt(y);  // the plate's top edge
    }
    return {800, -1};
  }

  MatchField field;
  media::ImagePtr target;
  std::shared_ptr<TJugador> player;
  std::shared_ptr<TPlayerTag> tag;
  float start = field.Now();
};

// Shown from the start for six seconds, then fading; a press in the first twenty seconds brings it
// back for a while, a later one does not.
TEST_F(PlayerTagTest, ItShowsAtTheStartAndAgainOnEarlyPresses) {
  EXPECT_EQ(tag->number, 1);
  EXPECT_FLOAT_EQ(tag->Visibility(), 1);
  PlayUntil(5990);
  EXPECT_FLOAT_EQ(tag->Visibility(), 1);
  PlayUntil(6500);
  EXPECT_NEAR(tag->Visibility(), 0.5f, 0.02f);
  PlayUntil(7100);
  EXPECT_FLOAT_EQ(tag->Visibility(), 0);
  EXPECT_EQ(Shown().second, -1);

  PlayUntil(9000);
  Press();
  EXPECT_FLOAT_EQ(tag->Visibility(), 1);
  EXPECT_GE(Shown().second, 0);
  PlayUntil(13000);
  EXPECT_FLOAT_EQ(tag->Visibility(), 0);

  PlayUntil(20500);
  Press();
  EXPECT_FLOAT_EQ(tag->Visibility(), 0);
}

// "1 · Q" on a plate rimmed in the player's colour, over the player's head; a longer button name
// makes a wider plate.
TEST_F(PlayerTagTest, ItNamesThePlayerAndTheButtonOverThePuppet) {
  const auto [left, right] = Shown();
  ASSERT_GE(right, 0);
  EXPECT_LT(left, 400);
  EXPECT_GT(right, 400);
  player->buttonName = "Espacio";
  const auto [wideLeft, wideRight] = Shown();
  EXPECT_GT(wideRight - wideLeft, right - left + 40);
  player->x = 795;  // kept whole on the screen
  EXPECT_EQ(Shown().second, 799);
}

// Down on the ground the player is shown the button to hammer, pulsing, long after the tag went;
// out of the match, nothing.
TEST_F(PlayerTagTest, APlayerDownIsShownTheButtonToHammer) {
  PlayUntil(8000);
  player->state = kDown;
  std::set<int> widths;
  for (int n = 0; n < 6; ++n) {
    const auto [left, right] = Shown();
    ASSERT_GE(right, 0);
    widths.insert(right - left);
    field.Frame(70);
  }
  EXPECT_GE(widths.size(), 3u);
  player->state = kDead;
  EXPECT_EQ(Shown().second, -1);
}

// A fresh player in the slot brings its own tag; the old one leaves with the old player.
TEST_F(PlayerTagTest, ARespawnedPlayersOldTagLeaves) {
  field.manager->RespawnPlayer(0);
  field.Frame(10);
  const int tags = field.Count<TPlayerTag>();
  EXPECT_EQ(tags, 1);
  EXPECT_EQ(FindTag()->player, field.manager->GetPlayer(0));
  EXPECT_EQ(field.manager->GetPlayer(0)->buttonName, "Q");
}

}  // namespace
