// Machines that stop in ways a player's machine does: ended by a signal, suspended for longer
// than the others wait, or dead in the lobby before the start. The others hear why, nobody is
// taken out wrongly, and every machine ends with the same verdict.
#include <gtest/gtest.h>
#include <signal.h>

#include "net_runners.h"

namespace {

using namespace e2e;

class NetSession : public ::testing::Test {
 protected:
  // A host (of `players`) and the joiner, both leaving the winner at two minutes.
  void StartBoth(int players = 2) {
    host.Start(Press(120000, kKeyEnter, 50),
               {"--host", "0", "--match", "0:" + std::to_string(players)}, 200);
    port = host.HostPort();
    ASSERT_FALSE(port.empty()) << host.Output();
    joiner.Start(Press(120000, kKeyEnter, 50), {"--join", "127.0.0.1:" + port}, 200);
  }

  ScratchFolder root;
  Runner host{root.Path(), "host"};
  Runner joiner{root.Path(), "joiner"};
  std::string port;
};

TEST_F(NetSession, ASignalInAMatchEndsItPolitelyForTheOthers) {
  ASSERT_NO_FATAL_FAILURE(StartBoth());
  ASSERT_FALSE(AwaitLine(joiner.Folder() / "trace.jsonl", R"(("frame": 30,))").empty());
  joiner.Signal(SIGTERM);
  joiner.Finish();
  ASSERT_EQ(host.Finish(), 0) << host.Output();
  EXPECT_NE(host.Output().find("JUGADOR 2 ha terminado la partida"), std::string::npos)
      << host.Output();
}

TEST_F(NetSession, ASignalInTheLobbyTellsTheJoinersTheHostClosed) {
  ASSERT_NO_FATAL_FAILURE(StartBoth(3));
  ASSERT_FALSE(AwaitLine(host.Out(), "Se ha unido").empty()) << host.Output();
  host.Signal(SIGINT);
  EXPECT_EQ(joiner.Finish(), 3) << joiner.Output();
  EXPECT_NE(joiner.Output().find("El anfitrión ha cerrado la partida"), std::string::npos)
      << joiner.Output();
  host.Finish();
}

// Suspended past the others' patience, the joiner wakes to find it was taken out, and says so
// instead of taking the host out in turn.
TEST_F(NetSession, AMachineSuspendedTooLongFindsItWasLeftBehind) {
  ASSERT_NO_FATAL_FAILURE(StartBoth());
  ASSERT_FALSE(AwaitLine(joiner.Folder() / "trace.jsonl", R"(("frame": 60,))").empty());
  joiner.Signal(SIGSTOP);
  const bool dropped = !AwaitLine(host.Out(), "JUGADOR 2 ha perdido la conexión").empty();
  joiner.Signal(SIGCONT);
  ASSERT_TRUE(dropped) << host.Output();
  ASSERT_EQ(host.Finish(), 0) << host.Output();
  ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();
  EXPECT_NE(joiner.Output().find("Te has quedado atrás"), std::string::npos) << joiner.Output();
  EXPECT_EQ(joiner.Output().find("JUGADOR 1 ha perdido la conexión"), std::string::npos)
      << joiner.Output();
}

// A joiner killed in the lobby does not take the start down with it: the host starts without it
// once it is found silent, and the others play.
TEST_F(NetSession, AMachineDeadInTheLobbyDoesNotFailTheStart) {
  ASSERT_NO_FATAL_FAILURE(StartBoth(3));
  ASSERT_FALSE(AwaitLine(host.Out(), "Se ha unido").empty()) << host.Output();
  joiner.Kill();
  Runner second{root.Path(), "second"};
  Runner third{root.Path(), "third"};
  second.Start(Press(120000, kKeyEnter, 50), {"--join", "127.0.0.1:" + port}, 200);
  ASSERT_FALSE(AwaitLine(host.Out(), "Se ha ido").empty()) << host.Output();
  third.Start(Press(120000, kKeyEnter, 50), {"--join", "127.0.0.1:" + port}, 200);
  ASSERT_EQ(host.Finish(), 0) << host.Output();
  for (Runner* runner : {&second, &third}) {
    EXPECT_EQ(runner->Finish(), 0) << runner->Output();
    EXPECT_NE(runner->Output().find("Partida en red"), std::string::npos) << runner->Output();
  }
}

}  // namespace
