// The tutorial on the virtual clock: the whole script with Enter at every wait, the knock-down and
// the free play, leaving with Escape, the strict timed steps and the blinking prompt.
#include "tutorial/tutorial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "app/state_loop.h"
#include "core/configuracion.h"
#include "core/input_code.h"
#include "core/sistema.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
#include "entities/zombie_movil.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/headless_backend.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/system.h"
#include "support/match_data.h"
#include "support/temp_folder.h"

namespace {

// Enter at each wait, well after the timed steps before it have run out; Escape in free play.
// Steps 10-50 take 20.5 s, 90-100 take 7 s and 120-140 take 15 s.
constexpr const char* kWholeRun =
    "3000 key 13 down\n3050 key 13 up\n"  // early, while a slide shows on its timer
    "22000 key 13 down\n22050 key 13 up\n"
    "23000 key 13 down\n23050 key 13 up\n"
    "24000 key 13 down\n24050 key 13 up\n"
    "33000 key 13 down\n33050 key 13 up\n"
    "50000 key 27 down\n";

struct Frame {
  int step;
  std::vector<float> xs;  // the players' x
  std::vector<int> states;
  int walkers = 0;                // walking zombies on the field
  uint32_t slideCorner = 0;       // the presented pixel at (2, 2), inside every slide's band
  bool playerShows = false;       // some of the first player's blue shows near its feet
  std::vector<int> buttons = {};  // the players' input codes
};

constexpr uint32_t kFrontPanelColour = 0xFF00FF00u;
constexpr uint32_t kSlideColour = 0xFFFF0000u;
constexpr uint32_t kPlayerColour = 0xFF0000FFu;

bool FirstPlayerShows(const uint32_t* screen) {
  for (int y = 440; y < 500; ++y)
    for (int x = 380; x < 430; ++x) {
      const uint32_t p = screen[y * 800 + x];
      if ((p & 0xFF) > 100 && (p >> 16 & 0xFF) < 60) return true;
    }
  return false;
}

struct TutorialTest : ::testing::Test {
  void SetUp() override {
    WriteMatchData();
    std::filesystem::create_directories("gfx/menu");
    // Some slides and one prompt are missing on purpose: they draw nothing.
    for (int i = 1; i <= 12; ++i) {
      TempFolder::WritePng(
          "gfx/menu/tutorial" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".png",
          0x80000000u | static_cast<uint32_t>(i));
    }
    TempFolder::WritePng("gfx/menu/intro.png", 0xFFFFFFFFu);
    TempFolder::WritePng("gfx/bosque0_0.png", 0xFF204020u);
    TempFolder::WritePng("gfx/ciudad0_0.png", 0xFF202040u);
    // A front layer that covers the whole screen, a slide that shows at its corner and a player
    // who is all blue.
    TempFolder::WritePng("gfx/bosque1_0.png", kFrontPanelColour, 800, 600);
    TempFolder::WritePng("gfx/ciudad1_0.png", kFrontPanelColour, 800, 600);
    TempFolder::WritePng("gfx/menu/tutorial03.png", kSlideColour);
    auto player = OneGraphPackage();
    std::fill_n(player->Get(1)->image->Pixels(0), 10 * 20, kPlayerColour);
    player->Save("gfx/chr0.vgp");
  }
  void TearDown() override { media::UseBackend(media::MakeHeadlessBackend({})); }

  void Start(const std::string& script = "") {
    media::HeadlessOptions options;
    if (!script.empty()) {
      TempFolder::WriteText("script.txt", script);
      options.inputScript = "script.txt";
    }
    options.onPresent = [this](uint32_t) { Record(); };
    media::UseBackend(media::MakeHeadlessBackend(options));
    media::OpenDisplay(800, 600, 0, 60, 0);
    system = TSistema::Create();
    system->timer = TTimer::Create();
    system->config = std::make_shared<TConfiguracion>();
    tutorial = TTutorial::Create(system);
    ASSERT_NE(tutorial, nullptr);
  }

