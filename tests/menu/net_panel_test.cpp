// Network play from the menu: the play panel's new button, hosting with a machine that joins on
// the loopback, and joining by a typed address, including nobody answering.
#include <gtest/gtest.h>

#include "media/draw.h"
#include "media/input.h"
#include "menu/submenu_net.h"
#include "menu/submenu_play.h"
#include "menu_fixture.h"
#include "net/lobby.h"
#include "net/messages.h"

namespace {

constexpr double kPatienceMs = 20000;

class NetPanelTest : public MenuTest {
 protected:
  std::shared_ptr<TSubMenuNet> Open() {
    auto panel = TSubMenuNet::Create(menu_.get());
    panel->hostPort = 0;  // any free port, not the one players use
    Settle(*panel);
    return panel;
  }

  // Opens the panel and clicks through to the page that `button` at (x, y) leads to.
  std::shared_ptr<TSubMenuNet> OpenOn(const char* button, float x, float y,
                                      TSubMenuNet::Page page) {
    auto panel = Open();
    ClickStep(*panel, CentreOf(button, x, y));
    panel->Step();
    EXPECT_EQ(panel->page, page);
    Settle(*panel);
    return panel;
  }

  // Steps the panel (servicing `other` too) until `done`; false when the patience runs out.
  template <class Done>
  bool StepUntil(TSubMenuNet& panel, net::Lobby* other, Done done) {
    const double end = net::NowMs() + kPatienceMs;
    while (!done()) {
      if (net::NowMs() > end) return false;
      if (other) other->Service(1);
      answer = panel.Step();
    }
    return true;
  }

  static void Type(const std::string& text) {
    for (const char c : text) media::Input().CharEvent(c);
  }

  // The join page, the port typed and connect clicked.
  std::shared_ptr<TSubMenuNet> JoinOnTheLoopback(uint16_t port) {
    auto panel = OpenOn("gfx/menu/unirse.png", 420, 220, TSubMenuNet::Page::kJoin);
    Type("127.0.0.1:" + std::to_string(port));
    ClickStep(*panel, CentreOf("gfx/menu/conectar.png", 140, 380));
    return panel;
  }

