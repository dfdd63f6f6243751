#pragma once
// The tag over a player that says whose puppet it is and which button plays it ("1 · Q"): shown
// as the match starts and again for a while on each press early on, so that every player finds
// their own. A player lying down gets the button's name instead, pulsing: hammer it to get up.
// Tags are drawn over everything on the field, scenery included, so that none is hidden.
#include <memory>

#include "entities/entidad.h"

class TAdministrador;
class TJugadorBase;

class TPlayerTag : public TEntidad {
 public:
  // Null without a manager, a timer or a player. Drawn just in front of the player.
  static std::shared_ptr<TPlayerTag> Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                            std::shared_ptr<TJugadorBase> player, int number);
  // Nothing in the depth pass: tags go over the scenery's front layers, in Show.
  void Draw() override {}
  void Update() override;
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  void Relink(Counterparts& copies) override;
  void Show() const;
  // How much of the tag shows now, 0 to 1 (the hint to a player lying down aside).
  float Visibility() const;

  TAdministrador* manager = nullptr;
  std::shared_ptr<TTimer> frameTimer;
  std::shared_ptr<TJugadorBase> player;
  int number = 0;             // the player's number, 1-4
  float shownUntil = 0;       // game time at which the tag starts to fade
  float learningUntil = 0;    // game time until which presses bring the tag back
  bool buttonWasDown = true;  // a button held from before the tag came does not count

 private:
  void DrawPlate(const std::string& latin1, float centreX, float bottomY) const;
  void DrawHammerHint() const;
};