  void Record() {
    if (onFrame) onFrame();
    Frame frame{tutorial->step, {}, {}};
    for (int slot = 0; slot < tutorial->manager->GetPlayerCount(); ++slot) {
      frame.xs.push_back(tutorial->manager->GetPlayer(slot)->x);
      frame.states.push_back(tutorial->manager->GetPlayer(slot)->GetState());
      frame.buttons.push_back(tutorial->manager->GetPlayer(slot)->buttonCode);
    }
    tutorial->manager->entities.Walk([&frame](const std::shared_ptr<TEntidad>& entity) {
      if (dynamic_cast<TZombieMovil*>(entity.get())) ++frame.walkers;
    });
    const uint32_t* screen = media::BackBuffer()->Pixels(0);
    frame.slideCorner = screen[2 * 800 + 2];
    frame.playerShows = FirstPlayerShows(screen);
    frames.push_back(frame);
  }

  std::vector<int> StepsSeen() const {
    std::vector<int> steps;
    for (const Frame& frame : frames) {
      if (steps.empty() || steps.back() != frame.step) steps.push_back(frame.step);
    }
    return steps;
  }
  std::vector<Frame> FramesOf(int step) const {
    std::vector<Frame> found;
    std::copy_if(frames.begin(), frames.end(), std::back_inserter(found),
                 [step](const Frame& frame) { return frame.step == step; });
    return found;
  }

