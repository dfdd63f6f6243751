// Whole network matches between headless runners on this machine, each with its own scripted
// buttons: every machine confirms the same frames, and a press on one machine shows there the
// input delay after it was made and in the same frame of every machine's confirmed play; directly
// and through a lossy, slow line, rolling back by default and in lockstep.
#include <gtest/gtest.h>

#include "entities/jugador.h"
#include "net_runners.h"

namespace {

using namespace e2e;

// The frame in which a press made at virtual `ms` is first seen: the frame after the first one
// presented at or after `ms` samples it, and plays it the input delay later.
int FrameOfPress(const std::vector<NetFrame>& frames, int ms, int inputDelay) {
  for (size_t frame = 0; frame < frames.size(); ++frame) {
    if (frames[frame].t >= ms) return static_cast<int>(frame) + 1 + inputDelay;
  }
  return -1;
}

std::vector<std::string> With(std::vector<std::string> args, bool lockstep) {
  if (lockstep) args.push_back("--lockstep");
  return args;
}

// The delay and the way of playing the host chose, as every machine was told: one frame when
// rolling back; in lockstep it depends on how busy the machine was while it measured (the figure
// on a quiet loopback is bench_netplay's).
void ExpectDelayOfMode(const Played& played, bool lockstep, const std::string& output) {
  if (lockstep) {
    EXPECT_GE(played.inputDelay, 2) << output;
    EXPECT_NE(output.find("fotogramas, cada fotograma espera a todos;"), std::string::npos)
        << output;
  } else {
    EXPECT_EQ(played.inputDelay, 1) << output;
    EXPECT_NE(output.find("fotogramas, con vuelta atrás;"), std::string::npos) << output;
  }
}

class NetMatch : public ::testing::Test {
 protected:
  // Two machines; the host's player jumps, the joiner's holds its button from the start of the
  // match to the end, sliding into the horde or tripping the host into it: either way one is left.
  // The host's way of playing the frames is the joiner's too.
  void PlayTwo(bool throughRelay, bool lockstep = false) {
    Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
    host.Start(Press(1000, kKeyPlayerOne, 100) + Press(90000, kKeyEnter, 50),
               With({"--host", "0"}, lockstep));
    const std::string port = host.HostPort();
    ASSERT_FALSE(port.empty()) << host.Output();
    std::unique_ptr<Relay> relay;
    if (throughRelay) relay = std::make_unique<Relay>(root.Path(), port, 200);
    const std::string joinPort = relay ? relay->Port() : port;
    joiner.Start(Press(500, kKeyPlayerOne, 0) + Press(90000, kKeyEnter, 50),
                 {"--join", "127.0.0.1:" + joinPort});
    ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();
    ASSERT_EQ(host.Finish(), 0) << host.Output();

    const auto confirmed = host.Confirmed();
    const auto joinerConfirmed = joiner.Confirmed();
    ExpectSameFrames(confirmed, joinerConfirmed,
                     std::max(confirmed.size(), joinerConfirmed.size()));
    ASSERT_GT(confirmed.size(), 100u);
    const auto& last = confirmed.back().states;
    EXPECT_EQ((last.at(0) == kDead) + (last.at(1) == kDead), 1) << confirmed.back().field;

    const Played played = ReadSetUp(host);
    ExpectDelayOfMode(played, lockstep, host.Output());
    ExpectDelayOfMode(ReadSetUp(joiner), lockstep, joiner.Output());
    EXPECT_EQ(ReadSetUp(joiner).inputDelay, played.inputDelay);
    const auto shown = host.Frames();
    if (lockstep) {
      ExpectSameFrames(shown, confirmed, confirmed.size());
      ExpectSameFrames(joiner.Frames(), joinerConfirmed, joinerConfirmed.size());
    }
    // That the press waits exactly the delay is the point.
    const int crouch = FirstFrameIn(shown, 0, kCrouch);
    EXPECT_EQ(crouch, FrameOfPress(shown, 1000, played.inputDelay));
    EXPECT_EQ(crouch, FirstFrameIn(confirmed, 0, kCrouch));
    EXPECT_EQ(crouch, FirstFrameIn(joinerConfirmed, 0, kCrouch));
  }

