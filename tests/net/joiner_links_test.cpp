// A joiner's links with the other joiners, on the loopback against sockets that stand where the
// other joiner and the room server would: punches go on until the link is up, and a room's pair
// that stays unlinked asks the server and then talks through the relay port it gives.
#include "net/joiner_links.h"

#include <gtest/gtest.h>

namespace {

using net::RoomMessage;

constexpr uint32_t kLoopback = 0x0100007F;

class JoinerLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    endpoint = net::Endpoint::Open(0, error);
    other = net::DatagramSocket::Open(0, error);
    server = net::DatagramSocket::Open(0, error);
    relay = net::DatagramSocket::Open(0, error);
    ASSERT_TRUE(endpoint && other && server && relay) << error;
  }

  net::IpPort At(const net::DatagramSocket& socket) const { return {kLoopback, socket.Port()}; }

  // Services the links for a while; the machines the relay took over meanwhile.
  std::vector<int> ServiceFor(net::JoinerLinks& links, double ms) {
    std::vector<int> relayed;
    for (const double end = net::NowMs() + ms; net::NowMs() < end;) {
      endpoint->Service(5);
      for (const int m : links.Service(*endpoint, linked)) relayed.push_back(m);
    }
    return relayed;
  }

  // The room messages of one kind waiting on the socket.
  static std::vector<net::Bytes> Drain(net::DatagramSocket& socket, RoomMessage kind) {
    std::vector<net::Bytes> found;
    while (auto datagram = socket.Receive()) {
      net::ByteReader in(datagram->data);
      if (net::RoomKind(in) == kind) found.push_back(datagram->data);
    }
    return found;
  }

  std::unique_ptr<net::Endpoint> endpoint;
  std::unique_ptr<net::DatagramSocket> other, server, relay;
  std::array<bool, net::kMaxMachines> linked{};
};

TEST_F(JoinerLinksTest, PunchesGoOnUntilTheLinkIsUpAndNeverAskWithoutARoom) {
  net::JoinerLinks links(std::nullopt);
  links.Open(2, At(*other));
  ServiceFor(links, 550);
  EXPECT_GE(Drain(*other, RoomMessage::kPunch).size(), 4u) << "one punch is easily lost";
  linked[2] = true;
  ServiceFor(links, 300);
  EXPECT_TRUE(Drain(*other, RoomMessage::kPunch).empty()) << "a linked pair needs no more";

  linked[2] = false;
  EXPECT_TRUE(ServiceFor(links, net::JoinerLinks::kDirectLimitMs + 500).empty());
  EXPECT_FALSE(links.Relayed(2));
  EXPECT_EQ(links.CallAddress(2), At(*other));
  EXPECT_EQ(links.Failure(), "");
}

TEST_F(JoinerLinksTest, ARoomsPairWithoutALinkIsCalledThroughTheRelayPortTheServerGives) {
  const net::RoomCode code = *net::ParseRoomCode("ABCD");
  net::JoinerLinks links(net::RoomTicket{At(*server), code, 2, 77});
  links.Open(1, At(*other));
  ServiceFor(links, net::JoinerLinks::kDirectLimitMs - 500);
  EXPECT_TRUE(Drain(*server, RoomMessage::kPairAsk).empty()) << "the punch gets its 3 seconds";
  ServiceFor(links, 1000);
  const auto asks = Drain(*server, RoomMessage::kPairAsk);
  ASSERT_FALSE(asks.empty());
  EXPECT_EQ(asks[0].size(), net::kRequestSize);
  net::ByteReader in(asks[0]);
  net::RoomKind(in);
  EXPECT_EQ(net::ReadCode(in), code);
  EXPECT_EQ(in.U8(), 2);
  EXPECT_EQ(in.U64(), 77u);
  EXPECT_EQ(net::ReadIpPort(in), At(*other));

  // Only the server's word counts; then the relay port takes the punches and the call.
  auto answer = net::RoomWriter(RoomMessage::kPairRelay);
  net::WriteIpPort(answer, At(*other));
  const net::Bytes relayTold = answer.U16(relay->Port()).Take();
  other->Send({kLoopback, endpoint->Port()}, relayTold);
  EXPECT_TRUE(ServiceFor(links, 200).empty()) << "a stranger cannot redirect the link";
  server->Send({kLoopback, endpoint->Port()}, relayTold);
  EXPECT_EQ(ServiceFor(links, 300), std::vector<int>{1});
  EXPECT_TRUE(links.Relayed(1));
  EXPECT_EQ(links.CallAddress(1), At(*relay));
  EXPECT_FALSE(Drain(*relay, RoomMessage::kPunch).empty()) << "its side of the relay opens";
}

TEST_F(JoinerLinksTest, AServerThatRefusesOrSaysNothingLeavesAReason) {
  net::JoinerLinks refused(net::RoomTicket{At(*server), *net::ParseRoomCode("ABCD"), 1, 5});
  refused.Open(2, At(*other));
  ServiceFor(refused, net::JoinerLinks::kDirectLimitMs + 300);
  auto no = net::RoomWriter(RoomMessage::kRefused);
  server->Send({kLoopback, endpoint->Port()}, no.Text("El servidor de salas está lleno").Take());
  ServiceFor(refused, 200);
  EXPECT_EQ(refused.Failure(), "El servidor de salas está lleno");

  net::JoinerLinks silent(net::RoomTicket{At(*server), *net::ParseRoomCode("ABCD"), 1, 5});
  silent.Open(2, At(*other));
  ServiceFor(silent, net::JoinerLinks::kDirectLimitMs + net::kRoomAnswerLimitMs + 300);
  EXPECT_NE(silent.Failure().find("no responde"), std::string::npos) << silent.Failure();
}

}  // namespace
