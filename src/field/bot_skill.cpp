#include "field/bot_skill.h"

namespace field {

namespace {

// No reaction anywhere is quicker than 150 ms, a quick person's.
constexpr BotSkill kEasy = {
    .quickestReactionMs = 320,
    .slowestReactionMs = 420,
    .reactionJitterMs = 80,
    .pressesPerSecond = 4.5f,
    .sparePresses = 2,
    .aimSpreadDegrees = 14,
    .arrowLead = 0.6f,
    .overlookWalkerChance = 0.3f,
    .overlookThreatChance = 0.6f,
    .dodgeHoldMs = 200,
    .walkerLookAheadMs = 0,
    .guardHoldMs = 250,
    .attackLowMs = 2500,
    .attackHighMs = 6000,
    .nearestAttack = 40,
    .attackReach = 300,
    .seeksTheFight = false,
    .huntsTheWeak = false,
    .keepRightOf = 0,
    .hopChancePerSecond = 0.5f,
};

constexpr BotSkill kNormal = {
    .quickestReactionMs = 230,
    .slowestReactionMs = 300,
    .reactionJitterMs = 50,
    .pressesPerSecond = 6.5f,
    .sparePresses = 1,
    .aimSpreadDegrees = 7,
    .arrowLead = 0.85f,
    .overlookWalkerChance = 0.1f,
    .overlookThreatChance = 0.3f,
    .dodgeHoldMs = 150,
    .walkerLookAheadMs = 120,
    .guardHoldMs = 320,
    .attackLowMs = 1500,
    .attackHighMs = 3500,
    .nearestAttack = 40,
    .attackReach = 320,
    .seeksTheFight = false,
    .huntsTheWeak = false,
    .keepRightOf = 220,
    .hopChancePerSecond = 0.2f,
};

constexpr BotSkill kHard = {
    .quickestReactionMs = 160,
    .slowestReactionMs = 200,
    .reactionJitterMs = 30,
    .pressesPerSecond = 9,
    .sparePresses = 0,
    .aimSpreadDegrees = 3,
    .arrowLead = 1,
    .overlookWalkerChance = 0,
    .overlookThreatChance = 0,
    .dodgeHoldMs = 100,
    .walkerLookAheadMs = 250,
    .guardHoldMs = 380,
    .attackLowMs = 700,
    .attackHighMs = 1500,
    .nearestAttack = 0,
    .attackReach = 800,  // wherever a dive reaches
    .seeksTheFight = true,
    .huntsTheWeak = true,
    .keepRightOf = 260,
    .hopChancePerSecond = 0,
};

}  // namespace

const BotSkill& SkillOf(CpuStrength strength) {
  switch (strength) {
    case CpuStrength::kEasy:
      return kEasy;
    case CpuStrength::kHard:
      return kHard;
    case CpuStrength::kNormal:
      break;
  }
  return kNormal;
}

}  // namespace field
