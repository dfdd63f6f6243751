// What travels between machines: buttons as runs from the first frame the receiver lacks, the
// match set-up, addresses, and the identity a joiner is checked by.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "net/address.h"
#include "net/identity.h"
#include "net/input_log.h"
#include "net/lobby.h"
#include "net/match_setup.h"
#include "support/temp_folder.h"

namespace {

net::Bytes Encoded(const net::InputLog& log, uint32_t from) {
  net::ByteWriter out;
  net::EncodeFrom(log, from, out);
  return out.Take();
}

bool Decode(const net::Bytes& bytes, net::InputLog& log) {
  net::ByteReader in(bytes);
  uint32_t first = 0;
  std::vector<uint8_t> values;
  if (!net::DecodeRuns(in, log.Known(), first, values)) return false;
  log.Add(first, values);
  return true;
}

net::InputLog LogOf(uint32_t frames, uint8_t (*value)(uint32_t)) {
  net::InputLog log;
  for (uint32_t frame = 0; frame < frames; ++frame) log.Set(frame, value(frame));
  return log;
}

TEST(InputPackets, AReceiverThatMissedFramesGetsThemAllFromTheFirstItLacks) {
  const net::InputLog sender =
      LogOf(40, [](uint32_t f) { return uint8_t(f / 7 % 2 | 0x10 * (f == 9)); });
  net::InputLog receiver;
  for (uint32_t frame = 0; frame < 8; ++frame) receiver.Set(frame, sender.At(frame));
  receiver.Set(30, sender.At(30));  // a frame beyond a gap does not count as known
  EXPECT_EQ(receiver.Known(), 8u);

  ASSERT_TRUE(Decode(Encoded(sender, receiver.Known()), receiver));
  EXPECT_EQ(receiver.Known(), 40u);
  for (uint32_t frame = 0; frame < 40; ++frame) EXPECT_EQ(receiver.At(frame), sender.At(frame));
  // Constant stretches travel as one run each: four bytes for a whole second of one value.
  EXPECT_EQ(Encoded(LogOf(60, [](uint32_t) { return uint8_t(1); }), 0).size(), 2u + 2u);
  // Nothing new is still a packet: it says where the sender stands.
  EXPECT_EQ(Encoded(sender, 40).size(), 2u);
}

TEST(InputPackets, FrameNumbersCrossTheSixteenBitWrap) {
  const uint32_t base = 65530;
  net::InputLog sender = LogOf(base, [](uint32_t) { return uint8_t(0); });
  for (uint32_t frame = base; frame < base + 12; ++frame) sender.Set(frame, frame % 3 == 0);
  net::InputLog receiver = LogOf(base, [](uint32_t) { return uint8_t(0); });
  ASSERT_TRUE(Decode(Encoded(sender, base), receiver));
  EXPECT_EQ(receiver.Known(), base + 12);
  EXPECT_EQ(receiver.At(65538), 1);
  EXPECT_EQ(net::NearestFrame(2, 65534), 65538u);
  EXPECT_EQ(net::NearestFrame(65534, 65538), 65534u);
  EXPECT_EQ(net::NearestFrame(5, 3), 5u);
}

TEST(InputPackets, MalformedPacketsAddNothing) {
  net::InputLog log;
  const net::Bytes bad[] = {
      {},              // no frame number
      {0, 0, 1},       // a value without its run
      {0, 0, 1, 0},    // a run of no frames
      {0, 0, 1, 200},  // more frames than a packet may carry
  };
  for (const net::Bytes& bytes : bad) EXPECT_FALSE(Decode(bytes, log));
  EXPECT_EQ(log.Known(), 0u);
  EXPECT_FALSE(log.Has(0));
}

TEST(MatchSetup, SeatsGoToTheHostFirstThenToEachJoinerInOrder) {
  const auto seats = net::AssignSeats({2, 1, 3}, 4);
  ASSERT_EQ(seats.size(), 3u);
  EXPECT_EQ(seats[0].firstSeat, 0);
  EXPECT_EQ(seats[0].count, 2);
  EXPECT_EQ(seats[1].firstSeat, 2);
  EXPECT_EQ(seats[1].count, 1);
  EXPECT_EQ(seats[2].firstSeat, 3);
  EXPECT_EQ(seats[2].count, 1);  // only one of its three fits

  net::MatchSetup setup;
  setup.seed = -12345;
  setup.level = 2;
  setup.players = 4;
  setup.inputDelay = 3;
  setup.lockstep = true;
  setup.machines = seats;
  net::ByteWriter out;
  setup.Write(out);
  net::MatchSetup read;
  net::ByteReader in(out.Data());
  ASSERT_TRUE(read.Read(in));
  EXPECT_EQ(read.seed, -12345);
  EXPECT_TRUE(read.lockstep);
  EXPECT_EQ(read.MachineOfSeat(3), 2);
  EXPECT_EQ(read.MachineOfSeat(1), 0);

  // The way of playing the frames is one of two; a byte that names neither is no match.
  constexpr size_t kModeByte = 8;
  net::Bytes unknownMode = out.Data();
  unknownMode[kModeByte] = 2;
  net::ByteReader unknown(unknownMode);
  EXPECT_FALSE(net::MatchSetup().Read(unknown));

  // Seats that overlap or leave a gap, or a level that does not exist, are no match.
  for (const auto& broken : {std::vector<uint8_t>{0, 0, 0, 0, 0, 2, 2, 2, 0, 1, 0, 1},
                             std::vector<uint8_t>{0, 0, 0, 0, 5, 2, 2, 2, 0, 1, 1, 1}}) {
    net::ByteReader bytes(broken);
    EXPECT_FALSE(net::MatchSetup().Read(bytes));
  }
}

TEST(Addresses, HostAndPortAreReadAsTyped) {
  const auto plain = net::ParseAddress("example.org");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->host, "example.org");
  EXPECT_EQ(plain->port, net::kDefaultPort);
  const auto withPort = net::ParseAddress("192.168.1.20:4000");
  ASSERT_TRUE(withPort);
  EXPECT_EQ(withPort->port, 4000);
  for (const char* bad : {"", ":4000", "host:", "host:0", "host:70000", "host:12x", "::1"}) {
    EXPECT_FALSE(net::ParseAddress(bad)) << bad;
  }
  EXPECT_FALSE(net::ParsePort("0"));
  EXPECT_EQ(net::ParsePort("0", true), 0);
}

