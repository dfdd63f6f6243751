// The room server over real sockets on the loopback: what it answers, what it refuses and why,
// that no answer to a stranger is longer than the request, and the relay.
#include "server/room_server.h"

#include <gtest/gtest.h>

#include <random>

#include "net/endpoint.h"

namespace {

using net::RoomMessage;

constexpr uint32_t kLoopback = 0x0100007F;  // 127.0.0.1 in network order

class RoomServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    settings.port = 0;
    rooms = server::RoomServer::Open(settings, error);
    ASSERT_NE(rooms, nullptr) << error;
    address = {kLoopback, rooms->Port()};
  }

  struct Client {
    std::unique_ptr<net::DatagramSocket> socket;
    size_t sentSize = 0;
  };

  Client NewClient() {
    std::string error;
    Client client{net::DatagramSocket::Open(0, error)};
    EXPECT_NE(client.socket, nullptr) << error;
    return client;
  }

  void Send(Client& client, const net::Bytes& bytes, const net::IpPort* to = nullptr) {
    client.sentSize = bytes.size();
    client.socket->Send(to ? *to : address, bytes);
  }

  // The next datagram for the client, the server served meanwhile; nothing within a second.
  std::optional<net::Datagram> Await(Client& client, double limitMs = 1000) {
    const double end = net::NowMs() + limitMs;
    while (net::NowMs() < end) {
      rooms->Serve(5);
      if (auto datagram = client.socket->Receive()) return datagram;
    }
    return std::nullopt;
  }

  // The answer's kind, its reader left after it; the answer is never longer than the request.
  RoomMessage Answer(Client& client, net::Bytes& answer) {
    auto datagram = Await(client);
    if (!datagram) return RoomMessage{};
    answer = datagram->data;
    EXPECT_LE(answer.size(), client.sentSize);
    net::ByteReader in(answer);
    return net::RoomKind(in).value_or(RoomMessage{});
  }

  std::string Refusal(Client& client) {
    net::Bytes answer;
    if (Answer(client, answer) != RoomMessage::kRefused) return "(no refusal)";
    net::ByteReader in(answer.data() + 5, answer.size() - 5);
    return in.Text();
  }

  net::RoomCode Register(Client& host) {
    auto request = net::RoomWriter(RoomMessage::kRegister);
    request.U32(net::kRoomProtocol);
    net::Whereabouts{{}, {{0x0A00000A, 4000}}}.Write(request);
    Send(host, net::Padded(std::move(request)));
    net::Bytes answer;
    EXPECT_EQ(Answer(host, answer), RoomMessage::kRoom);
    net::ByteReader in(answer.data() + 5, answer.size() - 5);
    const net::RoomCode code = net::ReadCode(in);
    secret = in.U64();
    return code;
  }

  net::Bytes Find(const net::RoomCode& code, uint32_t protocol = net::kRoomProtocol) {
    auto request = net::RoomWriter(RoomMessage::kFind);
    request.U32(protocol);
    net::WriteCode(request, code);
    net::Whereabouts{}.Write(request);
    return net::Padded(std::move(request));
  }

  server::ServerSettings settings;
  std::unique_ptr<server::RoomServer> rooms;
  net::IpPort address;
  uint64_t secret = 0;
};

TEST_F(RoomServerTest, AJoinerByCodeLearnsWhereTheHostIsAndTheHostHearsOfIt) {
  Client host = NewClient(), joiner = NewClient();
  const net::RoomCode code = Register(host);
  EXPECT_TRUE(net::ParseRoomCode(net::CodeText(code))) << net::CodeText(code);
  EXPECT_EQ(rooms->Rooms(), 1u);

  Send(joiner, Find(code));
  net::Bytes answer;
  ASSERT_EQ(Answer(joiner, answer), RoomMessage::kFound);
  net::ByteReader in(answer.data() + 5, answer.size() - 5);
  EXPECT_EQ(in.U8(), 1);
  in.U64();
  net::Whereabouts where;
  ASSERT_TRUE(where.Read(in));
  EXPECT_EQ(where.seen, (net::IpPort{kLoopback, host.socket->Port()}));
  ASSERT_EQ(where.local.size(), 1u);
  EXPECT_EQ(where.local[0].port, 4000);

  const auto incoming = Await(host);
  ASSERT_TRUE(incoming);
  net::ByteReader told(incoming->data);
  ASSERT_EQ(net::RoomKind(told), RoomMessage::kIncoming);
  EXPECT_EQ(told.U8(), 1);
  ASSERT_TRUE(where.Read(told));
  EXPECT_EQ(where.seen, (net::IpPort{kLoopback, joiner.socket->Port()}));
}

