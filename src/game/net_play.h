#pragma once
// A match played over the network, as the match screen asks for it: before set-up the shared seed
// and the frame clock; every frame this machine's buttons out and everyone's in, waiting (with a
// sign after a quarter of a second) while some are missing; every 30 frames the state's digest;
// at the end, how the match ended for everyone. Menus and the winner picture stay local.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "field/player_report.h"
#include "field/seats.h"
#include "game/heard_effects.h"
#include "game/match_state.h"
#include "net/lockstep.h"
#include "net/rollback.h"
#include "net/snapshot_ring.h"

class TAdministrador;
class TConfiguracion;
class TJuego;
class TTimer;

namespace game {

// What a trace reports of the networked match being played.
struct NetStatus {
  bool active = false;
  uint32_t frame = 0;           // the frame last played
  std::vector<int> waitingFor;  // player numbers (1-4) whose buttons are awaited
  int rolled = 0;               // frames played again before the last one was played
};
const NetStatus& CurrentNetStatus();

class NetPlay : public net::RollbackMatch {
 public:
  // This machine's first `localPlayers` players of `settings` take its seats; a seat the settings
  // give the computer is pressed by this machine's bot and its presses travel like a person's.
  // Frames are played at once on a guess of the others' buttons, and again when it was wrong,
  // unless the host chose that every frame wait for everyone's buttons.
  NetPlay(std::unique_ptr<net::Lockstep> lockstep, const TConfiguracion& settings,
          int localPlayers);
  ~NetPlay() override;

  // The seats of the match this machine's bots play, by strength.
  const field::SeatStrengths& ComputerSeats() const { return computerSeats_; }

  // Test-only: after this frame this machine's game clock runs a millisecond ahead, a drift that
  // never heals by itself (a random stream a few draws ahead can fall back into step).
  void NudgeAfter(uint32_t frame) { nudgeFrame_ = frame; }
  // Test-only: from this frame on, this machine's packets are held back for `ms`, so the others
  // guess its buttons wrong and must go back further.
  void HoldPacketsAt(uint32_t frame, int ms) { holdFrame_ = frame, holdMs_ = ms; }
  // Some of this machine's links go through a room server's relay: a machine lost is said to be
  // lost with the server.
  void ThroughRelay() { relayed_ = true; }

  void BeforeSetUp(TTimer& timer);
  // Every player reads the buttons agreed on for its seat from now on.
  void AfterSetUp(TAdministrador& manager);
  // Sends this machine's buttons and waits for everyone's; false when the match has ended
  // (Escape here, or a desync or an Escape elsewhere).
  bool AwaitFrame(TJuego& game);
  bool PauseAsked() const { return input_.pause; }
  void AfterUpdate(TJuego& game);
  // The match was decided: the winner picture is local.
  void Finish();
  // After the last frame: tells the others when this machine left, or says why the match ended.
  void End();

  // Rollback's side of the match (net_rollback.cpp).
  void Restore(uint32_t frame) override;
  void Replay(uint32_t frame, const net::FrameInput& input) override;
  void Confirmed(uint32_t frame) override;

 private:
  friend const NetStatus& CurrentNetStatus();
  static NetStatus& Status();

  static constexpr double kSignAfterMs = 250;
  static constexpr int kWaitSliceMs = 16;

  bool AwaitFrameAhead(TJuego& game);
  // Takes the confirmed frames and plays again what was guessed wrong; the frames played again.
  int Reconcile();
  // Playing on would go beyond the kept states, or show a winner not every machine agrees on.
  bool MustWait(const TJuego& game) const;
  // The frame just played: the nudge, and its digest when one is due.
  void FinishFrame(TJuego& game, uint32_t frame);
  static uint64_t Digest(const TJuego& game);
  uint8_t SampleButtons() const;
  void TakeOutOfPlay(TAdministrador& manager, const std::vector<int>& seats);
  void ShowWaiting(TJuego& game);
  std::string PlayersOf(const std::vector<int>& machines) const;
  void WriteDesyncLog() const;

  std::unique_ptr<net::Lockstep> lockstep_;
  std::vector<int> localCodes_;          // the input codes of this machine's players, in seat order
  std::vector<std::string> localNames_;  // the names of those buttons, as the players' tags show
  field::SeatStrengths computerSeats_{};
  net::FrameInput input_;
  TTimer* timer_ = nullptr;
  TAdministrador* manager_ = nullptr;
  uint32_t nudgeFrame_ = 0;

  std::unique_ptr<net::Rollback> rollback_;  // null in lockstep
  TJuego* game_ = nullptr;
  net::SnapshotRing<MatchSnapshot> kept_;
  HeardEffects heard_;
  uint32_t holdFrame_ = 0;
  int holdMs_ = 0;
  // The digest after each unconfirmed frame due one, sent once the frame is confirmed, and the
  // players after each unconfirmed frame when confirmed frames are reported.
  net::SnapshotRing<uint64_t> digests_;
  net::SnapshotRing<std::vector<field::PlayerReport>> reports_;
  std::array<bool, net::kMaxSeats> announcedOut_{};  // seats said to have left play
  bool relayed_ = false;
};

}  // namespace game
