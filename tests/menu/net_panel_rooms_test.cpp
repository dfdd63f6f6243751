// Room codes in the network panel, against a room server in this process on the loopback: the
// server typed on the first page and remembered beside the settings, hosting that shows the code
// and each joiner's link, joining by a typed code, and a joiner's page that says how it links
// with the host and the other joiners, one of them through the server's relay.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "media/input.h"
#include "menu/submenu_net.h"
#include "menu_fixture.h"
#include "net/room_server_setting.h"
#include "server/room_server.h"
#include "support/subprocess.h"

namespace {

constexpr double kPatienceMs = 20000;
constexpr uint32_t kLoopback = 0x0100007F;

class NetPanelRooms : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    std::string error;
    server::ServerSettings settings;
    settings.port = 0;
    rooms = server::RoomServer::Open(settings, error);
    ASSERT_TRUE(rooms) << error;
    serverText = "127.0.0.1:" + std::to_string(rooms->Port());
  }

  std::shared_ptr<TSubMenuNet> Open() {
    auto panel = TSubMenuNet::Create(menu_.get());
    panel->hostPort = 0;
    Settle(*panel);
    return panel;
  }

  // Steps the panel, serving the rooms and `also`, until `done`; false when patience runs out.
  template <class Done>
  bool StepUntil(
      TSubMenuNet& panel, Done done, std::function<void()> also = [] {}) {
    const double end = net::NowMs() + kPatienceMs;
    while (!done()) {
      if (net::NowMs() > end) return false;
      rooms->Serve(1);
      also();
      panel.Step();
    }
    return true;
  }

  static void Type(const std::string& text) {
    for (const char c : text) media::Input().CharEvent(c);
  }

  // A host in this process with a room on the server, and its code.
  void HostARoom() {
    std::string error;
    host = net::Lobby::Host(0, 1, error);
    ASSERT_TRUE(host) << error;
    room.emplace(net::IpPort{kLoopback, rooms->Port()});
    const double end = net::NowMs() + kPatienceMs;
    while (!room->Code() && net::NowMs() < end) {
      rooms->Serve(1);
      ServeHost()();
    }
    ASSERT_TRUE(room->Code());
  }

  std::function<void()> ServeHost() {
    return [this] {
      host->Service(1);
      room->Service(*host->Transport());
    };
  }

  // The panel, told the server, on its join page.
  std::shared_ptr<TSubMenuNet> OpenJoinPage() {
    std::ofstream(net::RoomServerPath()) << serverText << '\n';
    auto panel = Open();
    EXPECT_EQ(panel->roomServer, serverText);
    ClickStep(*panel, CentreOf("gfx/menu/unirse.png", 420, 220));
    panel->Step();
    EXPECT_EQ(panel->page, TSubMenuNet::Page::kJoin);
    Settle(*panel);
    return panel;
  }

  void Connect(TSubMenuNet& panel) {
    ClickStep(panel, CentreOf("gfx/menu/conectar.png", 140, 380));
  }

  std::unique_ptr<server::RoomServer> rooms;
  std::string serverText;
  std::unique_ptr<net::Lobby> host;
  std::optional<net::RoomHost> room;
};

TEST_F(NetPanelRooms, HostingThroughTheTypedServerShowsTheCodeAndHowAJoinerIsLinked) {
  auto panel = Open();
  Type(serverText);
  panel->Step();
  EXPECT_EQ(panel->roomServer, serverText);
  ClickStep(*panel, CentreOf("gfx/menu/crearpartida.png", 130, 220));
  panel->Step();
  ASSERT_EQ(panel->page, TSubMenuNet::Page::kHost);
  ASSERT_TRUE(panel->room);
  ASSERT_TRUE(StepUntil(*panel, [&] { return panel->room->Code().has_value(); }));
  EXPECT_EQ(net::LoadRoomServer(), serverText) << "remembered for the next time";
  EXPECT_EQ(std::filesystem::file_size(TConfiguracion::FilePath()), 28u);

  std::string error;
  auto join = net::RoomJoin::Start({kLoopback, rooms->Port()}, *panel->room->Code(), error);
  ASSERT_TRUE(join) << error;
  std::unique_ptr<net::Lobby> joined;
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return panel->lobby->Members().size() == 2; },
      [&] {
        join->Service(1);
        if (!joined && join->GetPhase() == net::RoomJoin::Phase::kReady) {
          joined = join->TakeLobby(1, error);
        }
        if (joined) joined->Service(1);
      }));
  EXPECT_EQ(panel->LinkOf(1), " (directo)");
}

