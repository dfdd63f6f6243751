#pragma once
// One player: a puppet on the ground line driven by a single button. Crouch to charge, release to
// jump, press in the air to aim, release to dive; a dive knocks rivals down, and a player down at
// the left edge is caught by the horde.
#include <cstdint>
#include <memory>

#include "entities/jugador_base.h"
#include "media/sound.h"

class TAdministrador;
class TFlechaDir;
class TRecursos;

// The player's state codes (there is no 12).
enum PlayerState : int32_t {
  kRun = 1,
  kCrouch = 2,
  kJump = 3,
  kAim = 4,
  kDive = 5,
  kLand = 6,
  kKnocked = 7,
  kDown = 8,
  kRise = 9,
  kRebound = 10,
  kClash = 11,
  kDead = kPlayerOut,
};

// The player's animations in "anim/animchr.vba".
enum PlayerAnimation : int {
  kAnimRun = 1,
  kAnimCrouchLong = 2,  // crouched too long to jump
  kAnimJump = 3,
  kAnimAim = 4,
  kAnimDive = 5,
  kAnimCrouch = 6,  // also landing
  kAnimKnocked = 7,
  kAnimDown = 8,
  kAnimRise = 9,
  kAnimRebound = 10,
  kAnimClash = 11,
  kAnimStruggle = 12,  // one frame, snapped to on each press while down
  kAnimDead = 13,
};

class TJugador : public TJugadorBase {
 public:
  // Null when the manager, timer, package or resources are missing.
  static std::shared_ptr<TJugador> Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                          std::shared_ptr<VGP> graphics,
                                          std::shared_ptr<TRecursos> resources, int actionKey,
                                          int depth);

  void Draw() override;
  // The gauge of a jump's charge under the feet while crouching.
  void ShowOverField() const override;
  // Integrates the frame's game time in sub-steps of at most 10 ms.
  void Update() override;
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  void Relink(Counterparts& copies) override;
  // Contact with another player: clash, hit or trip.
  void CollideWithPlayer(TJugador& other);

  // What a dive or a walking zombie does to this player.
  void Knock();
  // Bounced back up after diving into a player (or a zombie at) hitX.
  void Rebound(float hitX);
  void DropArrow();
  // Out of play as if the horde had caught it: it falls where it is and slides away, dead.
  void CaughtByHorde();
  // True while the player lies on the ground or gets up: contacts leave it alone.
  bool IsFloored() const { return state == kKnocked || state == kDown || state == kRise; }
  // A dead player is out of play for good: nothing touches it and nothing holds it on the field.
  bool IsDead() const { return state == kDead; }
  // Whether contacts with other players and walkers may act on this player at all.
  bool Touchable() const { return !IsFloored() && !IsDead(); }
  // The low box while crouching, bouncing or diving, else the tall one.
  bool UsesLowBox() const { return state == kCrouch || state == kRebound || state == kDive; }
  // Where others touch the player: 50 px up from the feet along its tilt.
  float BodyX() const;
  float BodyY() const;

  TAdministrador* manager = nullptr;
  std::shared_ptr<TRecursos> resources;
  int32_t buttonWasDown = 0;
  int32_t pressTime = 0;  // game time of the last press in Run; real time of the last landing
  float speedX = 0;
  float speedY = 0;
  float pressesLeft = 0;
  int32_t onGround = 1;
  std::shared_ptr<TFlechaDir> aimArrow;  // stays on the field when the player leaves it
  float escapePresses = 2.5f;
  float nextBloodTime = 0;
  media::Channel chargeCue;  // the charging sound, cut short when the button is let go

 private:
  // The gauge under the feet of a crouching player, centred on centreX.
  void DrawCharge(float centreX) const;
  void KeepInBounds();
  void TouchOtherPlayers();
  void ApplyHordeRule();
  // The state's behaviour; its rates are scaled by `left`, the frame time still to come.
  void Behave(float left);
  void BehaveInAir(float left);
  void BehaveKnocked(float left);
  void BehaveBounced(float left);
  void BehaveDead(float left);
  void DecaySpeed(float rate, float left);
  void ReadButton();
  void OnPress();
  void OnRelease();
  void StruggleUp();
  void Jump();
  void Dive();
  void GoDown();
  void Clash(TJugador& other);
};

// The upward speed of a jump from how long the button was held in Crouch (at most 725 ms).
float JumpSpeed(int heldMs);
// How full the charge of a jump is after heldMs in Crouch: from 0 at the press to 1 at the
// strongest jump; negative once held too long to jump at all.
float JumpCharge(int heldMs);
// Reads the button an input code names: mouse 1-3, joystick 500 + port × 100 + button, or a key.
bool ButtonDown(int code);
