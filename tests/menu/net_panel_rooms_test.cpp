// Room codes in the network panel, against a room server in this process on the loopback: the
// server typed on the first page and remembered beside the settings, hosting that shows the code
// and each joiner's link, and joining by a typed code.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/input.h"
#include "menu/submenu_net.h"
#include "menu_fixture.h"
#include "net/room_server_setting.h"
#include "server/room_server.h"

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
  bool StepUntil(TSubMenuNet& panel, Done done, std::function<void()> also = [] {}) {
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

  std::unique_ptr<server::RoomServer> rooms;
  std::string serverText;
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
  std::ofstream(net::RoomServerPath()) << serverText << '\n';
  std::string error;
  auto host = net::Lobby::Host(0, 1, error);
  ASSERT_TRUE(host) << error;
  net::RoomHost room({kLoopback, rooms->Port()});
  const auto serveHost = [&] {
    host->Service(1);
    room.Service(*host->Transport());
  };
  auto panel = Open();
  EXPECT_EQ(panel->roomServer, serverText);
  ClickStep(*panel, CentreOf("gfx/menu/unirse.png", 420, 220));
  panel->Step();
  ASSERT_EQ(panel->page, TSubMenuNet::Page::kJoin);
  Settle(*panel);
  ASSERT_TRUE(StepUntil(*panel, [&] { return room.Code().has_value(); }, serveHost));

  const std::string code = net::CodeText(*room.Code());
  Type(code == "ZZZZ" ? "yyyy" : "zzzz");
  ClickStep(*panel, CentreOf("gfx/menu/conectar.png", 140, 380));
  ASSERT_TRUE(panel->finding);
  ASSERT_TRUE(StepUntil(*panel, [&] { return !panel->finding; }, serveHost));
  EXPECT_NE(panel->status.find("No hay ninguna sala"), std::string::npos) << panel->status;

  panel->address = code;
  ClickStep(*panel, CentreOf("gfx/menu/conectar.png", 140, 380));
  ASSERT_TRUE(StepUntil(
      *panel, [&] { return panel->lobby && host->Members().size() == 2; }, serveHost));
  EXPECT_FALSE(panel->relayed);
}

}  // namespace