TEST_F(NetPanelRooms, JoiningByATypedCodeFindsTheRoomOrSaysWhyNot) {
  ASSERT_NO_FATAL_FAILURE(HostARoom());
  auto panel = OpenJoinPage();
  ASSERT_EQ(panel->page, TSubMenuNet::Page::kJoin);

  const std::string code = net::CodeText(*room->Code());
  Type(code == "ZZZZ" ? "yyyy" : "zzzz");
  Connect(*panel);
  ASSERT_TRUE(panel->finding);
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return !panel->finding; }, ServeHost()));
  EXPECT_NE(panel->status.find("No hay ninguna sala"), std::string::npos) << panel->status;

  panel->address = code;
  Connect(*panel);
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return !panel->joinLinks.empty(); }, ServeHost()));
  EXPECT_EQ(host->Members().size(), 2u);
  EXPECT_FALSE(panel->relayed);
  EXPECT_EQ(panel->joinLinks, std::vector<std::string>{"1. anfitrión, 1 jugador (directo)"});
}

// The test's own network namespace, where nft may drop datagrams on the loopback without
// touching anyone else's; this thread goes back to the machine's namespace when it ends.
class PrivateLoopback {
 public:
  PrivateLoopback() : home_(open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC)) {
    if (getuid() != 0) {
      cannot_ = "the tests do not run as root";
    } else if (RunChild({"bash", "-c", "command -v nft >/dev/null"}) != 0) {
      cannot_ = "no nft here";
    } else if (home_ < 0 || unshare(CLONE_NEWNET) != 0) {
      cannot_ = "no network namespace can be made here";
    } else {
      inside_ = true;
      if (RunChild({"ip", "link", "set", "lo", "up"}) != 0) cannot_ = "the loopback stays down";
    }
  }
  ~PrivateLoopback() {
    if (inside_) setns(home_, CLONE_NEWNET);
    if (home_ >= 0) close(home_);
  }
  const std::string& Cannot() const { return cannot_; }

  // Nothing goes between the two ports any more, either way.
  bool Cut(uint16_t a, uint16_t b) const {
    const auto drop = [](uint16_t from, uint16_t to) {
      return "nft add rule ip cut out udp sport " + std::to_string(from) + " udp dport " +
             std::to_string(to) + " drop; ";
    };
    return RunChild({"bash", "-c",
                     "set -e; nft add table ip cut; "
                     "nft add chain ip cut out '{ type filter hook output priority 0; }'; " +
                         drop(a, b) + drop(b, a)}) == 0;
  }

 private:
  int home_;
  bool inside_ = false;
  std::string cannot_;
};

class NetPanelRelay : public NetPanelRooms {
 protected:
  PrivateLoopback loopback;  // made before the server opens its port in it
};

// The panel's machine and another joiner cannot reach each other, so their pair goes through the
// server's relay after a few seconds of trying; the host stays directly linked with both.
TEST_F(NetPanelRelay, AJoinerSaysOnItsPageHowItLinksWithTheHostAndEachOtherJoiner) {
  if (!loopback.Cannot().empty()) GTEST_SKIP() << "no private loopback: " << loopback.Cannot();
  ASSERT_NO_FATAL_FAILURE(HostARoom());
  auto panel = OpenJoinPage();
  panel->address = net::CodeText(*room->Code());
  Connect(*panel);
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return panel->lobby && host->Members().size() == 2; }, ServeHost()));

  std::string error;
  auto join = net::RoomJoin::Start({kLoopback, rooms->Port()}, *room->Code(), error);
  ASSERT_TRUE(join) << error;
  std::unique_ptr<net::Lobby> other;
  const auto serveBoth = [&] {
    ServeHost()();
    join->Service(1);
    if (!other && join->GetPhase() == net::RoomJoin::Phase::kReady) {
      other = join->TakeLobby(1, error);
    }
    if (other) other->Service(1);
  };
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return panel->joinLinks.size() == 2 && other; }, serveBoth));
  const std::string third = "3. " + host->Members()[2].address + ", 1 jugador";
  EXPECT_EQ(panel->joinLinks[1], third) << "no link with another joiner before the start";

  ASSERT_TRUE(loopback.Cut(panel->lobby->Port(), other->Port()));
  ASSERT_TRUE(host->Start(0, 3, error)) << error;
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return panel->joinLinks.back() == third + " (buscando enlace...)"; },
      serveBoth));
  EXPECT_EQ(panel->joinLinks.front(), "1. anfitrión, 1 jugador (directo)");

  ASSERT_TRUE(StepUntil(
      *panel, [&] { return !panel->lobby; }, serveBoth))
      << panel->status;
  EXPECT_TRUE(menu_->netMatch) << panel->status;
  EXPECT_EQ(panel->joinLinks, (std::vector<std::string>{"1. anfitrión, 1 jugador (directo)",
                                                        third + " (por el servidor)"}))
      << "still on the page as it fades into the match";
  EXPECT_TRUE(menu_->netRelayed) << "a relayed match ends with a word when the server goes";
}

}  // namespace
