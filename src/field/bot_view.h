#pragma once
// What a bot sees of the field at the start of a frame: where every player is, what it is doing,
// and the walkers on the screen that can still knock someone down.
#include <optional>
#include <vector>

#include "field/dive_aim.h"

class TAdministrador;

namespace field {

struct BotBody {
  int slot = 0;
  int state = 0;
  float x = 0;
  float y = 0;
  float speedX = 0;
  float speedY = 0;
  float escapePresses = 0;     // presses needed the next time it is down
  float pressesLeft = 0;       // presses still needed while down
  std::optional<float> arrow;  // the aiming arrow's angle while it shows

  // On the ground and on its feet: a dive knocks it down.
  bool Hittable() const;
  // Neither floored nor out of play: it can act and be acted on.
  bool Upright() const;
};

inline Flight FlightOf(const BotBody& body) {
  return {body.x, body.y, body.speedX, body.speedY};
}

struct BotWalker {
  float x = 0;
  float speedX = 0;
};

struct BotView {
  static BotView Of(const TAdministrador& manager);
  const BotBody* Player(int slot) const;

  std::vector<BotBody> players;
  std::vector<BotWalker> walkers;
};

}  // namespace field
