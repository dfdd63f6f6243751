// The image button: its slide-in, the press that must begin and end over it, and hovering.
#include <gtest/gtest.h>

#include "menu/menu_button.h"
#include "menu_fixture.h"

namespace {

using ButtonTest = MenuTest;

constexpr ScreenPoint kOverPlay = {400, 230};  // the play button spans 300-516 x 200-272
constexpr ScreenPoint kAway = {50, 50};

// Calls Update until the slide-in has ended; the number of calls that moved the button.
int SlideIn(TMenuButton& button) {
  int moves = 0;
  while (button.sliding == 1) {
    const float before = button.slideY;
    EXPECT_EQ(button.Update(), -1);
    if (button.slideY != before) ++moves;
  }
  return moves;
}

TEST_F(ButtonTest, SlidesInOverExactFrameCountsAndIgnoresThePointerMeanwhile) {
  MoveMouse(kOverPlay);
  LeftButton(true);
  auto play = TMenuButton::Create("gfx/menu/Jugar.png", 300, 200, 0, 1);
  EXPECT_EQ(SlideIn(*play), 31);
  EXPECT_NEAR(play->slideY, 200.45f, 0.01f);
  EXPECT_EQ(play->pressState, TMenuButton::kIdle);  // held over it all along, yet never tracked
  EXPECT_EQ(play->Update(), -1);                    // the 33rd call reacts
  EXPECT_EQ(play->pressState, TMenuButton::kPressedHere);

  auto quit = TMenuButton::Create("gfx/menu/Salir.png", 360, 425, 3, 1);
  EXPECT_EQ(SlideIn(*quit), 28);
}

TEST_F(ButtonTest, AClickNeedsPressAndReleaseOverTheSameButton) {
  auto play = TMenuButton::Create("gfx/menu/Jugar.png", 300, 200, 7, 1);
  SlideIn(*play);

  // Pressed over it, released over it.
  MoveMouse(kOverPlay);
  LeftButton(true);
  EXPECT_EQ(play->Update(), -1);
  LeftButton(false);
  EXPECT_EQ(play->Update(), 7);
  // The press is used up: the pointer resting on it does not fire it again.
  EXPECT_EQ(play->pressState, TMenuButton::kIdle);
  EXPECT_EQ(play->Update(), -1);

  // Pressed over it, released elsewhere.
  MoveMouse(kAway);
  EXPECT_EQ(play->Update(), -1);
  MoveMouse(kOverPlay);
  LeftButton(true);
  EXPECT_EQ(play->Update(), -1);
  MoveMouse(kAway);
  LeftButton(false);
  EXPECT_EQ(play->Update(), -1);
  EXPECT_EQ(play->pressState, TMenuButton::kIdle);

  // Pressed elsewhere, released over it: it neither hovers nor fires.
  LeftButton(true);
  EXPECT_EQ(play->Update(), -1);
  const float scale = play->scale;
  MoveMouse(kOverPlay);
  for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(play->Update(), -1);
  EXPECT_EQ(play->pressState, TMenuButton::kPressedElsewhere);
  EXPECT_LE(play->scale, scale);
  LeftButton(false);
  EXPECT_EQ(play->Update(), -1);
  EXPECT_EQ(play->pressState, TMenuButton::kIdle);
}

TEST_F(ButtonTest, MainButtonsGrowAndPanelButtonsBrightenUnderThePointer) {
  auto grows = TMenuButton::Create("gfx/menu/Jugar.png", 300, 200, 0, 1);
  auto brightens = TMenuButton::Create("gfx/menu/Jugar.png", 300, 200, 0, 0);
  SlideIn(*grows);
  SlideIn(*brightens);
  MoveMouse(kOverPlay);
  for (int frame = 0; frame < 20; ++frame) {
    grows->Update();
    brightens->Update();
  }
  // The float steps stop at their limits instead of overshooting them.
  EXPECT_EQ(grows->scale, 2.0f);
  EXPECT_EQ(grows->light, 1.0f);
  EXPECT_EQ(brightens->scale, 1.0f);
  EXPECT_EQ(brightens->light, 1.0f);

  // The hover area is the unscaled picture plus ten pixels, strictly.
  MoveMouse({300 - 10, 230});
  EXPECT_FALSE(grows->IsMouseOver());
  MoveMouse({300 - 9, 230});
  EXPECT_TRUE(grows->IsMouseOver());
  MoveMouse({static_cast<int>(300 + grows->width + 9), static_cast<int>(200 + grows->height + 9)});
  EXPECT_TRUE(grows->IsMouseOver());

  MoveMouse(kAway);
  for (int frame = 0; frame < 20; ++frame) {
    grows->Update();
    brightens->Update();
  }
  // Back exactly to the resting size and alpha, not a step below them.
  EXPECT_EQ(grows->scale, 1.0f);
  EXPECT_EQ(grows->light, 0.5f);
  EXPECT_EQ(brightens->light, 0.5f);
}

TEST_F(ButtonTest, AMissingPictureDrawsNothingAndNeverCrashes) {
  auto missing = TMenuButton::Create("gfx/menu/nothing.png", 300, 200, 0, 1);
  EXPECT_EQ(missing->width, 0);
  SlideIn(*missing);
  MoveMouse({305, 205});
  LeftButton(true);
  missing->Update();
  LeftButton(false);
  EXPECT_EQ(missing->Update(), 0);  // still clickable within its margin
}

// The pointer's arrival is heard once, and so is a press; a click that fires again while the
// pointer rests on the button is not heard again.
TEST_F(ButtonTest, ThePointersArrivalAndEachPressAreHeardOnce) {
  auto play = TMenuButton::Create("gfx/menu/Jugar.png", 300, 200, 0, 1);
  SlideIn(*play);
  MoveMouse(kOverPlay);
  for (int frame = 0; frame < 5; ++frame) play->Update();
  LeftButton(true);
  for (int frame = 0; frame < 5; ++frame) play->Update();
  LeftButton(false);
  EXPECT_EQ(play->Update(), 0);
  EXPECT_EQ(play->Update(), -1);
  const std::vector<std::pair<SoundEffect, int>> heard = {{SoundEffect::kHover, kDefaultVolume},
                                                          {SoundEffect::kClick, kDefaultVolume}};
  EXPECT_EQ(Heard(), heard);
  MoveMouse(kAway);
  play->Update();
  MoveMouse(kOverPlay);
  play->Update();
  EXPECT_EQ(Heard(),
            (std::vector<std::pair<SoundEffect, int>>{{SoundEffect::kHover, kDefaultVolume}}));
}

}  // namespace