  int answer = TSubMenu::kStillOpen;
};

TEST_F(NetPanelTest, ThePlayPanelOpensNetworkPlayAndKeepsItsOtherButtons) {
  auto play = TSubMenuPlay::Create(menu_.get(), "gfx/menu/seleccionescenario.png", 100, 100);
  const float places[][2] = {{510, 520}, {400, 350}, {400, 150}, {120, 350}, {120, 150}};
  ASSERT_EQ(play->buttons.size(), 6u);
  for (size_t i = 0; i < std::size(places); ++i) {
    EXPECT_EQ(play->buttons[i]->x, places[i][0]);
    EXPECT_EQ(play->buttons[i]->y, places[i][1]);
  }
  Settle(*play);
  ClickStep(*play, CentreOf("gfx/menu/enred.png", 120, 520));
  // The network panel runs inside the play panel's closing frame; back from it is a fresh choice.
  ClickAfterSettling(CentreOf("gfx/menu/volver.png", 510, 520));
  ASSERT_TRUE(StepToFreshFadeIn(*play));
  EXPECT_FALSE(menu_->netMatch);
}

TEST_F(NetPanelTest, HostingListsWhoJoinsAndStartsWithTheLevelAndCountPicked) {
  auto panel = Open();
  ClickStep(*panel, CentreOf("gfx/menu/jugadoresaqui.png", 130, 330));
  panel->Step();                      // the pointer stays over the button
  EXPECT_EQ(panel->localPlayers, 2);  // one click, one more player
  ClickStep(*panel, CentreOf("gfx/menu/crearpartida.png", 130, 220));
  panel->Step();
  ASSERT_EQ(panel->page, TSubMenuNet::Page::kHost);
  ASSERT_TRUE(panel->lobby);
  Settle(*panel);

  std::string error;
  auto joiner = net::Lobby::Join({"127.0.0.1", panel->lobby->Port()}, 0, 1, error);
  ASSERT_TRUE(joiner) << error;
  ASSERT_TRUE(StepUntil(*panel, joiner.get(), [&] { return panel->lobby->Members().size() == 2; }));
  EXPECT_EQ(panel->status, "Se ha unido 127.0.0.1");

  ClickStep(*panel, CentreOf("gfx/menu/redmetro.png", 390, 390));
  ClickStep(*panel, CentreOf("gfx/menu/red3.png", 160, 450));
  ClickStep(*panel, CentreOf("gfx/menu/empezar.png", 550, 380));
  ASSERT_TRUE(StepUntil(*panel, joiner.get(), [&] { return answer != TSubMenu::kStillOpen; }));
  EXPECT_EQ(answer, TSubMenuNet::kMatchReady);
  ASSERT_TRUE(menu_->netMatch);
  EXPECT_EQ(menu_->netLocalPlayers, 2);
  const net::MatchSetup& setup = menu_->netMatch->Setup();
  EXPECT_EQ(setup.level, 2);
  EXPECT_EQ(setup.players, 3);
  EXPECT_EQ(setup.machines[1].firstSeat, 2);
  EXPECT_EQ(joiner->GetPhase(), net::Lobby::Phase::kStarted);
}

// The pale rim around a button of the hosting page, left of it at mid-height, as presented.
bool Marked(const TMenuButton& button) {
  const uint32_t pixel = media::BackBuffer()->Pixels(
      0)[static_cast<int>(button.y + button.height / 2) * 800 + static_cast<int>(button.x) - 3];
  return (pixel & 0xFFFFFF) == 0xF3EAD0;
}

// The scenery and the player count chosen are marked on their own buttons, and only those.
TEST_F(NetPanelTest, TheChosenSceneryAndCountAreMarkedOnTheirButtons) {
  auto panel = OpenOn("gfx/menu/crearpartida.png", 130, 220, TSubMenuNet::Page::kHost);
  // The buttons marked in the next frame presented.
  const auto marks = [this, &panel] {
    std::vector<int> marked;
    Then([&] {
      for (int button = 1; button < 7; ++button) {
        if (Marked(*panel->buttons[button])) marked.push_back(button);
      }
    });
    panel->Step();
    return marked;
  };
  EXPECT_EQ(marks(), (std::vector<int>{TSubMenuNet::kFirstLevelButton,
                                       TSubMenuNet::kFirstCountButton}));  // bosque, two
  ClickStep(*panel, CentreOf("gfx/menu/redciudad.png", 240, 390));
  ClickStep(*panel, CentreOf("gfx/menu/red4.png", 230, 450));
  MoveMouse({780, 590});
  EXPECT_EQ(marks(), (std::vector<int>{2, 6}));
}

TEST_F(NetPanelTest, JoiningTakesTheTypedAddressAndSaysWhenNobodyAnswers) {
  auto panel = OpenOn("gfx/menu/unirse.png", 420, 220, TSubMenuNet::Page::kJoin);

  Type("127.0.0.1:x");
  media::Input().KeyEvent(media::kKeyBackspace, true);
  media::Input().KeyEvent(media::kKeyBackspace, false);
  panel->Step();
  EXPECT_EQ(panel->address, "127.0.0.1:");
  media::Input().KeyEvent(media::kKeyEnter, true);
  media::Input().KeyEvent(media::kKeyEnter, false);
  panel->Step();
  EXPECT_FALSE(panel->lobby);
  EXPECT_NE(panel->status.find("Escribe un código de 4 letras o una dirección"), std::string::npos)
      << panel->status;

  Type("9");  // the discard port: nobody plays there
  ClickStep(*panel, CentreOf("gfx/menu/conectar.png", 140, 380));
  EXPECT_EQ(panel->status, "Conectando con 127.0.0.1:9...");
  ASSERT_TRUE(StepUntil(*panel, nullptr, [&] { return !panel->lobby; }));
  EXPECT_EQ(panel->status, "Nadie responde en 127.0.0.1:9");
}

// "casa" could be a machine at home or a room: as four letters of the codes' alphabet it is a
// code, which needs the room server (the page's advice, the port after the name, makes it an
// address; names are not looked up here, the test stays off every network but the loopback).
TEST_F(NetPanelTest, AFourLetterNameIsJoinedAsACode) {
  auto panel = OpenOn("gfx/menu/unirse.png", 420, 220, TSubMenuNet::Page::kJoin);
  Type("casa");
  ClickStep(*panel, CentreOf("gfx/menu/conectar.png", 140, 380));
  EXPECT_FALSE(panel->lobby);
  EXPECT_NE(panel->status.find("escribe el servidor de salas"), std::string::npos) << panel->status;
}

TEST_F(NetPanelTest, JoiningAHostWaitsForItToStart) {
  std::string error;
  auto host = net::Lobby::Host(0, 1, error);
  ASSERT_TRUE(host) << error;
  auto panel = JoinOnTheLoopback(host->Port());
  ASSERT_TRUE(StepUntil(*panel, host.get(), [&] { return host->Members().size() == 2; }));
  ASSERT_TRUE(host->Start(1, 2, error)) << error;
  ASSERT_TRUE(StepUntil(*panel, host.get(), [&] { return answer != TSubMenu::kStillOpen; }));
  EXPECT_EQ(answer, TSubMenuNet::kMatchReady);
  ASSERT_TRUE(menu_->netMatch);
  EXPECT_EQ(menu_->netMatch->Setup().localMachine, 1);
  EXPECT_EQ(menu_->netMatch->Setup().level, 1);
}

// What the host says of the others is the host's word: an address longer than any real one is cut
// to fit the panel.
TEST_F(NetPanelTest, AnOverlongAddressFromTheHostIsCutOnTheJoinPage) {
  std::string error;
  auto host = net::Endpoint::Open(0, error);
  ASSERT_TRUE(host) << error;
  auto panel = JoinOnTheLoopback(host->Port());
  const std::string overlong(255, '9');
  net::ByteWriter roster;
  roster.U8(static_cast<uint8_t>(net::Message::kRoster)).U8(1).U8(3);
  roster.U8(1).Text("").U8(1).Text("").U8(2).Text(overlong);
  const double end = net::NowMs() + kPatienceMs;
  while (panel->joinLinks.empty() && net::NowMs() < end) {
    for (const net::NetEvent& event : host->Service(1)) {
      if (event.kind == net::NetEvent::Kind::kConnected) {
        host->Send(event.peer, roster.Data(), net::Delivery::kReliable);
      }
    }
    panel->Step();
  }
  ASSERT_EQ(panel->joinLinks.size(), 2u) << panel->status;
  EXPECT_EQ(panel->joinLinks[1], "3. " + overlong.substr(0, 21) + ", 2 jugadores");
}

}  // namespace
