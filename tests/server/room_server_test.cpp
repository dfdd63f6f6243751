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

  static net::Bytes Registration() {
    auto request = net::RoomWriter(RoomMessage::kRegister);
    request.U32(net::kRoomProtocol);
    net::Whereabouts{{}, {{0x0A00000A, 4000}}}.Write(request);
    return net::Padded(std::move(request));
  }

  net::RoomCode Register(Client& host) {
    Send(host, Registration());
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

  // A joiner let into the room: its member number and secret.
  struct Admitted {
    int member = 0;
    uint64_t secret = 0;
  };
  Admitted Admit(Client& joiner, const net::RoomCode& code) {
    Send(joiner, Find(code));
    net::Bytes answer;
    EXPECT_EQ(Answer(joiner, answer), RoomMessage::kFound);
    net::ByteReader in(answer.data() + 5, answer.size() - 5);
    Admitted admitted;
    admitted.member = in.U8();
    admitted.secret = in.U64();
    return admitted;
  }

  static net::Bytes PairAsk(const net::RoomCode& code, const Admitted& asker,
                            const net::IpPort& other) {
    auto ask = net::RoomWriter(RoomMessage::kPairAsk);
    net::RoomTicket{{}, code, asker.member, asker.secret}.Write(ask);
    net::WriteIpPort(ask, other);
    return net::Padded(std::move(ask));
  }

  // The relay port the server gives a joiner for its link with the one at `other`.
  net::IpPort PairRelay(Client& joiner, const net::RoomCode& code, const Admitted& asker,
                        const net::IpPort& other) {
    Send(joiner, PairAsk(code, asker, other));
    net::Bytes answer;
    EXPECT_EQ(Answer(joiner, answer), RoomMessage::kPairRelay);
    net::ByteReader in(answer.data() + 5, answer.size() - 5);
    EXPECT_EQ(net::ReadIpPort(in), other);
    return {kLoopback, in.U16()};
  }

  net::IpPort At(const Client& client) const { return {kLoopback, client.socket->Port()}; }

  // What one side sends through the relay reaches the other from the other's port there.
  void ExpectPassed(Client& from, const net::IpPort& fromSide, Client& to,
                    const net::IpPort& toSide, uint8_t mark) {
    Send(from, net::Bytes(40, mark), &fromSide);
    const auto passed = Await(to);
    ASSERT_TRUE(passed);
    EXPECT_EQ(passed->data, net::Bytes(40, mark));
    EXPECT_EQ(passed->from, toSide);
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
  const auto [member, joinerSecret] = Admit(joiner, code);
  ASSERT_TRUE(Await(host));  // the joiner's arrival

  auto ask = net::RoomWriter(RoomMessage::kRelayAsk);
  net::RoomTicket{{}, code, member, joinerSecret}.Write(ask);
  Send(joiner, net::Padded(std::move(ask)));
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

// Each joiner of a pair whose punch failed asks with the other's address as the host gave it;
// both asks name one link, and it carries the pair's datagrams both ways.
TEST_F(RoomServerTest, RelaysAPairOfJoinersEachAskingWithTheOthersAddress) {
  Client host = NewClient(), first = NewClient(), second = NewClient();
  const net::RoomCode code = Register(host);
  const Admitted a = Admit(first, code), b = Admit(second, code);
  const net::IpPort firstSide = PairRelay(first, code, a, At(second));
  const net::IpPort secondSide = PairRelay(second, code, b, At(first));
  EXPECT_EQ(rooms->RelayLinks(), 1u);
  EXPECT_NE(firstSide, secondSide);

  Send(second, net::RoomWriter(RoomMessage::kPunch).Data(), &secondSide);
  EXPECT_FALSE(Await(first, 100));  // opening a side passes nothing on
  ASSERT_NO_FATAL_FAILURE(ExpectPassed(first, firstSide, second, secondSide, 4));
  ASSERT_NO_FATAL_FAILURE(ExpectPassed(second, secondSide, first, firstSide, 5));

  Send(first, PairAsk(code, a, {kLoopback, 1}));
  EXPECT_NE(Refusal(first).find("no está en la sala"), std::string::npos)
      << "a port nobody has, on the address every member shares";
  Send(first, PairAsk(code, a, At(first)));
  EXPECT_NE(Refusal(first).find("no está en la sala"), std::string::npos) << "not with itself";
  Send(first, PairAsk(code, {a.member, a.secret + 1}, At(second)));
  EXPECT_NE(Refusal(first).find("ya no existe"), std::string::npos) << "not without the secret";
}

// A joiner the host reaches through the relay is known to the others by the host's port there,
// and the relay holds only as many links as it was set to.
TEST_F(RoomServerTest, FindsAJoinerByTheHostsRelayPortAndHoldsTheLinksItWasSetTo) {
  settings.maxRooms = 50;
  SetUp();
  EXPECT_EQ(rooms->RelayCapacity(), 50 / server::kRoomsPerRelayedLink) << "unless told otherwise";
  settings.maxRelays = 2;
  SetUp();
  EXPECT_EQ(rooms->RelayCapacity(), 2u);
  Client host = NewClient(), first = NewClient(), second = NewClient();
  const net::RoomCode code = Register(host);
  const Admitted a = Admit(first, code), b = Admit(second, code);
  auto ask = net::RoomWriter(RoomMessage::kRelayAsk);
  net::RoomTicket{{}, code, b.member, b.secret}.Write(ask);
  Send(second, net::Padded(std::move(ask)));
  ASSERT_TRUE(Await(second));
  for (int arrival = 0; arrival < 2; ++arrival) ASSERT_TRUE(Await(host));
  const auto toHost = Await(host);
  ASSERT_TRUE(toHost);
  net::ByteReader told(toHost->data);
  ASSERT_EQ(net::RoomKind(told), RoomMessage::kRelay);
  EXPECT_EQ(told.U8(), b.member);
  const net::IpPort hostSideOfSecond{kLoopback, told.U16()};

  PairRelay(first, code, a, hostSideOfSecond);
  EXPECT_EQ(rooms->RelayLinks(), 2u);
  auto another = net::RoomWriter(RoomMessage::kRelayAsk);
  net::RoomTicket{{}, code, a.member, a.secret}.Write(another);
  Send(first, net::Padded(std::move(another)));
  EXPECT_NE(Refusal(first).find("no puede retransmitir más"), std::string::npos);
}

// Four machines to a room, and a few rooms to an address: neither a crowd nor one address can
// take what others need.
TEST_F(RoomServerTest, ARoomTakesThreeJoinersAndAnAddressAFewRooms) {
  Client host = NewClient();
  const net::RoomCode code = Register(host);
  std::vector<Client> joiners;
  for (size_t i = 1; i <= server::RoomTable::kMaxJoiners; ++i) {
    joiners.push_back(NewClient());
    EXPECT_EQ(Admit(joiners.back(), code).member, static_cast<int>(i));
  }
  Client late = NewClient();
  Send(late, Find(code));
  EXPECT_NE(Refusal(late).find("está llena"), std::string::npos);

  std::vector<Client> hosts;
  for (size_t i = 1; i < server::RoomTable::kRoomsPerAddress; ++i) {
    hosts.push_back(NewClient());
    Register(hosts.back());
  }
  EXPECT_EQ(rooms->Rooms(), server::RoomTable::kRoomsPerAddress);
  Client greedy = NewClient();
  Send(greedy, Registration());
  EXPECT_NE(Refusal(greedy).find("demasiadas salas"), std::string::npos);
  EXPECT_EQ(rooms->Rooms(), server::RoomTable::kRoomsPerAddress);
}

}  // namespace