TEST(InputDelay, TwoFramesOnAFastLineAndEnoughToCrossASlowOne) {
  EXPECT_EQ(net::InputDelayFor(0), 2);
  EXPECT_EQ(net::InputDelayFor(1.5), 2);
  EXPECT_EQ(net::InputDelayFor(60), 3);  // 30 ms each way: two frames would not do
  EXPECT_EQ(net::InputDelayFor(200), 7);
}

class Identities : public ::testing::Test {
 protected:
  void TearDown() override { net::PretendVersion(""); }
  TempFolder folder;
};

TEST_F(Identities, AnotherVersionOrOtherDataIsRefusedByName) {
  TempFolder::WriteText("anim/animchr.vba", "bones");
  TempFolder::WriteText("gfx/chr0.vgp", "graphs");
  const net::Identity host = net::LocalIdentity();
  ASSERT_EQ(host.files.size(), 2u);
  EXPECT_EQ(net::Refusal(host, net::LocalIdentity()), "");

  TempFolder::WriteText("gfx/chr0.vgp", "other graphs");
  TempFolder::WriteText("gfx/extra.png", "more");
  EXPECT_EQ(net::Refusal(host, net::LocalIdentity()),
            "archivos de datos distintos: gfx/chr0.vgp gfx/extra.png");

  net::PretendVersion("0.1");
  const std::string refusal = net::Refusal(host, net::LocalIdentity());
  EXPECT_NE(refusal.find("versión distinta"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("0.1"), std::string::npos) << refusal;

  // The identity survives the trip, whatever order the files were listed in.
  net::ByteWriter out;
  host.Write(out);
  net::ByteReader in(out.Data());
  net::Identity read;
  ASSERT_TRUE(net::Identity::Read(in, read));
  EXPECT_EQ(read.version, host.version);
  EXPECT_EQ(read.files, host.files);
}

}  // namespace