TEST_F(RoomServerTest, WrongClosedAndForeignRequestsAreRefusedWithAReason) {
  Client host = NewClient(), joiner = NewClient();
  const net::RoomCode code = Register(host);
  Send(joiner, Find(*net::ParseRoomCode(code[0] == 'A' ? "BBBB" : "AAAA")));
  EXPECT_NE(Refusal(joiner).find("No hay ninguna sala"), std::string::npos);
  Send(joiner, Find(code, net::kRoomProtocol + 1));
  EXPECT_NE(Refusal(joiner).find("otra versión"), std::string::npos);

  auto leave = net::RoomWriter(RoomMessage::kLeave);
  net::WriteCode(leave, code);
  Send(host, leave.U64(secret).Data());
  Send(joiner, Find(code));
  EXPECT_NE(Refusal(joiner).find("No hay ninguna sala " + net::CodeText(code)), std::string::npos);
}

TEST_F(RoomServerTest, AfterTenWrongCodesAMinuteEvenTheRightOneIsRefused) {
  Client host = NewClient(), guesser = NewClient();
  const net::RoomCode code = Register(host);
  const net::RoomCode wrong = *net::ParseRoomCode(code[0] == 'A' ? "BBBB" : "AAAA");
  for (int i = 0; i < server::WrongCodes::kPerMinute; ++i) {
    Send(guesser, Find(wrong));
    ASSERT_NE(Refusal(guesser).find("No hay ninguna sala"), std::string::npos);
  }
  Send(guesser, Find(code));
  EXPECT_NE(Refusal(guesser).find("Demasiados"), std::string::npos);
}

TEST_F(RoomServerTest, ShortOrGarbledDatagramsGetNoAnswer) {
  Client stranger = NewClient();
  auto request = net::RoomWriter(RoomMessage::kRegister);
  request.U32(net::kRoomProtocol);
  net::Whereabouts{}.Write(request);
  Send(stranger, request.Data());  // not padded: answering would amplify
  EXPECT_FALSE(Await(stranger, 200));

  std::mt19937 random(5);
  for (int i = 0; i < 2000; ++i) {
    net::Bytes junk = net::Padded(net::RoomWriter(static_cast<RoomMessage>(1 + i % 12)));
    junk.resize(random() % 300);
    for (size_t b = 5; b < junk.size(); ++b) junk[b] = static_cast<uint8_t>(random());
    Send(stranger, junk);
    rooms->Serve(0);
    while (auto answer = stranger.socket->Receive()) EXPECT_LE(answer->data.size(), junk.size());
  }
  EXPECT_LE(rooms->Rooms(), 2000u);
}

TEST_F(RoomServerTest, RelaysAJoinersLinkWithinTheRoomsShare) {
  settings.relayKbps = 80;  // ten bytes a millisecond
  SetUp();
  Client host = NewClient(), joiner = NewClient();
  const net::RoomCode code = Register(host);
  Send(joiner, Find(code));
  net::Bytes answer;
  ASSERT_EQ(Answer(joiner, answer), RoomMessage::kFound);
  net::ByteReader in(answer.data() + 5, answer.size() - 5);
  const int member = in.U8();
  const uint64_t joinerSecret = in.U64();
  ASSERT_TRUE(Await(host));  // the joiner's arrival

  auto ask = net::RoomWriter(RoomMessage::kRelayAsk);
  net::WriteCode(ask, code);
  Send(joiner, net::Padded(std::move(ask.U8(member).U64(joinerSecret))));
  const auto relayPort = [&](Client& client) {
    const auto datagram = Await(client);
    const net::Bytes data = datagram ? datagram->data : net::Bytes{};
    net::ByteReader told(data);
    EXPECT_EQ(net::RoomKind(told), RoomMessage::kRelay);
    EXPECT_EQ(told.U8(), member);
    return net::IpPort{kLoopback, told.U16()};
  };
  const net::IpPort joinerSide = relayPort(joiner), hostSide = relayPort(host);
  EXPECT_EQ(rooms->RelayLinks(), 1u);

  // The host opens its side; then the joiner's datagrams reach it and its answers come back.
  Send(host, net::RoomWriter(RoomMessage::kPunch).Data(), &hostSide);
  EXPECT_FALSE(Await(host, 100));  // opening a side passes nothing on
  Send(joiner, net::Bytes(100, 1), &joinerSide);
  auto passed = Await(host);
  ASSERT_TRUE(passed);
  EXPECT_EQ(passed->data, net::Bytes(100, 1));
  EXPECT_EQ(passed->from, hostSide);
  Send(host, net::Bytes(50, 2), &hostSide);
  passed = Await(joiner);
  ASSERT_TRUE(passed);
  EXPECT_EQ(passed->data, net::Bytes(50, 2));

  // A burst beyond a second's share is cut.
  int through = 0;
  for (int i = 0; i < 40; ++i) Send(joiner, net::Bytes(1000, 3), &joinerSide);
  while (Await(host, 200)) ++through;
  EXPECT_GE(through, 5);
  EXPECT_LE(through, 15);
}

}  // namespace
