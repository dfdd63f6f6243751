// The options: capturing bindings, OK and cancel, the sliders, and the names shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/key_names.h"
#include "media/draw.h"
#include "media/image.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/system.h"
#include "menu/submenu_options.h"
#include "menu_fixture.h"

namespace {

constexpr int kSpace = 32;
constexpr int kPlayer1Default = 81;  // Q
constexpr int kPlayer2Default = 90;  // Z

class OptionsTest : public MenuTest {
 protected:
  // Opens the panel and steps it until its buttons have slid in.
  std::shared_ptr<TSubMenuOptions> Open() {
    auto options = TSubMenuOptions::Create(menu_.get(), "gfx/menu/panelopciones.png", 50, 100);
    for (int frame = 0; frame < kSettleSteps; ++frame) {
      EXPECT_EQ(options->Step(), TSubMenu::kStillOpen);
    }
    return options;
  }
  // Presses and releases over a button, one Step each.
  static int Click(TSubMenuOptions& options, const std::string& image, float x, float y) {
    MoveMouse(CentreOf("gfx/menu/" + image, x, y));
    LeftButton(true);
    EXPECT_EQ(options.Step(), TSubMenu::kStillOpen);
    LeftButton(false);
    return options.Step();
  }
  // The release frame asks for the capture; the next frame runs it first, waiting for what the
  // queued actions press.
  static void Bind(TSubMenuOptions& options, int player) {
    Click(options, "teclaj" + std::to_string(player + 1) + ".png", 100,
          180 + 50 * static_cast<float>(player));
    EXPECT_EQ(options.Step(), TSubMenu::kStillOpen);
  }
  static void Computer(TSubMenuOptions& options, int player) {
    Click(options, "cpu.png", 605, 180 + 50 * static_cast<float>(player));
  }
  static void Ok(TSubMenuOptions& options) {
    Click(options, "ok.png", 100, 500);
    EXPECT_EQ(RunToAnswer(options), TSubMenuOptions::kClosedAnswer);
  }
  static void TapKey(int key) {
    media::Input().KeyEvent(key, true);
    media::Input().KeyEvent(key, false);
  }
  // Keeps a copy of the frame presented when this action's turn comes.
  void Snapshot(std::vector<std::vector<uint32_t>>& into) {
    Then([&into] {
      const uint32_t* screen = media::BackBuffer()->Pixels(0);
      into.emplace_back(screen, screen + 800 * 600);
    });
  }
  static void Drag(TMenuSlider& slider, ScreenPoint from, ScreenPoint to) {
    MoveMouse(from);
    LeftButton(true);
    slider.Update();
    MoveMouse(to);
    slider.Update();
    LeftButton(false);
    slider.Update();
  }
};

TEST_F(OptionsTest, ACancelledBindingLeavesSettingsAndFileAlone) {
  const auto before = SettingsFile();
  auto options = Open();
  Wait(20);
  Then([] { TapKey(kSpace); });
  Bind(*options, 0);
  EXPECT_EQ(options->pendingKeys[0], kSpace);
  Click(*options, "cancelar.png", 200, 500);
  EXPECT_EQ(RunToAnswer(*options), TSubMenuOptions::kClosedAnswer);
  EXPECT_EQ(Config().keys[0], kPlayer1Default);
  EXPECT_EQ(SettingsFile(), before);
  EXPECT_EQ(Open()->pendingKeys[0], kPlayer1Default);
}

TEST_F(OptionsTest, ABindingIsNotRecapturedWhileThePointerRestsOnItsButton) {
  auto options = Open();
  Wait(5);
  Then([] { TapKey(kSpace); });
  Bind(*options, 0);
  // Were the button still tracking its press, the next frame would start a capture that takes 'A'.
  Wait(3);
  Then([] { TapKey('A'); });
  for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(options->Step(), TSubMenu::kStillOpen);
  EXPECT_EQ(options->pendingKeys[0], kSpace);
}

TEST_F(OptionsTest, AnOkdJoystickBindingIsSavedAndNamedByPortAndButton) {
  auto options = Open();
  Wait(5);
  Then([] { media::Input().JoystickButtonEvent(1, 5, true); });
  Bind(*options, 1);
  EXPECT_EQ(options->pendingKeys[1], 605);
  EXPECT_EQ(Config().keys[1], kPlayer2Default);  // the panel's text still shows the old one
  Ok(*options);
  EXPECT_EQ(Config().keys[1], 605);
  EXPECT_EQ(SettingsFile()[4], 605);
  EXPECT_EQ(Open()->pendingKeys[1], 605);
  EXPECT_EQ(KeyName(605), "Mando 2 bot\xF3n 6");
  EXPECT_EQ(KeyName(500), "Mando 1 bot\xF3n 1");
}

// While the capture waits, the panel is drawn solid and steady over the pulsing background, the
// frame after it is whole, and the captured name shows at once in its slot: pale capitals of at
// least 18 px, centred on the slot.
TEST_F(OptionsTest, TheCaptureKeepsThePanelSolidAndShowsTheNewNameAtOnce) {
  auto options = Open();
  const media::Image& panel = *options->panel;
  const int px = 80, py = 350;  // on the panel, clear of its buttons and of the prompt
  const uint32_t painted = panel.Pixels(0)[(py - 100) * panel.Width() + (px - 50)];
  ASSERT_EQ(painted >> 24, 0xFFu);
  std::vector<std::vector<uint32_t>> waiting, after;
  Wait(2);  // the press and the release over the binding button
  for (int frame = 0; frame < 40; ++frame) Snapshot(waiting);
  Then([] { TapKey('W'); });
  Wait(1);
  Snapshot(after);
  Bind(*options, 0);
  EXPECT_EQ(options->pendingKeys[0], 'W');
  EXPECT_EQ(Config().keys[0], kPlayer1Default);
  ASSERT_EQ(waiting.size(), 40u);
  for (const auto& frame : waiting) ASSERT_EQ(frame[py * 800 + px] & 0xFFFFFF, painted & 0xFFFFFF);
  ASSERT_EQ(after.size(), 1u);
  const auto& screen = after[0];
  EXPECT_EQ(screen[py * 800 + px] & 0xFFFFFF, painted & 0xFFFFFF);
  // The name in the first slot (415-595 x 177-223), left of its CPU button.
  int left = 800, right = -1, top = 600, bottom = -1;
  for (int y = 177; y < 223; ++y)
    for (int x = 415; x < 595; ++x) {
      const uint32_t p = screen[y * 800 + x];
      if ((p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) > 200 && (p & 0xFF) > 170) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  ASSERT_GE(right, left) << "no pale name in the slot";
  EXPECT_GE(bottom - top + 1, 18);
  EXPECT_NEAR((left + right) / 2.0, 505, 3);
  EXPECT_NEAR((top + bottom) / 2.0, 200, 3);
}

TEST_F(OptionsTest, CapturePollingRanksJoystickOverMouseOverKey) {
  auto options = Open();
  Wait(3);
  Then([] {
    TapKey(kSpace);
    LeftButton(true);
    LeftButton(false);
  });
  EXPECT_EQ(options->CaptureKey(), 1);

  // Right and middle are reachable too, and middle outranks right.
  Then([] {
    media::Input().MouseButtonEvent(2, true);
    media::Input().MouseButtonEvent(2, false);
  });
  EXPECT_EQ(options->CaptureKey(), 2);
  Then([] {
    media::Input().MouseButtonEvent(2, true);
    media::Input().MouseButtonEvent(3, true);
  });
  EXPECT_EQ(options->CaptureKey(), 3);

  Then([] {
    TapKey(kSpace);
    LeftButton(true);
    media::Input().JoystickButtonEvent(0, 0, true);
  });
  EXPECT_EQ(options->CaptureKey(), 500);

  // The lowest key code pressed wins among keys; Escape is a binding like any other.
  Then([] {
    TapKey(90);
    TapKey(27);
  });
  EXPECT_EQ(options->CaptureKey(), 27);
}

// Each click on a row's CPU button makes the computer stronger there, from easy to hard and then
// back to the person with the button they had; OK stores the strength's code in that place.
TEST_F(OptionsTest, ASeatGoesToTheComputerByStrengthAndBackToItsPerson) {
  auto options = Open();
  std::vector<int> seen;
  for (int click = 0; click < 4; ++click) {
    Computer(*options, 1);
    seen.push_back(options->pendingKeys[1]);
  }
  EXPECT_EQ(seen, (std::vector<int>{1000, 1001, 1002, kPlayer2Default}));
  EXPECT_EQ(options->pendingKeys[0], kPlayer1Default);

  Computer(*options, 3);
  Computer(*options, 3);
  EXPECT_EQ(Config().keys[3], 77);  // nothing stored before OK
  Ok(*options);
  EXPECT_EQ(SettingsFile(),
            (std::vector<int32_t>{4, 70, 70, kPlayer1Default, kPlayer2Default, 80, 1001}));
  EXPECT_EQ(Config().CpuSeat(3), CpuStrength::kNormal);
  EXPECT_EQ(Open()->pendingKeys[3], 1001);
}

// A person takes a computer's seat by binding a button; the seat handed back later returns to
// that button, or to the player's default when the seat came from the file as the computer's.
TEST_F(OptionsTest, BindingAButtonGivesTheSeatToAPersonAgain) {
  Config().keys = {1002, 1000, 80, 77};
  auto options = Open();
  Computer(*options, 0);
  EXPECT_EQ(options->pendingKeys[0], kPlayer1Default);

  Wait(5);
  Then([] { TapKey(kSpace); });
  Bind(*options, 1);
  EXPECT_EQ(options->pendingKeys[1], kSpace);
  for (int click = 0; click < 4; ++click) Computer(*options, 1);
  EXPECT_EQ(options->pendingKeys[1], kSpace);

  Computer(*options, 2);
  Click(*options, "cancelar.png", 200, 500);
  EXPECT_EQ(RunToAnswer(*options), TSubMenuOptions::kClosedAnswer);
  EXPECT_EQ(Config().keys, (std::array<int, kMaxPlayers>{1002, 1000, 80, 77}));
}

TEST_F(OptionsTest, ThePromptIsHiddenFor700MsThenShownFor700Ms) {
  auto options = Open();
  const media::ImagePtr prompt = media::LoadImage("gfx/menu/presioneunatecla.png");
  ASSERT_TRUE(prompt);
  // A pixel of the prompt's opaque plate, at its place on the screen.
  const int px = prompt->Width() / 2, py = prompt->Height() - 8;
  const uint32_t promptPixel = prompt->Pixels(0)[py * prompt->Width() + px];
  ASSERT_EQ(promptPixel >> 24, 0xffu);
  const int sx = 400 - prompt->Width() / 2 + px, sy = 300 - prompt->Height() / 2 + py;

  std::vector<std::pair<int, bool>> frames;  // ms since the capture began, prompt drawn
  const int start = static_cast<int>(media::Milliseconds());
  for (int frame = 0; frame < 130; ++frame) {
    Then([&frames, start, sx, sy, promptPixel] {
      const uint32_t seen = media::BackBuffer()->Pixels(0)[sy * 800 + sx];
      frames.emplace_back(static_cast<int>(media::Milliseconds()) - start, seen == promptPixel);
    });
  }
  Then([] { TapKey(kSpace); });
  EXPECT_EQ(options->CaptureKey(), kSpace);
  ASSERT_GE(frames.size(), 130u);
  // A frame is presented up to one frame period after its prompt was decided.
  for (const auto& [ms, shown] : frames) {
    if (ms < 700 || (ms >= 1434 && ms < 2100)) {
      EXPECT_FALSE(shown) << ms;
    } else if (ms >= 717 && ms < 1400) {
      EXPECT_TRUE(shown) << ms;
    }
  }
}

TEST_F(OptionsTest, SlidersMoveOnlyFromTheKnobAndClampToTheirRange) {
  auto options = Open();
  TMenuSlider& music = *options->sliders[0];
  EXPECT_EQ(music.value, kDefaultVolume);
  const int knobX = static_cast<int>(music.x + music.value / music.max * music.barWidth);
  const ScreenPoint knob = {knobX + 5, 400};

  Drag(music, {450, 400}, {700, 400});  // a press off the knob
  EXPECT_EQ(music.value, kDefaultVolume);
  Drag(music, knob, {2000, 400});
  EXPECT_EQ(music.value, 100);
  Drag(music, {static_cast<int>(music.x + music.barWidth) + 5, 400}, {-300, 400});
  EXPECT_EQ(music.value, 0);
  Drag(music, {static_cast<int>(music.x) + 5, 400}, {static_cast<int>(music.x) + 150, 500});
  EXPECT_FLOAT_EQ(music.value, 50);  // the knob follows anywhere on the screen, by x alone
}

// At the top of the range the knob ends with its bar, and along the whole drag it stays under
// the pointer.
TEST_F(OptionsTest, TheKnobStaysOnItsBarAndUnderThePointer) {
  auto options = Open();
  TMenuSlider& music = *options->sliders[0];
  ASSERT_GT(music.barWidth, music.knobWidth);
  const auto knobLeft = [&music] {
    return music.x + music.value / music.max * (music.barWidth - music.knobWidth);
  };
  music.value = 0;
  int pointer = static_cast<int>(music.x) + 2;
  MoveMouse({pointer, 400});
  LeftButton(true);
  music.Update();
  for (; pointer <= static_cast<int>(music.x + music.barWidth); pointer += 10) {
    MoveMouse({pointer, 400});
    music.Update();
    EXPECT_GE(pointer, knobLeft() - 1) << music.value;
    EXPECT_LE(pointer, knobLeft() + music.knobWidth + 1) << music.value;
  }
  MoveMouse({2000, 400});
  music.Update();
  LeftButton(false);
  music.Update();
  EXPECT_EQ(music.value, 100);
  EXPECT_FLOAT_EQ(knobLeft() + music.knobWidth, music.x + music.barWidth);
}

TEST_F(OptionsTest, OkStoresTruncatedVolumesAndTheMusicFollowsAtOnce) {
  auto options = Open();
  options->sliders[0]->value = 55.9f;
  options->sliders[1]->value = 99.99f;
  Ok(*options);
  EXPECT_EQ(Config().musicVolume, 55);
  EXPECT_EQ(Config().soundVolume, 99);
  const auto file = SettingsFile();
  EXPECT_EQ(file[1], 55);
  EXPECT_EQ(file[2], 99);
  EXPECT_FLOAT_EQ(media::ChannelVolume(menu_->musicChannel), MusicLevel(55));
}

TEST(KeyNames, NameEveryCodeTheSettingsCanHold) {
  BuildKeyNames();
  EXPECT_EQ(KeyName(32), "Espacio");
  EXPECT_EQ(KeyName(107), "Num +");
  EXPECT_EQ(KeyName(187), media::Latin1("¡"));
  EXPECT_EQ(KeyName(186), media::Latin1("Ñ"));
  EXPECT_EQ(KeyName(226), "<");
  EXPECT_EQ(KeyName(4), "Tecla 4");      // unnamed within the table
  EXPECT_EQ(KeyName(255), "Tecla 255");  // past the table
  EXPECT_EQ(KeyName(499), "Tecla 499");
  EXPECT_EQ(KeyName(-7), "Tecla -7");
  // The built-in font has a glyph for every name.
  for (const std::string& name : keyNames) {
    for (unsigned char c : name) EXPECT_GT(media::TextWidth(std::string(1, c)), 0) << int(c);
  }
}

// A slider ticks when let go: the sound slider at its new volume, the music slider at the
// effects' own. A captured binding is heard, and OK gives the effects their new volume.
TEST_F(OptionsTest, BindingsAndLetGoSlidersAreHeard) {
  auto options = Open();
  TMenuSlider& music = *options->sliders[0];
  TMenuSlider& sound = *options->sliders[1];
  const auto knobOf = [](const TMenuSlider& slider) {
    return ScreenPoint{static_cast<int>(slider.x + slider.value / slider.max * slider.barWidth) + 5,
                       static_cast<int>(slider.y) + 5};
  };
  Heard();
  Drag(music, knobOf(music), {2000, 400});
  Drag(sound, knobOf(sound), {2000, 450});
  Drag(sound, knobOf(sound), {-300, 450});
  const std::vector<std::pair<SoundEffect, int>> ticks = {
      {SoundEffect::kTick, kDefaultVolume}, {SoundEffect::kTick, 100}, {SoundEffect::kTick, 0}};
  EXPECT_EQ(Heard(), ticks);

  Wait(5);
  Then([] { TapKey(kSpace); });
  Bind(*options, 0);
  const auto heard = Heard();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().first, SoundEffect::kBind);

  sound.value = 40;
  Ok(*options);
  Heard();
  PlaySoundEffect(SoundEffect::kClick);
  EXPECT_EQ(Heard(), (std::vector<std::pair<SoundEffect, int>>{{SoundEffect::kClick, 40}}));
}

}  // namespace
