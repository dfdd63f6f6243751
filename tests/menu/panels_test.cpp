// The panels: their fades, the clicks they ignore, their answers, and the play panel's round trip
// through the player count.
#include <gtest/gtest.h>

#include "media/input.h"
#include "menu/submenu_credits.h"
#include "menu/submenu_play.h"
#include "menu/submenu_quit.h"
#include "menu_fixture.h"

namespace {

using PanelTest = MenuTest;

std::shared_ptr<TSubMenuQuit> OpenQuit(TMenu& menu) {
  return TSubMenuQuit::Create(&menu, "gfx/menu/seguroquedeseasalir.png", 200, 300);
}

TEST_F(PanelTest, FadesInOnElevenFramesAndOutOnElevenBeforeAnswering) {
  auto quit = OpenQuit(*menu_);
  int fadeFrames = 0;
  while (quit->phase == TSubMenu::kFadingIn) {
    EXPECT_EQ(quit->Step(), TSubMenu::kStillOpen);
    ++fadeFrames;
  }
  EXPECT_EQ(fadeFrames, 11);
  EXPECT_FLOAT_EQ(quit->fade, 1.0f);
  EXPECT_EQ(quit->buttons[0]->slideY, 650);  // no button has moved yet

  Settle(*quit);
  EXPECT_EQ(ClickStep(*quit, CentreOf("gfx/menu/no.png", 420, 360)), TSubMenu::kStillOpen);
  EXPECT_EQ(quit->phase, TSubMenu::kFadingOut);
  int fadeOutFrames = 0;
  int answer = TSubMenu::kStillOpen;
  const int before = presented_;
  while ((answer = quit->Step()) == TSubMenu::kStillOpen) ++fadeOutFrames;
  EXPECT_EQ(fadeOutFrames, 11);
  EXPECT_EQ(answer, TSubMenuQuit::kNoAnswer);
  EXPECT_EQ(presented_, before + 11);  // the closing frame is not presented
}

TEST_F(PanelTest, QuitAnswersOneForYes) {
  auto quit = OpenQuit(*menu_);
  Settle(*quit);
  ClickStep(*quit, CentreOf("gfx/menu/si.png", 300, 360));
  EXPECT_EQ(RunToAnswer(*quit), TSubMenuQuit::kYesAnswer);
}

TEST_F(PanelTest, ClicksDuringTheFadeInOrOnASlidingButtonAreIgnored) {
  auto credits = TSubMenuCredits::Create(menu_.get(), "gfx/menu/panelcreditos.png", 100, 100);
  const ScreenPoint ok = CentreOf("gfx/menu/ok.png", 590, 520);
  for (int frame = 0; frame < 15; ++frame) {  // 30 steps: 11 fading, 19 sliding
    EXPECT_EQ(ClickStep(*credits, ok), TSubMenu::kStillOpen);
    EXPECT_NE(credits->phase, TSubMenu::kFadingOut);
  }
  EXPECT_EQ(credits->buttons[0]->sliding, 1);
  Settle(*credits);
  ClickStep(*credits, ok);
  EXPECT_EQ(RunToAnswer(*credits), 1);
}

TEST_F(PanelTest, BackFromThePlayerCountReturnsToAFreshLevelChoice) {
  Config().playerCount = 2;
  auto play = TSubMenuPlay::Create(menu_.get(), "gfx/menu/seleccionescenario.png", 100, 100);
  Settle(*play);
  ClickStep(*play, CentreOf("gfx/menu/level2.png", 400, 150));
  // The player-count panel runs inside the play panel's closing frame.
  ClickAfterSettling(CentreOf("gfx/menu/volver.png", 385, 345));
  ASSERT_TRUE(StepToFreshFadeIn(*play));
  EXPECT_EQ(play->result, -1);
  for (const auto& button : play->buttons) {
    EXPECT_EQ(button->sliding, 1);
    EXPECT_EQ(button->slideY, 650);
  }
  EXPECT_EQ(Config().playerCount, 2);

  // The second time a count is chosen: the level's answer, and the count stored.
  Settle(*play);
  ClickStep(*play, CentreOf("gfx/menu/level2.png", 400, 150));
  ClickAfterSettling(CentreOf("gfx/menu/jugadores4.png", 150, 345));
  EXPECT_EQ(RunToAnswer(*play), 2);
  EXPECT_EQ(Config().playerCount, 4);
}

TEST_F(PanelTest, BackFromThePlayPanelAnswersMinusOne) {
  auto play = TSubMenuPlay::Create(menu_.get(), "gfx/menu/seleccionescenario.png", 100, 100);
  Settle(*play);
  ClickStep(*play, CentreOf("gfx/menu/volver.png", 510, 520));
  EXPECT_EQ(RunToAnswer(*play), -1);
}

TEST_F(PanelTest, AMissingPanelPictureDrawsNothingButTheButtonsStillWork) {
  auto quit = TSubMenuQuit::Create(menu_.get(), "gfx/menu/absent.png", 200, 300);
  EXPECT_FALSE(quit->panel);
  Settle(*quit);
  ClickStep(*quit, CentreOf("gfx/menu/si.png", 300, 360));
  EXPECT_EQ(RunToAnswer(*quit), TSubMenuQuit::kYesAnswer);
}

TEST_F(PanelTest, OpeningAndClosingAreHeard) {
  Heard();
  auto quit = OpenQuit(*menu_);
  EXPECT_EQ(Heard(),
            (std::vector<std::pair<SoundEffect, int>>{{SoundEffect::kPanelOpen, kDefaultVolume}}));
  Settle(*quit);
  ClickStep(*quit, CentreOf("gfx/menu/no.png", 420, 360));
  const auto heard = Heard();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().first, SoundEffect::kPanelClose);
  RunToAnswer(*quit);
  EXPECT_TRUE(Heard().empty());  // fading out is quiet
}

}  // namespace
