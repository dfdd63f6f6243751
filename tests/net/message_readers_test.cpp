// The readers every message passes: what an honest machine can send is let through whole, and
// anything else (cut short, too long, a frame far from the reader's, another machine's number)
// is refused with a reason. The fuzzing seed corpus of real messages is replayed here too.
#include "net/message_readers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../tools/fuzz/net_inputs.h"
#include "net/lobby.h"

namespace {

using net::Message;

net::ByteWriter Begin(Message kind) {
  net::ByteWriter out;
  out.U8(static_cast<uint8_t>(kind));
  return out;
}

net::Bytes Last(Message kind, int machine, uint32_t firstMissing, int count = 0) {
  net::ByteWriter out = Begin(kind);
  out.U8(machine).U32(firstMissing).U8(count);
  for (int i = 0; i < count; ++i) out.U8(1);
  return out.Take();
}

// Machine 1 of three reads what machine 2 sent while it plays frame 1000.
const net::Arrival kArrival{3, 1, 2, 1000};

bool Accepted(const net::Verdict& verdict) {
  return verdict.empty();
}

TEST(MessageReaders, LastButtonsNameOnlyMachinesAndFramesThatCanBe) {
  net::LastInputs last;
  EXPECT_TRUE(Accepted(net::ReadLastInputs(Last(Message::kDone, 2, 1010, 3), kArrival, last)));
  EXPECT_EQ(last.First(), 1007u);
  // A finish far ahead once asked for gigabytes; another machine's finish wrote into its log.
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDone, 2, 0xffffffffu), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDone, 0, 1010), kArrival, last)));
  // Drops and reports name a third machine only: once a peer dropped itself from frame 1e6.
  EXPECT_TRUE(Accepted(net::ReadLastInputs(Last(Message::kDrop, 0, 1010), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDrop, 2, 1000000), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDrop, 2, 1010), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDrop, 1, 1010), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kLostReport, 3, 1010), kArrival, last)));
  EXPECT_FALSE(Accepted(net::ReadLastInputs(Last(Message::kDrop, 0, 2, 3), kArrival, last)));
  net::Bytes extra = Last(Message::kDone, 2, 1010, 3);
  extra.push_back(0);
  EXPECT_FALSE(Accepted(net::ReadLastInputs(extra, kArrival, last)));
  extra.resize(extra.size() - 2);
  EXPECT_FALSE(Accepted(net::ReadLastInputs(extra, kArrival, last)));

  int machine = -1;
  EXPECT_TRUE(
      Accepted(net::ReadLostQuery(Begin(Message::kLostQuery).U8(0).Take(), kArrival, machine)));
  EXPECT_EQ(machine, 0);
  for (const int named : {1, 2, 3}) {
    EXPECT_FALSE(Accepted(
        net::ReadLostQuery(Begin(Message::kLostQuery).U8(named).Take(), kArrival, machine)))
        << named;
  }
}

TEST(MessageReaders, DigestsAndButtonsComeOnlyForFramesNearThisOne) {
  uint32_t frame = 0;
  uint64_t digest = 0;
  const auto digestAt = [](uint32_t at) { return Begin(Message::kDigest).U32(at).U64(7).Take(); };
  EXPECT_TRUE(Accepted(net::ReadDigest(digestAt(990), kArrival, frame, digest)));
  EXPECT_EQ(digest, 7u);
  // 300,000 of these far ahead once added 26 MB that were never freed.
  EXPECT_FALSE(Accepted(net::ReadDigest(digestAt(30 * 300000), kArrival, frame, digest)));
  EXPECT_TRUE(Accepted(net::ReadDigest(digestAt(990 - 30 * 20), kArrival, frame, digest)))
      << "one held up on a lossy line is no fault of the sender";
  EXPECT_FALSE(Accepted(net::ReadDigest(digestAt(991), kArrival, frame, digest)));
  EXPECT_FALSE(
      Accepted(net::ReadDigest(Begin(Message::kDigest).U32(990).Take(), kArrival, frame, digest)));
  EXPECT_FALSE(
      Accepted(net::ReadDesync(Begin(Message::kDesync).U32(0xfffffff0u).Take(), kArrival, frame)));
  EXPECT_TRUE(Accepted(net::ReadQuit({uint8_t(Message::kQuit)})));
  EXPECT_FALSE(Accepted(net::ReadQuit({uint8_t(Message::kQuit), 0})));

  net::InputsPacket packet;
  const auto inputs = [](uint32_t confirmed, uint32_t first, int run) {
    net::ByteWriter out = Begin(Message::kInputs);
    out.U16(confirmed & 0xffff).U16(first & 0xffff).U8(1).U8(run);
    return out.Take();
  };
  EXPECT_TRUE(Accepted(net::ReadInputs(inputs(1002, 1003, 5), kArrival, 1003, 1003, packet)));
  EXPECT_EQ(packet.first, 1003u);
  EXPECT_EQ(packet.values.size(), 5u);
  EXPECT_FALSE(
      Accepted(net::ReadInputs(inputs(1002, 1003 + 30000, 5), kArrival, 1003, 1003, packet)));
  EXPECT_FALSE(Accepted(net::ReadInputs(inputs(1010, 1003, 5), kArrival, 1003, 1003, packet)));
  EXPECT_FALSE(Accepted(net::ReadInputs(inputs(1002, 1003, 0), kArrival, 1003, 1003, packet)));
}

