// The match loop on the virtual clock: who plays, pausing, leaving, the end of a match (a winner
// or a draw), walkers arriving, and the order of the panorama's layers.
#include "game/juego.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "core/input_code.h"
#include "core/sound_effects.h"
#include "core/top_level_state.h"
#include "entities/zombie_movil.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/headless_backend.h"
#include "support/match_data.h"
#include "support/temp_folder.h"

namespace {

struct JuegoTest : ::testing::Test {
  void SetUp() override { WriteMatchData(); }
  void TearDown() override {
    game::CurrentMatchHooks() = {};
    ListenToSoundEffects(nullptr);
    media::UseBackend(media::MakeHeadlessBackend({}));
  }

  // A fresh virtual clock (and its script and shots), then the system and the game on it.
  void Start(const std::string& script = "",
             std::vector<std::pair<uint32_t, std::string>> shots = {},
             std::function<void(uint32_t)> onPresent = nullptr) {
    media::HeadlessOptions options;
    options.onPresent = std::move(onPresent);
    if (!script.empty()) {
      TempFolder::WriteText("script.txt", script);
      options.inputScript = "script.txt";
    }
    options.shots = std::move(shots);
    media::UseBackend(media::MakeHeadlessBackend(options));
    media::OpenDisplay(800, 600, 0, 60, 0);
    system = TSistema::Create();
    system->timer = TTimer::Create();
    system->config = std::make_shared<TConfiguracion>();
    timer = system->timer;
    game = TJuego::Create(system);
    ASSERT_NE(game, nullptr);
  }
  // Calls look(manager) at the start of every frame.
  void EachFrame(std::function<void(const TAdministrador&)> look) {
    game::CurrentMatchHooks().beforeFrame = std::move(look);
  }
  static TJugador& Player(const TAdministrador& manager, int slot) {
    return static_cast<TJugador&>(*manager.GetPlayer(slot));
  }

