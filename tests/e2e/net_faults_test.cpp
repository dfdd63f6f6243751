// What goes wrong between machines, through headless runners on this machine: a joiner that dies
// in the middle of a match, a joiner of another version or with other data, and a machine whose
// state drifts. Nothing hangs, and every machine says what happened.
#include <gtest/gtest.h>

#include "entities/jugador.h"
#include "net/snapshot_ring.h"
#include "net_runners.h"

namespace {

using namespace e2e;

// Frames a machine may play while the last inputs and the digest are on their way: a few, and the
// frames it may play ahead of the others' buttons, which may themselves be as far ahead of its own
// when the other machine confirms the frame of the digest.
constexpr size_t kFramesInFlight = 8 + 2 * net::kMostFramesAhead;

class NetFaults : public ::testing::Test {
 protected:
  // A host listening on a free port and the joiner joining it, neither with a script.
  void StartBoth(std::vector<std::string> joinerOptions = {}) {
    host.Start("", {"--host", "0"});
    const std::string port = host.HostPort();
    ASSERT_FALSE(port.empty()) << host.Output();
    joinerOptions.insert(joinerOptions.begin(), {"--join", "127.0.0.1:" + port});
    joiner.Start("", joinerOptions);
  }

  ScratchFolder root;
  Runner host{root.Path(), "host"};
  Runner joiner{root.Path(), "joiner"};
};

// The host waits with the sign, then takes the dead joiner's player out of play after ten seconds
// without a word from it, and its own player wins.
TEST_F(NetFaults, AJoinerKilledMidMatchLeavesTheHostToFinish) {
  host.Start(Press(120000, kKeyEnter, 50), {"--host", "0"}, 200);
  const std::string port = host.HostPort();
  ASSERT_FALSE(port.empty()) << host.Output();
  joiner.Start("", {"--join", "127.0.0.1:" + port}, 200);
  ASSERT_FALSE(AwaitLine(joiner.Folder() / "trace.jsonl", R"(("frame": 120,))").empty());
  joiner.Kill();
  ASSERT_EQ(host.Finish(), 0) << host.Output();

  const std::string output = host.Output();
  EXPECT_NE(output.find("Esperando a JUGADOR 2..."), std::string::npos) << output;
  EXPECT_NE(output.find("JUGADOR 2 ha perdido la conexión"), std::string::npos) << output;
  EXPECT_NE(host.RawTrace().find(R"("waiting": [2])"), std::string::npos);
  const auto frames = host.Frames();
  ASSERT_FALSE(frames.empty());
  EXPECT_GE(FirstFrameIn(frames, 1, kDead), 120);
  EXPECT_NE(frames.back().states.at(0), kDead);
}

// With three machines the two left must agree on the frame from which the dead one's player is
// out, though each stopped where its own buttons from it ran out; they play on to the end.
TEST_F(NetFaults, TheMachinesLeftAgreeWhenTheDeadOnesPlayerLeavesPlay) {
  Runner second{root.Path(), "second"};
  const std::string leaveTheWinner = Press(600000, kKeyEnter, 50);
  host.Start(leaveTheWinner, {"--host", "0", "--match", "0:3"}, 900);
  const std::string port = host.HostPort();
  ASSERT_FALSE(port.empty()) << host.Output();
  joiner.Start(leaveTheWinner, {"--join", "127.0.0.1:" + port}, 900);
  ASSERT_FALSE(AwaitLine(host.Out(), "Se ha unido").empty());
  second.Start("", {"--join", "127.0.0.1:" + port}, 200);
  ASSERT_FALSE(AwaitLine(second.Folder() / "trace.jsonl", R"(("frame": 120,))").empty());
  second.Kill();
  ASSERT_EQ(host.Finish(), 0) << host.Output();
  ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();

  const auto hostFrames = host.Confirmed();
  const auto joinerFrames = joiner.Confirmed();
  ASSERT_EQ(hostFrames.size(), joinerFrames.size());
  ExpectSameFrames(hostFrames, joinerFrames, hostFrames.size());
  EXPECT_GE(FirstFrameIn(hostFrames, 2, kDead), 120);
  for (Runner* runner : {&host, &joiner}) {
    EXPECT_NE(runner->Output().find("JUGADOR 3 ha perdido la conexión"), std::string::npos)
        << runner->Output();
  }
}

TEST_F(NetFaults, AJoinerOfAnotherVersionIsRefusedAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(StartBoth({"--pretend-version", "0.0.1"}));
  EXPECT_EQ(joiner.Finish(), 3) << joiner.Output();
  const std::string said = joiner.Output();
  EXPECT_NE(said.find("versión distinta: el anfitrión tiene la "), std::string::npos) << said;
  EXPECT_NE(said.find("y este equipo la 0.0.1"), std::string::npos) << said;
  // The host goes on waiting for someone it can play with, and says whom it turned away.
  EXPECT_FALSE(AwaitLine(host.Out(), "No se admite a 127.0.0.1").empty()) << host.Output();
  EXPECT_EQ(host.Finish(1s), -1);
}

TEST_F(NetFaults, AJoinerWithOtherDataIsRefusedAndSaysWhichFiles) {
  WriteSolidPng((joiner.Folder() / "gfx" / "sombra.png").string(), 0xFF102030u);
  ASSERT_NO_FATAL_FAILURE(StartBoth());
  EXPECT_EQ(joiner.Finish(), 3) << joiner.Output();
  EXPECT_NE(joiner.Output().find("archivos de datos distintos: gfx/sombra.png"), std::string::npos)
      << joiner.Output();
  EXPECT_EQ(host.Finish(1s), -1);
}

TEST_F(NetFaults, NobodyAnsweringEndsTheJoinWithAMessage) {
  joiner.Start("", {"--join", "127.0.0.1:9"});
  EXPECT_EQ(joiner.Finish(), 3) << joiner.Output();
  EXPECT_NE(joiner.Output().find("Nadie responde en 127.0.0.1:9"), std::string::npos)
      << joiner.Output();
}

// The joiner's clock is pushed a millisecond ahead after frame 40: the digests of frame 60 differ
// and both machines end the match, say so and leave a log beside their settings. A machine may
// play on until the other's digest comes, at most the input delay, the frames it may play ahead
// and a few frames in flight.
TEST_F(NetFaults, AForcedDesyncEndsTheMatchOnEveryMachine) {
  ASSERT_NO_FATAL_FAILURE(StartBoth({"--nudge-after", "40"}));
  for (Runner* runner : {&host, &joiner}) {
    ASSERT_EQ(runner->Finish(), 0) << runner->Output();
    EXPECT_NE(runner->Output().find("Partida desincronizada"), std::string::npos)
        << runner->Output();
    const std::string log = ReadFile(runner->Folder() / "desync.log");
    EXPECT_NE(log.find("Partida desincronizada en el fotograma 60"), std::string::npos) << log;
    EXPECT_FALSE(std::regex_search(log, std::regex(R"(\n\d+( [0-9a-f]{2})* --)")))
        << "only confirmed buttons are logged\n"
        << log;
    const auto frames = runner->Frames();
    ASSERT_GT(frames.size(), 40u);
    const int inputDelay = ReadSetUp(*runner).inputDelay;
    ASSERT_GE(inputDelay, 1) << runner->Output();
    EXPECT_LE(frames.size(), 60u + static_cast<size_t>(inputDelay) + kFramesInFlight);
  }
}

}  // namespace
