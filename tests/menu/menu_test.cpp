// The main menu: its pointer and light pulse, the click frame, and runs that end in each state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/state_loop.h"
#include "media/draw.h"
#include "media/sound.h"
#include "media/system.h"
#include "menu_fixture.h"

namespace {

class MainMenuTest : public MenuTest {
 protected:
  // Runs `frames` frames of the menu; the last one as it was presented.
  std::vector<uint32_t> ShownAfter(int frames) {
    std::vector<uint32_t> shown;
    Wait(frames - 1);
    Then([&shown] {
      const uint32_t* screen = media::BackBuffer()->Pixels(0);
      shown.assign(screen, screen + 800 * 600);
    });
    for (int frame = 0; frame < frames; ++frame) EXPECT_EQ(menu_->Frame(), -1);
    EXPECT_EQ(shown.size(), 800u * 600u);
    return shown;
  }
};

// The middle of a main button at rest (its picture is painted at twice that size).
ScreenPoint MainButton(const TMenu& menu, int index) {
  const TMenuButton& button = *menu.buttons[index];
  return {static_cast<int>(button.x + button.width / 2),
          static_cast<int>(button.y + button.height / 2)};
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

uint32_t ScreenPixel(int x, int y) {
  return media::BackBuffer()->Pixels(0)[y * 800 + x];
}

int Red(uint32_t argb) {
  return static_cast<int>(argb >> 16 & 0xFF);
}

// Whatever tint or scale the last frame left, the background comes out as painted, lit by an
// additive pass at |pulse|, and what is drawn over it starts opaque: a panel drawn at the pulse's
// alpha would throb with it.
TEST_F(MainMenuTest, LightPulseIsATriangleWaveOverAnUntintedBackground) {
  const uint32_t painted = menu_->background->Pixels(0)[20 * 800 + 400];
  media::SetColor(255, 200, 200);
  media::SetTransform(0, 2, 2);
  menu_->pulse = 0;
  menu_->DrawBackground();
  EXPECT_FLOAT_EQ(menu_->pulse, 0.0075f);
  const uint32_t dim = ScreenPixel(400, 20);
  EXPECT_EQ(dim & 0xFFFF, painted & 0xFFFF) << std::hex << dim;
  EXPECT_NEAR(Red(dim), Red(painted), 1);

  menu_->pulse = 0.995f;
  menu_->DrawBackground();
  EXPECT_EQ(menu_->pulse, -1.0f);  // wrapped, at full light
  EXPECT_NEAR(Red(ScreenPixel(400, 20)), 1.08 * Red(painted), 2);
  const media::RenderState& state = media::GetRenderState();
  EXPECT_EQ(state.alpha, 1.0f);
  EXPECT_EQ(state.blend, media::kBlendAlpha);
  menu_->DrawBackground();
  EXPECT_FLOAT_EQ(menu_->pulse, -0.9925f);
}

int Channel(uint32_t argb, int shift) {
  return static_cast<int>(argb >> shift & 0xFF);
}

// Over a whole cycle of the pulse no pixel of the background lights up by more than a twelfth of
// itself: the cream skull, the moon and the title's green keep their colours.
TEST_F(MainMenuTest, TheLightPulseStaysSubtle) {
  const uint32_t* painted = menu_->background->Pixels(0);
  int brightest = 0;  // the largest rise seen, in thousandths of the painted value
  for (int frame = 0; frame < 270; ++frame) {
    menu_->DrawBackground();
    const uint32_t* screen = media::BackBuffer()->Pixels(0);
    for (int i = 0; i < 800 * 600; i += 7) {
      for (int shift : {0, 8, 16}) {
        const int was = Channel(painted[i], shift), now = Channel(screen[i], shift);
        if (was >= 40) brightest = std::max(brightest, 1000 * (now - was) / was);
        ASSERT_LE(now, was + was / 12 + 2) << "pixel " << i % 800 << "," << i / 800;
      }
    }
  }
  EXPECT_GT(brightest, 40);  // it still breathes
}

// A resting button is opaque: what is drawn is its own picture a shade darker, whatever lies
// behind it (no scenery through SALIR), and under the pointer its picture as painted.
TEST_F(MainMenuTest, ButtonsAreSolidAtRestAndUnderThePointer) {
  MoveMouse({20, 580});
  const std::vector<uint32_t> shown = ShownAfter(40);
  ASSERT_EQ(shown.size(), 800u * 600u);
  const TMenuButton& quit = *menu_->buttons[3];
  const media::Image& art = *quit.image;
  int opaque = 0;
  // Where the picture, painted at twice the resting size, is opaque and of one colour all around.
  const auto flatAt = [&art](int artX, int artY, uint32_t& painted) {
    painted = art.Pixels(0)[artY * art.Width() + artX];
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        if (art.Pixels(0)[(artY + dy) * art.Width() + artX + dx] != painted) return false;
      }
    return painted >> 24 == 0xFF;
  };
  for (int y = 430; y < 495; y += 3)
    for (int x = 365; x < 570; x += 3) {
      uint32_t painted = 0;
      if (!flatAt((x - 360) * 2, (y - 425) * 2, painted)) continue;
      ++opaque;
      for (int shift : {0, 8, 16}) {
        ASSERT_NEAR(Channel(shown[y * 800 + x], shift), 0.78 * Channel(painted, shift), 3)
            << x << "," << y;
      }
    }
  EXPECT_GT(opaque, 300);
}

// Grown under the pointer, a button covers its neighbours and shows its picture pixel for pixel;
// left again, every button is back at its resting size and alpha, whatever the order of hovers.
TEST_F(MainMenuTest, TheHoveredButtonIsDrawnOverItsNeighboursAndEveryButtonSettlesBack) {
  for (int frame = 0; frame < 33; ++frame) EXPECT_EQ(menu_->Frame(), -1);
  MoveMouse(MainButton(*menu_, 1));
  const std::vector<uint32_t> shown = ShownAfter(10);
  const TMenuButton& options = *menu_->buttons[1];
  ASSERT_EQ(options.scale, 2.0f);
  ASSERT_EQ(shown.size(), 800u * 600u);
  // (440-459, 395-414) lies on the resting credits button and on the grown options button.
  const media::Image& art = *options.image;
  for (int y = 395; y < 415; ++y)
    for (int x = 440; x < 460; ++x) {
      const uint32_t painted = art.Pixels(0)[(y - 275) * art.Width() + (x - 320)];
      ASSERT_EQ(painted >> 24, 0xFFu);
      ASSERT_EQ(shown[y * 800 + x] & 0xFFFFFF, painted & 0xFFFFFF) << x << "," << y;
    }

  for (int index : {3, 0, 2, 1}) {
    MoveMouse(MainButton(*menu_, index));
    for (int frame = 0; frame < 4; ++frame) EXPECT_EQ(menu_->Frame(), -1);
  }
  MoveMouse({20, 580});
  for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(menu_->Frame(), -1);
  for (const auto& button : menu_->buttons) {
    EXPECT_EQ(button->scale, 1.0f);
    EXPECT_EQ(button->light, 0.5f);
  }
}

TEST_F(MainMenuTest, TheClickFrameIsNotPresentedAndTheButtonWaitsForANewClickAfterItsPanel) {
  const ScreenPoint credits = MainButton(*menu_, 2);
  for (int frame = 0; frame < 33; ++frame) EXPECT_EQ(menu_->Frame(), -1);
  MoveMouse(credits);
  LeftButton(true);
  EXPECT_EQ(menu_->Frame(), -1);
  LeftButton(false);
  const int before = presented_;
  EXPECT_EQ(menu_->Frame(), 2);
  EXPECT_EQ(presented_, before);
  // Back from a panel with the pointer still over the button and the button up: no new panel.
  EXPECT_EQ(menu_->Frame(), -1);
  EXPECT_EQ(presented_, before + 1);
}

TEST_F(MainMenuTest, QuitAsksFirstAndNoKeepsTheMenuOpen) {
  const ScreenPoint quit = MainButton(*menu_, 3);
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
  ClickAfterSettling(MainButton(*menu_, 0));
  ClickAfterSettling(CentreOf("gfx/menu/level3.png", 120, 350));
  ClickAfterSettling(CentreOf("gfx/menu/jugadores2.png", 150, 275));
  EXPECT_EQ(menu_->Run(), kStateMatch);
  EXPECT_EQ(Config().levelName, "metro");
  EXPECT_EQ(Config().levelIndex, 2);
  EXPECT_EQ(Config().playerCount, 2);
  EXPECT_EQ(SettingsFile()[0], 4);  // the count lives in memory until the options save
}

TEST_F(MainMenuTest, TheTutorialPassesThroughThePlayerCount) {
  ClickAfterSettling(MainButton(*menu_, 0));
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
  EXPECT_FLOAT_EQ(media::ChannelVolume(menu_->musicChannel), MusicLevel(40));
  EXPECT_EQ(menu_->buttons[0]->slideY, 650);
  EXPECT_EQ(menu_->buttons[0]->sliding, 1);
}

}  // namespace