  TempFolder folder;
  std::shared_ptr<TSistema> system;
  std::shared_ptr<TTimer> timer;
  std::shared_ptr<TJuego> game;
};

TEST_F(JuegoTest, ThePlayerCountChoosesTheSlotsAndEscapeLeaves) {
  Start();
  system->config->keys = {11, 12, 13, 14};
  for (int count : {2, 3, 4}) {
    SCOPED_TRACE(count);
    system->config->playerCount = count;
    int frames = 0;
    EachFrame([&](const TAdministrador& manager) {
      ++frames;
      ASSERT_EQ(manager.GetPlayerCount(), count);
      for (int slot = 0; slot < count; ++slot) {
        EXPECT_EQ(manager.GetPlayer(slot)->buttonCode, 11 + slot);
        EXPECT_EQ(manager.GetPlayer(slot)->depth, 50 + 10 * slot);
        EXPECT_EQ(manager.GetPlayer(slot)->graphics, game->resources->GetPlayerPackage(slot));
      }
      media::Input().KeyEvent(media::kKeyEscape, true);
    });
    EXPECT_EQ(game->Run(), 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(game->manager->GetPlayerCount(), 0);  // cleared on the way out
  }
}

// People keep the buttons they bound; the computer's seats get buttons of its own pad and a bot
// each, and a run's hooked bots take the first seats whatever the settings say.
TEST_F(JuegoTest, TheSeatsChooseWhoPlaysEachPlayer) {
  Start();
  system->config->keys = {1002, 90, 1000, 77};
  const auto buttonsOf = [&] {
    std::vector<int> buttons;
    EachFrame([&](const TAdministrador& manager) {
      for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) {
        buttons.push_back(manager.GetPlayer(slot)->buttonCode);
      }
      media::Input().KeyEvent(media::kKeyEscape, true);
    });
    game->Run();
    media::Input().KeyEvent(media::kKeyEscape, false);
    return buttons;
  };
  const int pad = JoystickCode(media::kComputerPadPort, 0);
  EXPECT_EQ(buttonsOf(), (std::vector<int>{pad, 90, pad + 2, 77}));
  EXPECT_EQ(game->bots->Count(), 2);
  game::CurrentMatchHooks().botPlayers = 2;
  EXPECT_EQ(buttonsOf(), (std::vector<int>{pad, pad + 1, pad + 2, 77}));
  EXPECT_EQ(game->bots->Count(), 3);
  EXPECT_EQ(system->config->keys, (std::array<int, kMaxPlayers>{1002, 90, 1000, 77}));
}

// Nobody needs to be at the controls: four bots play to a winner.
TEST_F(JuegoTest, AMatchOfComputersAloneIsPlayedOut) {
  Start();
  system->config->keys = {1000, 1001, 1002, 1001};
  int winners = 0;
  game::CurrentMatchHooks().waitingForKey = [&] {
    ++winners;
    game->bots->WaitingForKey(media::Milliseconds());
  };
  EachFrame([&](const TAdministrador&) {
    if (timer->GetElapsed(true) > 600000) media::Input().KeyEvent(media::kKeyEscape, true);
  });
  EXPECT_EQ(game->Run(), 0);
  EXPECT_EQ(winners, 1);
  EXPECT_EQ(media::Input().JoystickDown(0, media::kComputerPadPort), 0);  // let go at the end
}

// The demo seats four bots on a level of its own, whatever the settings say, and changes none of
// them; a press ends it in the frame after, even while the field stands still.
TEST_F(JuegoTest, TheDemoIsFourBotsThatAnyPressSendsAway) {
  Start("30000 button 2 down\n");
  TConfiguracion& settings = *system->config;
  settings.playerCount = 2;
  settings.levelIndex = 1;
  const TConfiguracion before = settings;
  std::vector<int> counts;
  uint32_t lastFrame = 0;
  EachFrame([&](const TAdministrador& manager) {
    counts.push_back(manager.GetPlayerCount());
    lastFrame = media::Milliseconds();
    if (counts.size() == 100) timer->SetSpeed(0, 0);
  });
  EXPECT_EQ(game->RunDemo(), kStateMenu);
  EXPECT_EQ(std::count(counts.begin(), counts.end(), 4), counts.size());
  EXPECT_GE(lastFrame, 30000u);
  EXPECT_LT(lastFrame, 30040u);
  EXPECT_FALSE(game->demo);
  EXPECT_EQ(timer->GetSpeed(), 1);
  EXPECT_EQ(settings.keys, before.keys);
  EXPECT_EQ(settings.playerCount, 2);
  EXPECT_EQ(settings.levelIndex, 1);
}

// Played to its end, the demo shows its winner a moment and goes back without waiting for a key.
TEST_F(JuegoTest, TheDemoWinnerStandsAMomentThenTheMenuReturns) {
  Start();
  bool waited = false;
  game::CurrentMatchHooks().waitingForKey = [&] { waited = true; };
  EachFrame([&](const TAdministrador&) {
    if (timer->GetElapsed(true) > 600000) media::Input().KeyEvent(media::kKeyEscape, true);
  });
  EXPECT_EQ(game->RunDemo(), kStateMenu);
  EXPECT_FALSE(waited);
  EXPECT_FLOAT_EQ(game->manager->dimmer, 1);  // it was decided, not sent away
}

// A match starts at full speed whatever the last one left behind, and leaves it so even when
// left paused; in between F10 pauses and a second F10 restores the speed that held before.
TEST_F(JuegoTest, F10PausesAndASecondF10RestoresTheSpeedBefore) {
  Start();
  timer->SetSpeed(0, 0);
  std::vector<float> speeds;
  std::vector<float> scrolls;
  EachFrame([&](const TAdministrador&) {
    speeds.push_back(timer->GetSpeed());
    scrolls.push_back(game->progress.scroll);
    const int frame = static_cast<int>(speeds.size());
    if (frame == 1) timer->SetSpeed(0.5f, 0);
    media::Input().KeyEvent(media::kKeyF10, frame == 3 || frame == 6 || frame == 9);
    if (frame == 9) media::Input().KeyEvent(media::kKeyEscape, true);
  });
  game->Run();
  ASSERT_EQ(speeds.size(), 9u);
  EXPECT_EQ(speeds[0], 1);
  EXPECT_EQ(speeds[2], 0.5f);
  EXPECT_EQ(speeds[3], 0);
  EXPECT_EQ(speeds[5], 0);
  EXPECT_EQ(speeds[6], 0.5f);
  EXPECT_EQ(scrolls[4], scrolls[5]);  // the field stands still
  EXPECT_GT(scrolls[8], scrolls[7]);
  EXPECT_EQ(timer->GetSpeed(), 1);  // paused again in the last frame
}

// When one player is left the field freezes and darkens for 1.2 s of real time, the survivor
// glides to the centre (0.65 s), the winner picture rises (1 s) and a key ends the match.
TEST_F(JuegoTest, TheLastPlayerStandingIsPresentedAsTheWinner) {
  Start("20000 key 13 down\n");
  system->config->playerCount = 3;
  int frames = 0;
  float decidedAt = 0;
  float lastFrame = 0;
  std::vector<float> scrolls;
  EachFrame([&](const TAdministrador& manager) {
    if (++frames == 5) {
      Player(manager, 0).state = kDead;
      Player(manager, 2).state = kDead;
      decidedAt = timer->GetElapsed(true);
    }
    if (decidedAt != 0) scrolls.push_back(game->progress.scroll);
    lastFrame = timer->GetElapsed(true);
  });
  float waitingAt = 0;
  game::CurrentMatchHooks().waitingForKey = [&] {
    waitingAt = static_cast<float>(media::Milliseconds() - timer->startTime);
  };
  EXPECT_EQ(game->Run(), 0);
  EXPECT_NEAR(lastFrame - decidedAt, 1200, 40);
  EXPECT_GE(waitingAt - decidedAt, 1200 + 650 + 1000);
  EXPECT_LT(waitingAt, 20000);
  EXPECT_GE(media::Milliseconds(), 20000u);
  EXPECT_EQ(std::count(scrolls.begin(), scrolls.end(), scrolls[1]), scrolls.size() - 1);
  EXPECT_FLOAT_EQ(game->manager->dimmer, 1);
  EXPECT_GT(game->progress.fade, 0.97f);
  EXPECT_EQ(timer->GetSpeed(), 1);
}

// The colour of the centre of a saved shot.
uint32_t CentreOf(const std::string& shot) {
  auto frame = media::LoadImage(shot, 0);
  if (!frame) return 0;
  const uint32_t colour = media::ReadPixel(media::LockImage(frame, 0), 400, 300) | 0xFF000000u;
  media::UnlockImage(frame);
  return colour;
}

// The last two falling in the same frame is a draw: the field freezes and darkens as for a
// winner, then the draw picture rises (shot half-way up) and a key ends the match. So is a
// survivor falling in the frame that decided the match, while the field still moved.
TEST_F(JuegoTest, NoOneLeftIsADraw) {
  for (int lastFallsIn : {5, 6}) {
    SCOPED_TRACE(lastFallsIn);
    const std::string shot =
        (std::filesystem::current_path() / ("rising" + std::to_string(lastFallsIn) + ".png"));
    Start("20000 key 13 down\n", {{1800, shot}});
    system->config->playerCount = 2;
    int frames = 0;
    EachFrame([&](const TAdministrador& manager) {
      ++frames;
      if (frames == 5) Player(manager, 0).state = kDead;
      if (frames == lastFallsIn) Player(manager, 1).state = kDead;
      // A match that never ends fails here instead of hanging.
      if (frames == 2000) media::Input().KeyEvent(media::kKeyEscape, true);
    });
    bool waited = false;
    game::CurrentMatchHooks().waitingForKey = [&] { waited = true; };
    EXPECT_EQ(game->Run(), 0);
    EXPECT_TRUE(waited);
    EXPECT_NEAR(frames, 5 + 1200 / 16.67, 3);
    EXPECT_FLOAT_EQ(game->manager->dimmer, 1);
    EXPECT_GT(game->progress.fade, 0.97f);
    EXPECT_EQ(CentreOf(shot), kDrawColour);
  }
}

// A draw picture that could not be loaded leaves the words, written in the built-in font.
TEST_F(JuegoTest, WithoutTheDrawPictureTheDrawIsWritten) {
  const std::string shot = (std::filesystem::current_path() / "words.png").string();
  std::filesystem::remove("gfx/empate.png");
  Start("", {{0, shot}});
  ASSERT_EQ(game->drawPicture, nullptr);
  game->ShowDraw();
  auto frame = media::LoadImage(shot, 0);
  ASSERT_NE(frame, nullptr);
  const media::PixelBuffer pixels = media::LockImage(frame, 0);
  int lit = 0;
  for (int y = 200; y < 276; ++y)
    for (int x = 0; x < 800; ++x) lit += (media::ReadPixel(pixels, x, y) & 0xFFFFFFu) != 0;
  media::UnlockImage(frame);
  EXPECT_GT(lit, 2000);  // "¡EMPATE!" two and a half times the font's size
}

// The pause and the resume are heard as F10 is pressed; the win as the winner is shown, and the
// draw as nobody is.
TEST_F(JuegoTest, PauseResumeTheWinAndTheDrawAreHeard) {
  std::vector<std::pair<SoundEffect, uint32_t>> heard;
  ListenToSoundEffects([&heard](SoundEffect effect, float, int) {
    if (effect == SoundEffect::kPause || effect == SoundEffect::kResume ||
        effect == SoundEffect::kWin || effect == SoundEffect::kDraw) {
      heard.emplace_back(effect, media::Milliseconds());
    }
  });
  for (const bool draw : {false, true}) {
    SCOPED_TRACE(draw);
    heard.clear();
    Start("20000 key 13 down\n");
    system->config->playerCount = 2;
    int frames = 0;
    uint32_t decidedAt = 0;
    EachFrame([&](const TAdministrador& manager) {
      ++frames;
      media::Input().KeyEvent(media::kKeyF10, frames == 3 || frames == 6);
      if (frames == 9) {
        Player(manager, 0).state = kDead;
        if (draw) Player(manager, 1).state = kDead;
        decidedAt = media::Milliseconds();
      }
    });
    game->Run();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].first, SoundEffect::kPause);
    EXPECT_EQ(heard[1].first, SoundEffect::kResume);
    EXPECT_EQ(heard[2].first, draw ? SoundEffect::kDraw : SoundEffect::kWin);
    EXPECT_NEAR(static_cast<double>(heard[2].second - decidedAt), 1200, 40);
  }
}