TEST(MessageReaders, LobbyMessagesHoldOnlyWhatALobbyCanHold) {
  net::HelloMessage hello;
  const auto helloWith = [](int files, int players) {
    net::ByteWriter out = Begin(Message::kHello);
    out.U32(net::kProtocol).Text("1.0").U16(files);
    for (int i = 0; i < files; ++i) out.Text("gfx/a.png").U64(i);
    return out.U8(players).Take();
  };
  EXPECT_TRUE(Accepted(net::ReadHello(helloWith(3, 2), hello)));
  EXPECT_EQ(hello.localPlayers, 2);
  EXPECT_EQ(hello.identity.files.size(), 3u);
  EXPECT_FALSE(Accepted(net::ReadHello(helloWith(3, 0), hello)));
  EXPECT_FALSE(Accepted(net::ReadHello(helloWith(3, 5), hello)));
  EXPECT_FALSE(Accepted(net::ReadHello(helloWith(net::kMaxDataFiles + 1, 1), hello)));

  int me = 0;
  std::vector<net::RosterEntry> roster;
  const auto rosterOf = [](int self, int count) {
    net::ByteWriter out = Begin(Message::kRoster);
    out.U8(self).U8(count);
    for (int m = 0; m < count; ++m) out.U8(1).Text("127.0.0.1");
    return out.Take();
  };
  EXPECT_TRUE(Accepted(net::ReadRoster(rosterOf(2, 3), me, roster)));
  EXPECT_FALSE(Accepted(net::ReadRoster(rosterOf(3, 3), me, roster)));
  EXPECT_FALSE(Accepted(net::ReadRoster(rosterOf(1, 200), me, roster)));

  std::vector<net::PeerEntry> peers;
  const auto peersOf = [](std::vector<int> machines) {
    net::ByteWriter out = Begin(Message::kPeers);
    out.U8(static_cast<uint32_t>(machines.size()));
    for (int m : machines) out.U8(m).Text("127.0.0.1").U16(5000 + m);
    return out.Take();
  };
  EXPECT_TRUE(Accepted(net::ReadPeers(peersOf({1, 2, 3}), 2, peers)));
  EXPECT_EQ(peers.size(), 2u);
  EXPECT_FALSE(Accepted(net::ReadPeers(peersOf({1, 1, 2}), 2, peers)));
  EXPECT_FALSE(Accepted(net::ReadPeers(peersOf({1, 3}), 2, peers)));

  int machine = 0;
  EXPECT_TRUE(Accepted(net::ReadMeet(Begin(Message::kMeet).U8(3).Take(), 2, machine)));
  EXPECT_FALSE(Accepted(net::ReadMeet(Begin(Message::kMeet).U8(1).Take(), 2, machine)));
}

// The host once played the whole delay and sent its low byte; now the delay is capped by the
// slowest line allowed and travels whole.
TEST(MessageReaders, TheInputDelayTravelsWholeAndStaysWithinTheSlowestLineAllowed) {
  EXPECT_EQ(net::InputDelayFor(net::kLongestRoundTripMs), net::kMaxInputDelay);
  EXPECT_TRUE(net::SlowLine(net::kLongestRoundTripMs).empty());
  EXPECT_EQ(net::SlowLine(4000),
            "La línea es demasiado lenta: ida y vuelta de 4000 ms, el límite es 1000 ms");
  net::MatchSetup setup;
  setup.machines = net::AssignSeats({1, 1}, 2);
  for (const int delay : {net::kMaxInputDelay, net::kMaxInputDelay + 1, 258}) {
    setup.inputDelay = delay;
    net::ByteWriter out = Begin(Message::kStart);
    setup.Write(out);
    net::MatchSetup read;
    const bool accepted = Accepted(net::ReadStart(out.Data(), 1, read));
    EXPECT_EQ(accepted, delay <= net::kMaxInputDelay) << delay;
    if (accepted) {
      EXPECT_EQ(read.inputDelay, delay);
    }
  }
}

TEST(PrintableText, EscapesAndBrokenCharactersBecomeQuestionMarks) {
  EXPECT_EQ(net::Printable("versión 1.0 ¿está?"), "versión 1.0 ¿está?");
  EXPECT_EQ(net::Printable("\x1b]0;owned\x07\x1b[2J"), "?]0;owned??[2J");
  EXPECT_EQ(net::Printable("a\rb\nc\x7f"), "a?b?c?");
  EXPECT_EQ(net::Printable("\xc2\x9b"
                           "31m"),
            "?31m");                            // the one-byte CSI of C1
  EXPECT_EQ(net::Printable("\xc3"), "?");       // cut short
  EXPECT_EQ(net::Printable("\xc0\xaf"), "??");  // an overlong '/'
  EXPECT_EQ(net::Printable("\xe2\x80\xae"
                           "abc"),
            "?abc");  // right-to-left override
  net::ByteWriter out;
  out.Text("\x1b[31mrojo");
  net::ByteReader in(out.Data());
  EXPECT_EQ(in.Text(), "?[31mrojo");
}

TEST(MessageCorpus, EveryRealMessageIsReadAsTheFuzzTargetReadsIt) {
  const std::filesystem::path folder =
      std::filesystem::path(SKULL_SOURCE_DIR) / "tests" / "formats_corpus" / "net";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    SCOPED_TRACE(entry.path().string());
    FeedNetInput(bytes.data(), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 40);
}

}  // namespace