  // Four machines, each jumping once at its own time; the third leaves with Escape, which ends
  // the match everywhere.
  void PlayFour(bool throughRelay) {
    std::vector<std::unique_ptr<Runner>> runners;
    for (int m = 0; m < 4; ++m) {
      runners.push_back(std::make_unique<Runner>(root.Path(), "machine" + std::to_string(m)));
    }
    const auto script = [](int m) {
      return Press(1500 + 700 * m, kKeyPlayerOne, 100) +
             (m == 2 ? Press(7000, kKeyEscape, 100) : "");
    };
    runners[0]->Start(script(0), {"--host", "0", "--match", "1:4"});
    const std::string port = runners[0]->HostPort();
    ASSERT_FALSE(port.empty()) << runners[0]->Output();
    std::unique_ptr<Relay> relay;
    if (throughRelay) relay = std::make_unique<Relay>(root.Path(), port, 200);
    const std::string joinPort = relay ? relay->Port() : port;
    for (int m = 1; m < 4; ++m) runners[m]->Start(script(m), {"--join", "127.0.0.1:" + joinPort});
    // Every machine's words, and the line's, when any of them fails.
    for (const auto& runner : runners) EXPECT_EQ(runner->Finish(), 0) << runner->Output();
    if (HasFailure()) {
      for (const auto& runner : runners) ADD_FAILURE() << runner->Output();
      if (relay) ADD_FAILURE() << relay->Output();
      return;
    }

    std::vector<Played> played;
    std::vector<std::vector<NetFrame>> confirmed;
    size_t common = SIZE_MAX;
    for (const auto& runner : runners) {
      played.push_back(ReadSetUp(*runner));
      ExpectDelayOfMode(played.back(), false, runner->Output());
      confirmed.push_back(runner->Confirmed());
      common = std::min(common, confirmed.back().size());
    }
    ASSERT_GT(common, 100u);
    for (int m = 1; m < 4; ++m) ExpectSameFrames(confirmed[0], confirmed[m], common);
    if (HasFailure())
      for (const auto& runner : runners) ADD_FAILURE() << runner->Errors();
    const int leaver = played[2].seat + 1;
    for (int m : {0, 1, 3}) {
      EXPECT_NE(runners[m]->Output().find("JUGADOR " + std::to_string(leaver) +
                                          " ha terminado la partida"),
                std::string::npos)
          << runners[m]->Output();
    }
    for (int m = 0; m < 4; ++m) {
      const auto own = runners[m]->Frames();
      const int crouch = FirstFrameIn(own, played[m].seat, kCrouch);
      EXPECT_EQ(crouch, FrameOfPress(own, 1500 + 700 * m, played[m].inputDelay)) << "machine " << m;
      for (const auto& other : confirmed) {
        EXPECT_EQ(FirstFrameIn(other, played[m].seat, kCrouch), crouch);
      }
    }
  }

  ScratchFolder root;
};

TEST_F(NetMatch, TwoMachinesPlayTheSameMatchToItsEnd) {
  PlayTwo(false);
}

TEST_F(NetMatch, FourMachinesSeeEveryPressInTheSameFrame) {
  PlayFour(false);
}

TEST_F(NetMatch, TwoMachinesThroughALossySlowLine) {
  PlayTwo(true);
}

TEST_F(NetMatch, TwoMachinesInLockstepThroughALossySlowLine) {
  PlayTwo(true, true);
}

// The joiner's only seat is the computer's: its bot plays there, its presses travel like a
// person's, and against a host who never presses it wins the same match on both machines.
TEST_F(NetMatch, AComputerSeatIsPlayedByItsOwnMachinesBot) {
  Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
  joiner.WriteSettings({1002, 90, 80, 77});
  host.Start(Press(90000, kKeyEnter, 50), {"--host", "0"});
  const std::string port = host.HostPort();
  ASSERT_FALSE(port.empty()) << host.Output();
  joiner.Start(Press(90000, kKeyEnter, 50), {"--join", "127.0.0.1:" + port});
  ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();
  ASSERT_EQ(host.Finish(), 0) << host.Output();

  const auto frames = host.Confirmed();
  const auto joinerFrames = joiner.Confirmed();
  ExpectSameFrames(frames, joinerFrames, std::max(frames.size(), joinerFrames.size()));
  ASSERT_GT(frames.size(), 100u);
  EXPECT_EQ(FirstFrameIn(frames, 0, kCrouch), -1);
  EXPECT_GE(FirstFrameIn(frames, 1, kCrouch), 0);
  const auto& last = frames.back().states;
  EXPECT_EQ(last.at(0), kDead) << frames.back().field;
  EXPECT_NE(last.at(1), kDead) << frames.back().field;
}

// With a start-up picture in the data, as in the game: a runner's script still counts from the
// start of play. Play's first frame is presented one frame's time after the clock starts; a press
// scripted at one second is read by the frame after the one presented then and played the input
// delay later (a machine ahead of the other shows a frame twice now and then, so frames and
// presents need not keep in step).
TEST_F(NetMatch, ScriptTimesCountFromTheStartOfPlay) {
  constexpr int kPressMs = 1000;
  constexpr int kFramesPerSecond = 60;
  constexpr int kFrameMs = 1000 / kFramesPerSecond + 1;  // rounded up
  Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
  for (const Runner* runner : {&host, &joiner}) {
    WriteSolidPng((runner->Folder() / "gfx/kestro.png").string(), 0xFFFFFFFFu, 800, 600);
  }
  constexpr double kSeconds = 7;  // room for the five-second picture, were it shown
  host.Start(Press(kPressMs, kKeyPlayerOne, 100), {"--host", "0"}, kSeconds);
  const std::string port = host.HostPort();
  ASSERT_FALSE(port.empty()) << host.Output();
  joiner.Start("", {"--join", "127.0.0.1:" + port}, kSeconds);
  ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();
  ASSERT_EQ(host.Finish(), 0) << host.Output();

  const auto frames = host.Frames();
  ASSERT_GT(frames.size(), 100u) << host.Output();
  EXPECT_LE(frames.front().t, kFrameMs);
  const Played played = ReadSetUp(host);
  const int crouch = FirstFrameIn(frames, 0, kCrouch);
  EXPECT_EQ(crouch, FrameOfPress(frames, kPressMs, played.inputDelay));
  EXPECT_LE(crouch, kPressMs * kFramesPerSecond / 1000 + played.inputDelay);
  EXPECT_EQ(crouch, FirstFrameIn(joiner.Confirmed(), 0, kCrouch));
}

TEST_F(NetMatch, FourMachinesThroughALossySlowLine) {
  PlayFour(true);
}

}  // namespace
