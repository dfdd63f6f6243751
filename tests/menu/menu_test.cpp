// The main menu: its pointer and light pulse, the click frame, and runs that end in each state.
#include <gtest/gtest.h>

#include <cmath>

#include "app/state_loop.h"
#include "media/draw.h"
#include "media/sound.h"
#include "media/system.h"
#include "menu_fixture.h"

namespace {

using MainMenuTest = MenuTest;

ScreenPoint MainButton(const char* image, float x, float y) {
  return CentreOf(std::string("gfx/menu/") + image, x, y);
}

TEST_F(MainMenuTest, PointerFramesChangeOnlyAfterMoreThan200Ms) {
  const int start = menu_->cursorFrame;
  media::Sleep(200);
  menu_->DrawCursor();
  EXPECT_EQ(menu_->cursorFrame, start);
  std::vector<int> seen;
  for (int change = 0; change < 6; ++change) {
    media::Sleep(201);
    menu_->DrawCursor();
    seen.push_back(menu_->cursorFrame);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 0, 1}));
}

TEST_F(MainMenuTest, LightPulseIsATriangleWaveThatWrapsPastOne) {
  menu_->pulse = 0;
  menu_->DrawBackground();
  EXPECT_FLOAT_EQ(media::GetRenderState().alpha, 0.0075f);
  menu_->pulse = 0.995f;
  menu_->DrawBackground();
  EXPECT_EQ(menu_->pulse, -1.0f);
  EXPECT_EQ(media::GetRenderState().alpha, 1.0f);
  EXPECT_EQ(media::GetRenderState().blend, media::kBlendLight);
  menu_->DrawBackground();
  EXPECT_FLOAT_EQ(media::GetRenderState().alpha, 0.9925f);
}

TEST_F(MainMenuTest, TheClickFrameIsNotPresentedAndTheButtonFiresAgainAfterItsPanel) {
  const ScreenPoint credits = MainButton("Creditos.png", 340, 350);
  for (int frame = 0; frame < 33; ++frame) EXPECT_EQ(menu_->Frame(), -1);
  MoveMouse(credits);
  LeftButton(true);
  EXPECT_EQ(menu_->Frame(), -1);
  LeftButton(false);
  const int before = presented_;
  EXPECT_EQ(menu_->Frame(), 2);
  EXPECT_EQ(presented_, before);
  // Back from a panel with the pointer still over the button and the button up.
  EXPECT_EQ(menu_->Frame(), 2);
  MoveMouse({20, 20});
  EXPECT_EQ(menu_->Frame(), -1);
  EXPECT_EQ(presented_, before + 1);
}

TEST_F(MainMenuTest, QuitAsksFirstAndNoKeepsTheMenuOpen) {
  const ScreenPoint quit = MainButton("Salir.png", 360, 425);
  ClickAfterSettling(quit);
  ClickAfterSettling(CentreOf("gfx/menu/no.png", 420, 360));
  Then([] { MoveMouse({20, 20}); });
  ClickAfterSettling(quit);
  ClickAfterSettling(CentreOf("gfx/menu/si.png", 300, 360));
  EXPECT_EQ(menu_->Run(), kStateQuit);
  // Four clicks, each after its wait: the "no" did not end the run.
  EXPECT_GT(presented_, 4 * 56);
  EXPECT_FALSE(media::ChannelPlaying(menu_->musicChannel));
}

TEST_F(MainMenuTest, ALevelAndACountStartTheMatchWithBothStored) {
  ClickAfterSettling(MainButton("Jugar.png", 300, 200));
  ClickAfterSettling(CentreOf("gfx/menu/level3.png", 120, 350));
  ClickAfterSettling(CentreOf("gfx/menu/jugadores2.png", 150, 275));
  EXPECT_EQ(menu_->Run(), kStateMatch);
  EXPECT_EQ(Config().levelName, "metro");
  EXPECT_EQ(Config().levelIndex, 2);
  EXPECT_EQ(Config().playerCount, 2);
  EXPECT_EQ(SettingsFile()[0], 4);  // the count lives in memory until the options save
}

TEST_F(MainMenuTest, TheTutorialPassesThroughThePlayerCount) {
  ClickAfterSettling(MainButton("Jugar.png", 300, 200));
  ClickAfterSettling(CentreOf("gfx/menu/leveltutorial.png", 120, 150));
  ClickAfterSettling(CentreOf("gfx/menu/jugadores3.png", 360, 275));
  EXPECT_EQ(menu_->Run(), kStateTutorial);
  EXPECT_EQ(Config().playerCount, 3);
  EXPECT_EQ(Config().levelName, "bosque");
}

TEST_F(MainMenuTest, EveryRunRestartsTheMusicAtTheMusicVolume) {
  Config().musicVolume = 40;
  media::StopChannel(menu_->musicChannel);
  menu_->Init();
  EXPECT_TRUE(media::ChannelPlaying(menu_->musicChannel));
  EXPECT_FLOAT_EQ(media::ChannelVolume(menu_->musicChannel), 0.4f);
  EXPECT_EQ(menu_->buttons[0]->slideY, 650);
  EXPECT_EQ(menu_->buttons[0]->sliding, 1);
}

}  // namespace