  TempFolder folder;
  std::shared_ptr<TSistema> system;
  std::shared_ptr<TTutorial> tutorial;
  std::vector<Frame> frames;
  std::function<void()> onFrame;  // acts on the field as each frame is presented
};

TEST_F(TutorialTest, TheWholeScriptWithEnterAtEveryWaitEndsBackAtTheMenu) {
  Start(kWholeRun);
  EXPECT_EQ(tutorial->Run(), kStateMenu);

  // The early Enter did not skip the first wait: every step shows, in order.
  EXPECT_EQ(StepsSeen(), (std::vector<int>{10, 20,  30,  40,  50,  61,  62,  71,  81,  82, 89,
                                           90, 100, 111, 112, 120, 130, 140, 151, 152, 160}));
  // One player at the centre, a partner from step 61, held at 200 until Enter.
  EXPECT_EQ(frames.front().xs, std::vector<float>{400});
  for (const Frame& frame : FramesOf(62)) ASSERT_EQ(frame.xs.at(1), 200);
  // A frame shows the step the script reached, so the at-once steps have acted by the next one.
  EXPECT_EQ(FramesOf(82).front().xs.at(1), 700);
  // Knocked down where it stood and held there on every frame until Enter.
  ASSERT_EQ(FramesOf(111).size(), 1u);
  const auto held = FramesOf(112);
  EXPECT_EQ(held.front().states.at(0), kKnocked);
  for (const Frame& frame : held) ASSERT_EQ(frame.xs.at(0), tutorial->heldX);
  // Free play for four, spread over the field.
  const auto freePlay = FramesOf(152);
  ASSERT_FALSE(freePlay.empty());
  const auto xs = freePlay.front().xs;
  EXPECT_EQ(std::set<float>(xs.begin(), xs.end()), (std::set<float>{160, 320, 480, 640}));
  // From the first frame of the step on (its first frame is the one step 151 acted in).
  for (size_t i = 1; i < freePlay.size(); ++i) {
    for (int state : freePlay[i].states) ASSERT_NE(state, kPlayerOut);
  }
  // Left: nothing on the field, no music.
  EXPECT_EQ(tutorial->manager->GetPlayerCount(), 0);
  EXPECT_EQ(tutorial->manager->entities.Count(), 0u);
  EXPECT_FALSE(media::ChannelPlaying(tutorial->musicChannel));
  const int level = system->config->levelIndex;
  EXPECT_TRUE(level == 0 || level == 1);
}

// The sparring partner is on the field, in the match, for every slide that speaks of it: taken
// by the horde as the reader dives on it, it is back on its feet at once; knocked by the walker
// of the walker slides and eaten while the reader lies down, it is back for the last slide on
// rivals.
TEST_F(TutorialTest, ThePartnerStandsOnTheFieldForEverySlideThatSpeaksOfIt) {
  bool thrown = false;
  onFrame = [&] {
    if (thrown || tutorial->step != 71) return;
    auto partner = std::dynamic_pointer_cast<TJugador>(tutorial->manager->GetPlayer(1));
    partner->Knock();
    partner->x = 60;  // at the horde: caught on its next step
    thrown = true;
  };
  Start(kWholeRun);
  tutorial->Run();
  ASSERT_TRUE(thrown);
  int outFrames = 0;
  for (int step : {62, 71, 82, 140}) {
    const auto shown = FramesOf(step);
    ASSERT_FALSE(shown.empty()) << step;
    for (const Frame& frame : shown) outFrames += frame.states.at(1) == kPlayerOut;
  }
  EXPECT_LE(outFrames, 1);  // the one frame it was caught in
}

// Each of the fourteen slides turns with a sound, and each wait for Enter chimes as it begins.
TEST_F(TutorialTest, SlidesAndEnterPromptsAreHeardAsTheyCome) {
  std::vector<std::pair<SoundEffect, int>> heard;  // with the step the script had reached
  ListenToSoundEffects([&](SoundEffect effect, float, int) {
    if (effect == SoundEffect::kSlide || effect == SoundEffect::kPrompt) {
      heard.emplace_back(effect, tutorial->step);
    }
  });
  Start(kWholeRun);
  tutorial->Run();
  ListenToSoundEffects(nullptr);
  std::vector<int> slides, prompts;
  for (const auto& [effect, step] : heard) {
    (effect == SoundEffect::kSlide ? slides : prompts).push_back(step);
  }
  EXPECT_EQ(slides,
            (std::vector<int>{20, 30, 40, 50, 61, 71, 81, 90, 100, 111, 120, 130, 140, 151}));
  EXPECT_EQ(prompts, (std::vector<int>{62, 71, 82, 112}));
}

// The slide is drawn over the front panels, which the first player shows through; the slides on
// walking zombies have a walker crossing, brought in as the game brings them.
TEST_F(TutorialTest, SlidesStayOnTopPlayersShowThroughTheFrontAndAWalkerCrossesItsSlides) {
  Start(kWholeRun);
  tutorial->Run();
  const auto slideThree = FramesOf(40);
  ASSERT_FALSE(slideThree.empty());
  for (const Frame& frame : slideThree) {
    ASSERT_EQ(frame.slideCorner, kSlideColour);
    ASSERT_TRUE(frame.playerShows);
  }
  for (const Frame& frame : frames) {
    if (frame.step < 89) {
      ASSERT_EQ(frame.walkers, 0) << frame.step;
    }
  }
  EXPECT_EQ(FramesOf(90).front().walkers, 1);
}

// The tutorial is read by a person even when the computer holds seat 1: the reader gets Q. The
// partner on a computer's seat only stands there until free play, where bots take the
// computer's seats and people keep theirs.
TEST_F(TutorialTest, TheReaderIsAPersonAndFreePlayFollowsTheSeats) {
  std::string script = kWholeRun;
  script.replace(script.find("50000 key 27"), 5, "60000");
  Start(script);
  system->config->keys = {1002, 1001, 1000, 90};
  std::vector<std::set<int>> statesBefore(4), statesInFreePlay(4);
  EXPECT_EQ(tutorial->Run(), kStateMenu);
  for (const Frame& frame : frames) {
    auto& seen = frame.step < 151 ? statesBefore : statesInFreePlay;
    for (size_t slot = 0; slot < frame.states.size(); ++slot) seen[slot].insert(frame.states[slot]);
  }
  const int pad = JoystickCode(media::kComputerPadPort, 0);
  EXPECT_EQ(frames.back().buttons, (std::vector<int>{81, pad + 1, pad + 2, 90}));
  for (int pressed : {kCrouch, kJump, kAim, kDive}) EXPECT_EQ(statesBefore[1].count(pressed), 0u);
  EXPECT_GT(statesInFreePlay[1].size(), 1u);
  EXPECT_GT(statesInFreePlay[2].size(), 1u);
  EXPECT_EQ(tutorial->bots, nullptr);  // gone with the run
  EXPECT_EQ(system->config->keys, (std::array<int, kMaxPlayers>{1002, 1001, 1000, 90}));
}

// With the computer on seat 1 the reader plays on Q; a player 2 bound to Q as well must not make
// the partner crouch and jump with every press of the reader's.
TEST_F(TutorialTest, ThePartnerNeverSharesTheReadersButton) {
  std::string script = kWholeRun;
  script.replace(script.find("50000 key 27"), 5, "60000");
  script += "22300 key 81 down\n22700 key 81 up\n23300 key 81 down\n23400 key 81 up\n";
  Start(script);
  system->config->keys = {1002, 81, 1000, 90};
  std::vector<std::set<int>> statesBefore(2);
  EXPECT_EQ(tutorial->Run(), kStateMenu);
  for (const Frame& frame : frames) {
    if (frame.step >= 151) break;
    for (size_t slot = 0; slot < frame.states.size(); ++slot) {
      statesBefore[slot].insert(frame.states[slot]);
    }
  }
  EXPECT_EQ(statesBefore[0].count(kCrouch), 1u);  // the reader's presses were made and felt
  EXPECT_EQ(statesBefore[1].count(kCrouch), 0u);
  const int pad = JoystickCode(media::kComputerPadPort, 0);
  // Free play gives the displaced seat to the computer, which plays it.
  EXPECT_EQ(frames.back().buttons, (std::vector<int>{81, pad + 1, pad + 2, 90}));
  std::set<int> partnerInFreePlay;
  for (const Frame& frame : frames) {
    if (frame.step >= 152) partnerInFreePlay.insert(frame.states[1]);
  }
  EXPECT_GT(partnerInFreePlay.size(), 1u);
}

TEST_F(TutorialTest, EscapeLeavesAfterTheCurrentFrameAndASecondRunStartsAfresh) {
  Start("8000 key 27 down\n8100 key 27 up\n20000 key 27 down\n");
  EXPECT_EQ(tutorial->Run(), kStateMenu);
  EXPECT_EQ(StepsSeen(), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(tutorial->manager->entities.Count(), 0u);
  EXPECT_FALSE(media::ChannelPlaying(tutorial->musicChannel));

  frames.clear();
  EXPECT_EQ(tutorial->Run(), kStateMenu);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front().step, 10);
  EXPECT_EQ(frames.front().xs, std::vector<float>{400});
}

TEST_F(TutorialTest, ATimedStepMovesOnOnlyWhenStrictlyMoreThanItsTimeHasPassed) {
  Start();
  media::Sleep(5000);
  tutorial->step = 10;
  tutorial->stepStart = static_cast<int>(media::Milliseconds()) - 1000;
  tutorial->Script(*system->config);
  EXPECT_EQ(tutorial->step, 10);
  tutorial->stepStart -= 1;
  tutorial->Script(*system->config);
  EXPECT_EQ(tutorial->step, 20);
  EXPECT_EQ(tutorial->StepElapsed(), 0);
}

TEST_F(TutorialTest, ThePromptBlinksWhileAStepWaitsAndKeepsItsPhase) {
  Start();
  tutorial->step = 62;
  float low = 1, high = 0;
  for (int frame = 0; frame < 84; ++frame) {
    tutorial->Draw();
    low = std::min(low, tutorial->promptAlpha);
    high = std::max(high, tutorial->promptAlpha);
  }
  EXPECT_LT(low, 0.05f);
  EXPECT_GT(high, 0.95f);
  // Steps on the tens leave the phase alone.
  const float alpha = tutorial->promptAlpha;
  tutorial->step = 90;
  tutorial->Draw();
  EXPECT_EQ(tutorial->promptAlpha, alpha);
}

}  // namespace
