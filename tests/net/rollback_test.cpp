// Rollback between machines in one process on real loopback sockets, driving a small match of its
// own whose state is a running hash of every frame's buttons: one machine keeps falling behind, so
// the others play on guessing its buttons and must go back when it presses. Whatever they guessed,
// every machine confirms the same states, which are the states of the buttons everyone played.
#include "net/rollback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "support/hash_match.h"
#include "support/net_machines.h"
#include "support/temp_folder.h"

namespace {

constexpr uint32_t kFrames = 240;
constexpr int kMachines = 3;
constexpr int kLateMachine = 1;
constexpr int kLateTurns = 6;  // the late machine gets one turn in this many

// Buttons that change every few frames, a pause asked for once.
uint8_t Buttons(int machine, uint32_t frame) {
  uint8_t buttons = (frame / (7u + 3u * machine)) % 2u;
  if (machine == 2 && frame == 100) buttons |= net::kPauseBit;
  return buttons;
}

class Rollback : public ::testing::Test {
 protected:
  TempFolder folder;  // the identity reads anim/ and gfx/ here
  nettest::Machines machines;
};

TEST_F(Rollback, EveryMachineConfirmsTheStatesOfTheButtonsEveryonePlayed) {
  ASSERT_TRUE(machines.Meet(
      kMachines - 1, 0, [](uint16_t port) { return port; }, net::kRollbackInputDelay));
  std::vector<std::unique_ptr<net::Rollback>> rollbacks;
  std::vector<nettest::HashMatch> played(kMachines);
  for (const auto& match : machines.matches) {
    rollbacks.push_back(std::make_unique<net::Rollback>(*match));
  }
  uint32_t mostAhead = 0;
  const double end = net::NowMs() + nettest::kPatienceMs;
  for (int turn = 0; net::NowMs() < end; ++turn) {
    bool done = true;
    for (int m = 0; m < kMachines; ++m) {
      net::Rollback& rollback = *rollbacks[m];
      done &= played[m].confirmed.size() >= kFrames;
      if (m == kLateMachine && turn % kLateTurns != 0) continue;
      rollback.Reconcile(played[m]);
      if (rollback.TooFarAhead() || rollback.NextFrame() >= kFrames + net::kMostFramesAhead) {
        machines.matches[m]->Ready(0);
        continue;
      }
      const uint32_t frame = rollback.NextFrame();
      played[m].Play(frame, rollback.PlayNext(Buttons(m, frame)));
      mostAhead = std::max(mostAhead, rollback.NextFrame() - machines.matches[m]->Frame());
    }
    if (done) break;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }

  // What everyone should have confirmed: each machine's buttons a frame after they were sampled.
  uint64_t state = 0;
  for (uint32_t frame = 0; frame < kFrames; ++frame) {
    net::FrameInput input;
    for (int m = 0; m < kMachines; ++m) {
      const uint8_t buttons =
          frame >= net::kRollbackInputDelay ? Buttons(m, frame - net::kRollbackInputDelay) : 0;
      input.buttons[m] = buttons & 1;
      input.pause |= (buttons & net::kPauseBit) != 0;
    }
    state = nettest::HashStep(state, input);
    for (int m = 0; m < kMachines; ++m) {
      ASSERT_GT(played[m].confirmed.size(), frame) << "machine " << m;
      ASSERT_EQ(played[m].confirmed[frame], state) << "machine " << m << " frame " << frame;
    }
  }
  EXPECT_LE(mostAhead, static_cast<uint32_t>(net::kMostFramesAhead));
  for (const auto& match : played) EXPECT_FALSE(match.outOfOrder);
  int replayed = 0;
  for (int m = 0; m < kMachines; ++m) {
    if (m != kLateMachine) replayed += played[m].replayed;
  }
  EXPECT_GT(replayed, 0) << "the machines ahead never had to go back";
}

// A machine whose buttons have not come yet is guessed to hold what it held last, but a pause it
// asked for once is not asked for again in every guessed frame.
TEST_F(Rollback, AGuessHoldsTheLastButtonsButNeverAsksForThePauseAgain) {
  ASSERT_TRUE(machines.Meet(
      1, 0, [](uint16_t port) { return port; }, net::kRollbackInputDelay));
  net::Lockstep& host = *machines.matches[0];
  machines.matches[1]->SubmitFor(0, 1 | net::kPauseBit);
  const double end = net::NowMs() + nettest::kPatienceMs;
  // The host takes frames 0 and 1, so the joiner's press of frame 1 has come.
  while (host.Frame() < 2) {
    ASSERT_LT(net::NowMs(), end);
    host.Submit(0);
    if (host.Ready(1)) host.Take();
    machines.matches[1]->Ready(0);
  }
  const net::FrameInput asked = host.Guess(1);
  EXPECT_TRUE(asked.buttons[1]);
  EXPECT_TRUE(asked.pause);
  const net::FrameInput guessed = host.Guess(5);
  EXPECT_TRUE(guessed.buttons[1]);
  EXPECT_FALSE(guessed.pause);
}

}  // namespace
