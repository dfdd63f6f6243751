// A click is one action. After the release the pointer rests on the button for a second, as a
// player's hand does, and no button of the main menu or of any panel acts a second time.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "media/input.h"
#include "menu/submenu_credits.h"
#include "menu/submenu_net.h"
#include "menu/submenu_options.h"
#include "menu/submenu_play.h"
#include "menu/submenu_players.h"
#include "menu/submenu_quit.h"
#include "menu_fixture.h"

namespace {

constexpr int kSecondOfFrames = 60;
constexpr int kSpace = 32;
// The options' buttons: four bindings, two volume labels, OK, cancel, then the four CPU buttons.
constexpr size_t kVolumeLabels = 4;
constexpr size_t kFirstCpuButton = 8;

// A panel of the game that counts the clicks its buttons hand it.
template <class Panel>
class Counting : public Panel {
 public:
  std::map<int, int> clicks;

 protected:
  void OnClick(int value) override {
    ++clicks[value];
    Panel::OnClick(value);
  }
};

ScreenPoint CentreOf(const TMenuButton& button) {
  return {static_cast<int>(button.x + button.width / 2),
          static_cast<int>(button.y + button.height / 2)};
}

class OneClickTest : public MenuTest {
 protected:
  // Clicks the button and rests on it for a second, or until the panel answers; whatever the
  // click opened is left by `leave`, queued for when the second is over.
  template <class Panel>
  void ClickAndRest(
      Panel& panel, int value, const Action& leave = [] {}) {
    const ScreenPoint point = CentreOf(*panel.buttons[value]);
    ForgetActions();
    Wait(kSecondOfFrames);
    Then(leave);
    if (ClickStep(panel, point) != TSubMenu::kStillOpen) return;
    for (int frame = 0; frame < kSecondOfFrames; ++frame) {
      if (panel.Step() != TSubMenu::kStillOpen) return;
    }
  }

  // Space on the next frame and on each of the `frames` after it, so that any capture waiting
  // for a key is answered, however many a faulty button starts.
  void TapSpaceFor(int frames) {
    Then([this, frames] {
      media::Input().KeyEvent(kSpace, true);
      media::Input().KeyEvent(kSpace, false);
      if (frames > 0) TapSpaceFor(frames - 1);
    });
  }

  // A press and release of the left button at `point` over the next two frames.
  void ClickLater(ScreenPoint point) {
    Then([point] {
      MoveMouse(point);
      LeftButton(true);
    });
    Then([] { LeftButton(false); });
  }

  // Every button of a freshly opened panel, one panel each: each click is taken exactly once.
  template <class Open>
  void ExpectEachButtonActsOnce(Open open, const std::string& what) {
    const size_t count = open()->buttons.size();
    for (size_t value = 0; value < count; ++value) {
      auto panel = open();
      ClickAndRest(*panel, static_cast<int>(value), [] {});
      EXPECT_EQ(panel->clicks, (std::map<int, int>{{static_cast<int>(value), 1}}))
          << what << " button " << value;
    }
  }