// Players kept on their feet, so that only the walkers' schedule ends the wait.
TEST_F(JuegoTest, WalkersArriveAfterSixToTenSecondsThenEveryOneToTen) {
  Start();
  std::vector<float> arrivals;
  float start = -1;
  std::vector<std::shared_ptr<TEntidad>> seen;
  EachFrame([&](const TAdministrador& manager) {
    const float now = timer->GetElapsed(false);
    if (start < 0) start = now;
    for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) Player(manager, slot).state = kRun;
    manager.entities.Walk([&](const std::shared_ptr<TEntidad>& e) {
      if (!dynamic_cast<TZombieMovil*>(e.get())) return;
      if (std::find(seen.begin(), seen.end(), e) != seen.end()) return;
      seen.push_back(e);
      arrivals.push_back(now);
    });
    if (now - start > 60000) media::Input().KeyEvent(media::kKeyEscape, true);
  });
  game->Run();
  ASSERT_GE(arrivals.size(), 6u);
  EXPECT_GT(arrivals[0] - start, 6000 - 40);
  EXPECT_LT(arrivals[0] - start, 10000 + 40);
  for (size_t i = 1; i < arrivals.size(); ++i) {
    EXPECT_GT(arrivals[i] - arrivals[i - 1], 1000 - 40);
    EXPECT_LT(arrivals[i] - arrivals[i - 1], 10000 + 40);
  }
}

