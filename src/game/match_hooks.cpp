#include "game/match_hooks.h"

namespace game {

MatchHooks& CurrentMatchHooks() {
  static MatchHooks hooks;
  return hooks;
}

}  // namespace game