  template <class Panel>
  std::shared_ptr<Counting<Panel>> OpenSettled(const char* image, float x, float y) {
    auto panel = CreatePanel<Counting<Panel>>(menu_.get(), image, x, y);
    Settle(*panel);
    return panel;
  }
};

TEST_F(OneClickTest, MainMenuButtonsFireOncePerClick) {
  for (int frame = 0; frame < kSettleSteps; ++frame) ASSERT_EQ(menu_->Frame(), -1);
  for (int value = 0; value < TMenu::kButtonCount; ++value) {
    MoveMouse(CentreOf(*menu_->buttons[value]));
    LeftButton(true);
    ASSERT_EQ(menu_->Frame(), -1);
    LeftButton(false);
    int actions = 0;
    for (int frame = 0; frame <= kSecondOfFrames; ++frame) actions += menu_->Frame() != -1;
    EXPECT_EQ(actions, 1) << "main button " << value;
  }
}

TEST_F(OneClickTest, ThePanelsThatCloseTakeOneClick) {
  ExpectEachButtonActsOnce(
      [&] { return OpenSettled<TSubMenuQuit>("gfx/menu/seguroquedeseasalir.png", 200, 300); },
      "quit");
  ExpectEachButtonActsOnce(
      [&] { return OpenSettled<TSubMenuCredits>("gfx/menu/panelcreditos.png", 100, 100); },
      "credits");
  ExpectEachButtonActsOnce(
      [&] { return OpenSettled<TSubMenuPlayers>("gfx/menu/seleccionjugadores.png", 100, 200); },
      "players");
}

// A level, the tutorial and network play open the next panel, which is left by its back button
// once the pointer has rested.
TEST_F(OneClickTest, ThePlayPanelTakesOneClick) {
  const auto open = [&] {
    return OpenSettled<TSubMenuPlay>("gfx/menu/seleccionescenario.png", 100, 100);
  };
  const ScreenPoint playersBack = ::CentreOf("gfx/menu/volver.png", 385, 345);
  const ScreenPoint netBack = ::CentreOf("gfx/menu/volver.png", 510, 520);
  const size_t count = open()->buttons.size();
  for (size_t value = 0; value < count; ++value) {
    auto play = open();
    const ScreenPoint back = value == count - 1 ? netBack : playersBack;
    ClickAndRest(*play, static_cast<int>(value), [this, back] { ClickLater(back); });
    EXPECT_EQ(play->clicks, (std::map<int, int>{{static_cast<int>(value), 1}})) << value;
  }
}

// The bindings wait for a key, pressed once the pointer has rested; the CPU buttons step their
// seat once; the volume labels do nothing, once.
TEST_F(OneClickTest, EveryOptionsButtonTakesOneClick) {
  const auto open = [&] {
    auto options = OpenSettled<TSubMenuOptions>("gfx/menu/panelopciones.png", 50, 100);
    options->promptImage = media::LoadImage("gfx/menu/presioneunatecla.png");
    return options;
  };
  const size_t count = open()->buttons.size();
  for (size_t value = 0; value < count; ++value) {
    auto options = open();
    const auto before = options->pendingKeys;
    ClickAndRest(*options, static_cast<int>(value), [this] { TapSpaceFor(3 * kSecondOfFrames); });
    EXPECT_EQ(options->clicks, (std::map<int, int>{{static_cast<int>(value), 1}})) << value;
    const int seat = static_cast<int>(value) % kMaxPlayers;
    if (value >= kFirstCpuButton) {
      EXPECT_EQ(options->pendingKeys[seat], CpuSeatCode(CpuStrength::kEasy)) << value;
    } else if (value < kVolumeLabels) {
      EXPECT_EQ(options->pendingKeys[seat], kSpace) << value;
    } else {
      EXPECT_EQ(options->pendingKeys, before) << value;
    }
  }
}

class NetOneClickTest : public OneClickTest {
 protected:
  std::shared_ptr<Counting<TSubMenuNet>> OpenOn(TSubMenuNet::Page page) {
    auto net = CreatePanel<Counting<TSubMenuNet>>(menu_.get(), "gfx/menu/panelred.png", 100, 100);
    net->hostPort = 0;  // any free port on this machine, not the players' one
    Settle(*net);
    if (page != TSubMenuNet::Page::kChoose) {
      const int opener = page == TSubMenuNet::Page::kHost ? 1 : 2;
      ClickStep(*net, CentreOf(*net->buttons[opener]));
      net->Step();
      EXPECT_EQ(net->page, page);
      Settle(*net);
      net->clicks.clear();
    }
    return net;
  }
};

TEST_F(NetOneClickTest, EveryButtonOfTheNetworkPagesTakesOneClick) {
  for (const auto page :
       {TSubMenuNet::Page::kChoose, TSubMenuNet::Page::kHost, TSubMenuNet::Page::kJoin}) {
    const size_t count = OpenOn(page)->buttons.size();
    for (size_t value = 0; value < count; ++value) {
      auto net = OpenOn(page);
      const int localPlayers = net->localPlayers;
      ClickAndRest(*net, static_cast<int>(value));
      EXPECT_EQ(net->clicks, (std::map<int, int>{{static_cast<int>(value), 1}}))
          << "page " << static_cast<int>(page) << " button " << value;
      if (page == TSubMenuNet::Page::kChoose && value == 3) {
        EXPECT_EQ(net->localPlayers, localPlayers + 1);
      }
    }
  }
}

}  // namespace
