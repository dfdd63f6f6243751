// Machines in one process on real loopback sockets: they meet in the lobby, agree on the set-up,
// play the same buttons in the same frames, notice a difference in their states, and end together
// when one leaves.
#include <gtest/gtest.h>

#include "net/identity.h"
#include "net/messages.h"
#include "support/net_machines.h"
#include "support/temp_folder.h"

namespace {

using Outcome = net::Lockstep::Outcome;

class Lockstep : public ::testing::Test {
 protected:
  TempFolder folder;  // the identity reads anim/ and gfx/ here
  nettest::Machines machines;
};

TEST_F(Lockstep, EveryMachinePlaysEveryPressInTheSameFrameTwoFramesLater) {
  ASSERT_TRUE(machines.Meet(3));
  for (size_t m = 0; m < machines.matches.size(); ++m) {
    const net::MatchSetup& setup = machines.matches[m]->Setup();
    EXPECT_EQ(setup.inputDelay, 2) << "the loopback needs no more";
    EXPECT_EQ(setup.localMachine, static_cast<int>(m));
    EXPECT_EQ(setup.machines[m].firstSeat, static_cast<int>(m));
    EXPECT_EQ(setup.seed, machines.matches[0]->Setup().seed);
  }
  // Machine m holds its button in frames 10m … 10m + 4 and machine 3 asks for the pause at 25.
  const auto taken = machines.Play(60, [](int m, uint32_t frame) {
    uint8_t buttons = frame >= 10u * m && frame < 10u * m + 5 ? 1 : 0;
    if (m == 3 && frame == 25) buttons |= net::kPauseBit;
    return buttons;
  });
  for (const auto& frames : taken) ASSERT_EQ(frames.size(), 60u);
  for (uint32_t frame = 0; frame < 60; ++frame) {
    for (int seat = 0; seat < 4; ++seat) {
      const bool pressed = frame >= 10u * seat + 2 && frame < 10u * seat + 7;
      for (const auto& frames : taken) {
        EXPECT_EQ(frames[frame].buttons[seat], pressed) << "seat " << seat << " frame " << frame;
      }
    }
    for (const auto& frames : taken) EXPECT_EQ(frames[frame].pause, frame == 27);
  }
}

TEST_F(Lockstep, DifferentDigestsEndTheMatchEverywhere) {
  ASSERT_TRUE(machines.Meet(2));
  machines.Play(30, [](int, uint32_t) { return uint8_t(0); });
  for (size_t m = 0; m < machines.matches.size(); ++m) {
    machines.matches[m]->RecordDigest(30, m == 2 ? 0xBAD : 0x600D);
  }
  machines.Play(40, [](int, uint32_t) { return uint8_t(0); });
  for (const auto& match : machines.matches) {
    EXPECT_EQ(match->GetOutcome(), Outcome::kDesync);
    const std::string log = match->DesyncLog();
    EXPECT_NE(log.find("fotograma 30"), std::string::npos) << log;
    EXPECT_NE(log.find("000000000000600d"), std::string::npos) << log;
    EXPECT_NE(log.find("0000000000000bad"), std::string::npos) << log;
  }
}

TEST_F(Lockstep, EscapeOnOneMachineEndsTheMatchForTheOthers) {
  ASSERT_TRUE(machines.Meet(2));
  machines.Play(20, [](int, uint32_t) { return uint8_t(0); });
  machines.matches[1]->Leave();
  machines.Play(1000, [](int, uint32_t) { return uint8_t(0); });
  EXPECT_EQ(machines.matches[1]->GetOutcome(), Outcome::kLeft);
  for (int m : {0, 2}) {
    EXPECT_EQ(machines.matches[m]->GetOutcome(), Outcome::kQuit);
    EXPECT_EQ(machines.matches[m]->QuitBy(), 1);
    EXPECT_LT(machines.matches[m]->Frame(), 1000u);
  }
}

TEST_F(Lockstep, AFinishedMachineLeavesItsLastButtonsBehind) {
  ASSERT_TRUE(machines.Meet(1));
  machines.Play(50, [](int m, uint32_t frame) { return uint8_t(m == 0 && frame >= 47); });
  machines.matches[0]->Finish();
  // Machine 1 still plays the frames machine 0 sampled before it finished, presses included.
  const auto taken = machines.Play(52, [](int, uint32_t) { return uint8_t(0); });
  ASSERT_EQ(taken[1].size(), 2u);
  EXPECT_TRUE(taken[1][1].buttons[0]);
}

// A machine that was not listening for a while (suspended, a laptop lid) may have been taken out
// by the others: it finds out it was left behind instead of taking them out, and they go on
// without it, all taking its player out in the same frame.
TEST_F(Lockstep, AMachineAwayTooLongFindsItWasLeftBehind) {
  ASSERT_TRUE(machines.Meet(2));
  const auto nothing = [](int, uint32_t) { return uint8_t(0); };
  machines.Play(30, nothing);
  const double back = net::NowMs() + net::kLeftBehindMs + 500;
  while (net::NowMs() < back) {
    for (int m : {0, 1}) machines.matches[m]->Ready(10);
  }
  const auto taken = machines.Play(400, nothing);
  EXPECT_EQ(machines.matches[2]->GetOutcome(), Outcome::kLeftBehind);
  std::array<int, 2> outAt{-1, -1};
  for (int m : {0, 1}) {
    EXPECT_EQ(machines.matches[m]->GetOutcome(), Outcome::kPlaying);
    ASSERT_EQ(taken[m].size(), 370u);
    for (size_t frame = 0; frame < taken[m].size(); ++frame) {
      if (taken[m][frame].seatsOut == std::vector<int>{2}) outAt[m] = static_cast<int>(frame);
    }
  }
  EXPECT_GE(outAt[0], 0);
  EXPECT_EQ(outAt[0], outAt[1]);
}

TEST_F(Lockstep, AJoinerOfAnotherVersionIsToldWhy) {
  std::string error;
  auto host = net::Lobby::Host(0, 1, error);
  ASSERT_TRUE(host) << error;
  net::PretendVersion("0.0.1");
  auto joiner = net::Lobby::Join({"127.0.0.1", host->Port()}, 0, 1, error);
  ASSERT_TRUE(joiner) << error;
  const double end = net::NowMs() + nettest::kPatienceMs;
  while (joiner->GetPhase() != net::Lobby::Phase::kFailed && net::NowMs() < end) {
    host->Service(1);
    joiner->Service(1);
  }
  net::PretendVersion("");
  EXPECT_NE(joiner->Failure().find("versión distinta"), std::string::npos) << joiner->Failure();
  EXPECT_EQ(host->Members().size(), 1u);
  const auto notes = host->TakeNotes();
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes.back().find("0.0.1"), std::string::npos) << notes.back();
}

TEST_F(Lockstep, NobodyAnsweringIsSaidPlainly) {
  std::string error;
  // A port that was just free: nobody listens there.
  const uint16_t port = net::Lobby::Host(0, 1, error)->Port();
  auto joiner = net::Lobby::Join({"127.0.0.1", port}, 0, 1, error);
  ASSERT_TRUE(joiner) << error;
  const double end = net::NowMs() + nettest::kPatienceMs;
  while (joiner->GetPhase() != net::Lobby::Phase::kFailed && net::NowMs() < end) {
    joiner->Service(10);
  }
  EXPECT_EQ(joiner->Failure(), "Nadie responde en 127.0.0.1:" + std::to_string(port));
}

}  // namespace
