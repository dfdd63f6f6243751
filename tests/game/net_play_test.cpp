// A network match's frames played again, as rollback plays them when a late button differs from
// the guess, on a real match and a real link to a joiner: the frame in which the joiner's player
// leaves play, played again and again, takes the player out each time but says so only once.
#include "game/net_play.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "entities/administrador.h"
#include "entities/jugador.h"
#include "game/juego.h"
#include "net/lobby.h"
#include "support/headless_game.h"
#include "support/net_machines.h"

namespace {

// Played ahead of the joiner, who says nothing: fewer than the frames a machine may play on
// guesses, so the host never waits.
constexpr uint32_t kPlayed = 10;
constexpr uint32_t kBack = 2;  // the frame played again from
constexpr uint32_t kOut = 5;   // the frame in which the joiner's player leaves
constexpr int kJoinerSeat = 1;
constexpr int kRounds = 3;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class NetPlayAgain : public ::testing::Test, public HeadlessGame {
 protected:
  // The host leaves while the joiner listens, so neither waits out the other's goodbye.
  ~NetPlayAgain() override {
    if (machines.matches.size() > 1) {
      std::atomic<bool> gone = false;
      std::thread joiner([&] {
        while (!gone) machines.matches[1]->Ready(5);
      });
      game->net.reset();
      gone = true;
      joiner.join();
    }
  }

  void PlayFrame() {
    ASSERT_TRUE(game->net->AwaitFrame(*game));
    ASSERT_TRUE(game->AdvanceFrame(game->net->PauseAsked()));
    game->net->AfterUpdate(*game);
  }

  nettest::Machines machines;  // in the game's folder, whose data the lobby's identity reads
};

TEST_F(NetPlayAgain, AFramePlayedAgainNeverSaysTwiceThatAPlayerLeft) {
  ASSERT_TRUE(machines.Meet(
      1, 2, [](uint16_t port) { return port; }, net::kRollbackInputDelay));
  game->net = std::make_shared<game::NetPlay>(std::move(machines.matches[0]), *system->config, 1);
  game->BeginMatch({});
  for (uint32_t frame = 0; frame < kPlayed; ++frame) ASSERT_NO_FATAL_FAILURE(PlayFrame());

  net::FrameInput stays, leaves;
  leaves.seatsOut = {kJoinerSeat};
  testing::internal::CaptureStdout();
  for (int round = 0; round < kRounds; ++round) {
    game->net->Restore(kBack);
    ASSERT_NE(game->manager->GetPlayer(kJoinerSeat)->state, kDead) << "round " << round;
    for (uint32_t frame = kBack; frame < kPlayed; ++frame) {
      game->net->Replay(frame, frame == kOut ? leaves : stays);
    }
    EXPECT_EQ(game->manager->GetPlayer(kJoinerSeat)->state, kDead) << "round " << round;
  }
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(Count(said, "JUGADOR 2 ha perdido la conexión"), 1u) << said;
}

}  // namespace
