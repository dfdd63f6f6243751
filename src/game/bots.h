#pragma once
// Computer players for unattended runs (demos, soak tests). A bot only presses and releases its
// player's configured button, and the presses reach the game as input events, the way a person's
// do: the bots are the media layer's input source. Bots choose from a random stream of their own,
// so drawing or not never changes play.
#include <array>
#include <cstdint>

#include "media/input.h"
#include "media/system.h"

class TAdministrador;
class TJugador;

namespace game {

class Bots : public media::InputSource {
 public:
  static constexpr int kMaxBots = 4;

  // Players 1 … count are played by bots.
  Bots(int count, int32_t seed);
  // Looks at the field at the start of a match frame and decides which buttons to hold.
  void Think(const TAdministrador& manager, uint32_t nowMs);
  // The winner picture waits for a key: the first bot taps its key now and then until the next
  // match frame.
  void WaitingForKey(uint32_t nowMs);
  // Turns the decisions into button events.
  void Feed(media::InputState& input, uint32_t nowMs) override;
  int Count() const { return count_; }

 private:
  struct Brain {
    int button = 0;       // the player's input code
    bool wanted = false;  // the button as the bot wants it
    bool fed = false;     // the button as last fed in
    uint32_t releaseAt = 0;
    float aimAngle = 0;  // dive when the arrow has swept down to this
    int lastState = 0;
  };

  void Decide(Brain& brain, const TJugador& player, const TAdministrador& manager, uint32_t nowMs);
  void DecideOnGround(Brain& brain, const TJugador& player, const TAdministrador& manager,
                      uint32_t nowMs);
  void DecideAiming(Brain& brain, const TJugador& player, const TAdministrador& manager);
  void TapForWinner(media::InputState& input, uint32_t nowMs);

  int count_;
  media::RandomStream random_;
  std::array<Brain, kMaxBots> brains_{};
  uint32_t nextTapMs_ = 0;  // 0: not waiting for a key
  bool tapDown_ = false;
};

// Sends a button event for an input code: mouse 1-3, joystick 500 + port × 100 + button, or a key.
void PressButton(media::InputState& input, int code, bool down);

}  // namespace game