// Each layer is a band of its own colour and height: the band showing at a height tells which
// layer was drawn last there. Behind the entities 4, 2, 0; in front 3, 1.
TEST_F(JuegoTest, FiveLayersDrawTheEvenOnesBehindAndTheOddOnesInFront) {
  const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFFFFFFFFu};
  const int heights[] = {400, 200, 500, 300, 600};
  for (int layer = 0; layer < 5; ++layer) {
    TempFolder::WritePng("gfx/bosque" + std::to_string(layer) + "_0.png", colours[layer], 800,
                         heights[layer]);
  }
  const std::string shot = (std::filesystem::current_path() / "frame.png").string();
  Start("", {{0, shot}});
  ASSERT_EQ(game->resources->GetLayerCount(0), 5);
  game->Render();
  auto frame = media::LoadImage(shot, 0);
  ASSERT_NE(frame, nullptr);
  const media::PixelBuffer pixels = media::LockImage(frame, 0);
  const int expected[] = {1, 3, 0, 2, 4};  // at y = 150, 250, 350, 450, 550
  for (int band = 0; band < 5; ++band) {
    SCOPED_TRACE(band);
    EXPECT_EQ(media::ReadPixel(pixels, 400, 150 + 100 * band) | 0xFF000000u,
              colours[expected[band]]);
  }
  media::UnlockImage(frame);
}

