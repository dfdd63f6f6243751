#pragma once
// A match played over the network, as the match screen asks for it: before set-up the shared seed
// and the frame clock; every frame this machine's buttons out and everyone's in, waiting (with a
// sign after a quarter of a second) while some are missing; every 30 frames the state's digest;
// at the end, how the match ended for everyone. Menus and the winner picture stay local.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "field/seats.h"
#include "net/lockstep.h"

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
};
const NetStatus& CurrentNetStatus();

class NetPlay {
 public:
  // This machine's first `localPlayers` players of `settings` take its seats; a seat the settings
  // give the computer is pressed by this machine's bot and its presses travel like a person's.
  NetPlay(std::unique_ptr<net::Lockstep> lockstep, const TConfiguracion& settings,
          int localPlayers);
  ~NetPlay();

  // The seats of the match this machine's bots play, by strength.
  const field::SeatStrengths& ComputerSeats() const { return computerSeats_; }

  // Test-only: after this frame this machine's game clock runs a millisecond ahead, a drift that
  // never heals by itself (a random stream a few draws ahead can fall back into step).
  void NudgeAfter(uint32_t frame) { nudgeFrame_ = frame; }
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

 private:
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
  bool relayed_ = false;
};

}  // namespace game
