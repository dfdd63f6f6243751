// A host's room and a joiner's way in by code, against a real room server in this process on
// the loopback: directly, through the relay when the host does not answer the punch, and refused.
#include <gtest/gtest.h>

#include "net/lobby.h"
#include "net/room_host.h"
#include "net/room_join.h"
#include "server/room_server.h"

namespace {

constexpr uint32_t kLoopback = 0x0100007F;
constexpr double kPatienceMs = 15000;

class RoomsOnLoopback : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    server::ServerSettings settings;
    settings.port = 0;
    rooms = server::RoomServer::Open(settings, error);
    ASSERT_TRUE(rooms) << error;
    host = net::Lobby::Host(0, 1, error);
    ASSERT_TRUE(host) << error;
    room.emplace(net::IpPort{kLoopback, rooms->Port()});
  }

  // Services everything until `done`; false when the patience runs out.
  template <class Done>
  bool Until(Done done) {
    const double end = net::NowMs() + kPatienceMs;
    while (!done()) {
      if (net::NowMs() > end) return false;
      rooms->Serve(1);
      host->Service(1);
      if (hostAnswers) room->Service(*host->Transport());
      if (join) join->Service(1);
      if (joined) joined->Service(1);
    }
    return true;
  }

  net::RoomCode OpenRoom() {
    EXPECT_TRUE(Until([&] { return room->Code().has_value(); }));
    return room->Code().value_or(net::RoomCode{});
  }

  void JoinRoom(const net::RoomCode& code) {
    std::string error;
    join = net::RoomJoin::Start({kLoopback, rooms->Port()}, code, error);
    ASSERT_TRUE(join) << error;
  }

  // Once the joiner found the room: its lobby, until the host lists it.
  void TakeLobby() {
    ASSERT_TRUE(Until([&] { return join->GetPhase() == net::RoomJoin::Phase::kReady; }))
        << join->Failure();
    std::string error;
    joined = join->TakeLobby(1, error);
    ASSERT_TRUE(joined) << error;
    ASSERT_TRUE(Until([&] { return host->Members().size() == 2; }));
  }

  std::unique_ptr<server::RoomServer> rooms;
  std::unique_ptr<net::Lobby> host, joined;
  std::optional<net::RoomHost> room;
  std::unique_ptr<net::RoomJoin> join;
  bool hostAnswers = true;
};

TEST_F(RoomsOnLoopback, AJoinerByCodeReachesTheHostDirectly) {
  JoinRoom(OpenRoom());
  ASSERT_NO_FATAL_FAILURE(TakeLobby());
  EXPECT_FALSE(join->Relayed());
  EXPECT_EQ(room->LinkWord(host->LinkAddress(1)), "directo");
  std::string error;
  ASSERT_TRUE(host->Start(0, 2, error)) << error;
  ASSERT_TRUE(Until([&] { return joined->GetPhase() == net::Lobby::Phase::kStarted; }));

  room->Close(*host->Transport());
  join.reset();
  JoinRoom(*room->Code());
  ASSERT_TRUE(Until([&] { return join->GetPhase() == net::RoomJoin::Phase::kFailed; }));
  EXPECT_EQ(join->Failure(), "No hay ninguna sala " + net::CodeText(*room->Code()));
}

TEST_F(RoomsOnLoopback, AHostThatDoesNotAnswerThePunchIsReachedThroughTheRelay) {
  const net::RoomCode code = OpenRoom();
  hostAnswers = false;
  JoinRoom(code);
  ASSERT_TRUE(Until([&] { return join->GetPhase() == net::RoomJoin::Phase::kReady; }));
  EXPECT_TRUE(join->Relayed());
  EXPECT_EQ(rooms->RelayLinks(), 1u);
  hostAnswers = true;  // and hears of the relay port, and opens it
  ASSERT_NO_FATAL_FAILURE(TakeLobby());
  EXPECT_TRUE(room->Relayed(host->LinkAddress(1))) << host->LinkAddress(1).Text();
  std::string error;
  ASSERT_TRUE(host->Start(0, 2, error)) << error;
  ASSERT_TRUE(Until([&] { return joined->GetPhase() == net::Lobby::Phase::kStarted; }));
}

TEST_F(RoomsOnLoopback, AWrongCodeOrASilentServerEndTheSearchWithAMessage) {
  const net::RoomCode code = OpenRoom();
  JoinRoom(*net::ParseRoomCode(code[0] == 'A' ? "bbbb" : "aaaa"));
  ASSERT_TRUE(Until([&] { return join->GetPhase() == net::RoomJoin::Phase::kFailed; }));
  EXPECT_NE(join->Failure().find("No hay ninguna sala"), std::string::npos);

  std::string error;
  join = net::RoomJoin::Start({kLoopback, 9}, code, error);
  ASSERT_TRUE(Until([&] { return join->GetPhase() == net::RoomJoin::Phase::kFailed; }));
  EXPECT_EQ(join->Failure(), "El servidor de salas no responde en 127.0.0.1:9");
}

TEST(RoomCodes, AreReadInAnyCaseWithoutConfusableLetters) {
  EXPECT_EQ(net::CodeText(*net::ParseRoomCode(" abcd ")), "ABCD");
  for (const char* wrong : {"ABC", "ABCDE", "ABCI", "L0OU", "AB D", "", "ab.c"}) {
    EXPECT_FALSE(net::ParseRoomCode(wrong)) << wrong;
  }
}

}  // namespace