// The presented frame saved at `ms` of the virtual clock, as an 800 x 600 image.
media::ImagePtr Shot(const std::string& name) {
  auto frame = media::LoadImage(name, 0);
  EXPECT_NE(frame, nullptr) << name;
  return frame;
}

uint32_t Opaque(const media::ImagePtr& frame, int x, int y) {
  return frame->Pixels(0)[y * 800 + x] | 0xFF000000u;
}

// F10 dims the field under the pause sign; F10 again takes both away.
TEST_F(JuegoTest, F10ShowsThePauseSignUntilF10Again) {
  TempFolder::WritePng("gfx/bosque0_0.png", 0xFFC0C0C0u, 800, 600);
  Start(
      "300 key 121 down\n350 key 121 up\n700 key 121 down\n750 key 121 up\n"
      "1000 key 27 down\n",
      {{500, "paused.png"}, {900, "playing.png"}});
  game->Run();
  const auto paused = Shot("paused.png"), playing = Shot("playing.png");
  ASSERT_TRUE(paused && playing);
  EXPECT_EQ(Opaque(paused, 400, 300), kPauseSignColour);
  EXPECT_NE(Opaque(playing, 400, 300), kPauseSignColour);
  // The field around the sign is dimmed while paused, and as bright as ever after.
  EXPECT_LT(Opaque(paused, 20, 20) & 0xFF, 0x60u);
  EXPECT_EQ(Opaque(playing, 20, 20), 0xFFC0C0C0u);
}

// The winner picture names the one left standing, in that player's colour.
TEST_F(JuegoTest, TheWinnerPictureNamesTheWinner) {
  Start("20000 key 13 down\n", {{2500, "rising.png"}});
  system->config->playerCount = 2;
  int frames = 0;
  EachFrame([&](const TAdministrador& manager) {
    if (++frames == 5) Player(manager, 0).state = kDead;
  });
  game->Run();
  const auto frame = Shot("rising.png");
  ASSERT_TRUE(frame);
  int winner = 0, loser = 0;
  for (int y = 0; y < 600; ++y) {
    winner += Opaque(frame, 400, y) == kWinnerNameColours[1];
    loser += Opaque(frame, 400, y) == kWinnerNameColours[0];
  }
  EXPECT_EQ(winner, 20);
  EXPECT_EQ(loser, 0);
}

// The winner rides on the rising picture: on every frame of the rise the winner stands as far
// above the podium as when the picture has arrived, never floating above it.
TEST_F(JuegoTest, TheWinnerStandsOnThePodiumAsItRises) {
  constexpr uint32_t kWinnerPuppet = 0xFFFF00FFu;
  auto puppet = OneGraphPackage();
  std::fill_n(puppet->Get(1)->image->Pixels(0), 10 * 20, kWinnerPuppet);
  puppet->Save("gfx/chr1.vgp");
  auto stage = media::CreateImage(800, 600, 1, 0);  // clear above the podium at y 330
  std::fill_n(stage->Pixels(0) + 330 * 800, 270 * 800, kWinnerColour);
  ASSERT_TRUE(media::SavePNG(*stage, "gfx/ganador.png"));
  std::set<int> podiums, gaps;  // over the frames that show both
  Start("20000 key 13 down\n", {}, [&](uint32_t) {
    const auto frame = media::BackBuffer();
    int podium = -1, feet = -1;
    for (int y = 0; y < 600; ++y) {
      if (podium < 0 && Opaque(frame, 100, y) == kWinnerColour) podium = y;
      if (Opaque(frame, 403, y) == kWinnerPuppet) feet = y;
    }
    if (podium < 0 || feet < 0) return;
    podiums.insert(podium);
    gaps.insert(podium - feet);
  });
  system->config->playerCount = 2;
  int frames = 0;
  EachFrame([&](const TAdministrador& manager) {
    if (++frames == 5) Player(manager, 0).state = kDead;
  });
  game->Run();
  EXPECT_GT(podiums.size(), 20u);
  EXPECT_EQ(podiums.count(330), 1u);
  EXPECT_EQ(gaps.size(), 1u);
}

}  // namespace
