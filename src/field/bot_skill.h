#pragma once
// How well a bot of each strength plays. The strengths differ the way people do: how soon they
// react, how fast they hammer, how true their dives go, how early they see a walker coming and
// how cleverly they choose whom to dive on.
#include <cstdint>

#include "core/input_code.h"

namespace field {

struct BotSkill {
  // The bot's own reaction time is drawn from this range once a match; every decision then
  // reaches the button that long after the look that made it, give or take the jitter.
  int quickestReactionMs;
  int slowestReactionMs;
  int reactionJitterMs;
  float pressesPerSecond;  // while down
  int sparePresses;        // hammered on after the last press that was needed
  float aimSpreadDegrees;  // where the arrow is let go, around the angle meant
  // How much of its own reaction the bot allows for when letting the arrow go: 1 lets go just as
  // the arrow reaches the angle meant, 0 only on seeing it there, and the dive goes flat.
  float arrowLead;
  float overlookWalkerChance;  // a walker that is not seen until it is too late
  // A rival who aims or dives at the bot, or crouches close enough to trip it, and is not seen.
  float overlookThreatChance;
  int dodgeHoldMs;        // the crouch before the jump that leaves the ground under a threat
  int walkerLookAheadMs;  // how much sooner than its reaction allows a walker is seen
  int guardHoldMs;        // a crouch against a walker, then a jump
  int attackLowMs;        // pause between attacks
  int attackHighMs;
  float nearestAttack;  // rivals on the right nearer than this are left alone
  float attackReach;    // ... and further than this
  // Goes after rivals out of reach: creeps left towards them in a long crouch, trips the one
  // beside it, jumps and dives right towards those too far right for a dive.
  bool seeksTheFight;
  bool huntsTheWeak;  // prefers rivals near the horde and worn by earlier falls
  float keepRightOf;  // hops and dives flat back to the right when pushed left of this; 0: never
  float hopChancePerSecond;  // aimless hops
};

const BotSkill& SkillOf(CpuStrength strength);

}  // namespace field
