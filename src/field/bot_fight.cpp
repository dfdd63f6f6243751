// The bot face to face with its rivals: the threats it leaves the ground for, and the fights it
// goes after when no dive reaches anyone.
#include <algorithm>
#include <cmath>

#include "entities/jugador.h"
#include "field/bot_brain.h"

namespace field {

namespace {

// A crouch drifts about this far left in the 725 ms it holds its jump: a rival crouching this
// much beyond a crouch's reach on the right can still trip the bot.
constexpr float kCrouchDrift = 60;
// A crouch held this long trips a rival standing as far off as a crouch drifts, and still jumps.
constexpr int kTripLowMs = 600;
constexpr int kTripHighMs = 720;
// Held past the 725 ms of a charge, the crouch is a walk to the left without a jump.
constexpr int kCreepLowMs = 760;
constexpr int kCreepHighMs = 850;
constexpr float kCreepDistance = 140;  // about how far one such crouch carries the bot
// A rival further right than this that no attack goes for is jumped towards: the dive that
// follows meets it, or lands nearer.
constexpr float kFarRight = 150;
constexpr int kFullChargeMs = 400;

}  // namespace

// Each rival's dives are weighed against the bot standing where it is and against the bot
// jumping as soon as it can: a rival nearly overhead dives past a bot that stays and into one
// that jumps up to meet it.
BotBrain::Threat BotBrain::Assess(const BotBody& me, const BotView& view) const {
  const bool charging = me.state == kCrouch;
  const int holdMs = charging ? kFullChargeMs : skill_->dodgeHoldMs;
  const Dodger staying{me.x};
  const Dodger jumping{me.x, static_cast<float>(hand_.reactionMs() + (charging ? 0 : holdMs)),
                       -JumpSpeed(holdMs)};
  // A rival aims at the bot where it stands: of those dives, the ones that still meet it in the
  // air are what a jump risks, and a jump is worth it when it escapes at least half of them.
  int stayingHit = 0;
  int jumpingHit = 0;
  for (const BotBody& rival : view.players) {
    if (rival.slot == slot_ || !rival.Upright()) continue;
    const Flight flight = FlightOf(rival);
    if (rival.state == kDive) {
      const bool hit = DivingMeets(flight, staying);
      stayingHit += hit;
      jumpingHit += hit && DivingMeets(flight, jumping);
    } else if (rival.arrow) {
      const auto hits = AimedDivesMeeting(flight, *rival.arrow, arrowDegreesPerMs_, staying);
      const auto jumpHits = AimedDivesMeeting(flight, *rival.arrow, arrowDegreesPerMs_, jumping);
      for (size_t dive = 0; dive < hits.size(); ++dive) {
        stayingHit += hits[dive];
        jumpingHit += hits[dive] && jumpHits[dive];
      }
    }
    // A crouch trips only a player standing on its feet, and a rival on the ground beside the bot
    // may crouch at any moment, sooner than the bot could answer.
    const float dx = rival.x - me.x;
    if (me.state == kRun && rival.Hittable() && dx > -kCrouchReach &&
        dx < kCrouchReach + kCrouchDrift) {
      return Threat::kCrouch;
    }
  }
  if (stayingHit == 0) return Threat::kNone;
  return 2 * jumpingHit <= stayingHit ? Threat::kLeave : Threat::kStay;
}

// Whether the bot sees a threat is decided once for each threat, and again when its own state
// changes; where leaving the ground is the better answer it leaves: a short crouch and a jump,
// or a crouch let go sooner.
void BotBrain::AnswerThreat(const BotBody& me, const BotView& view, uint32_t now,
                            media::RandomStream& random) {
  const bool onFeet = me.state == kRun || me.state == kCrouch;
  const Threat threat = onFeet ? Assess(me, view) : Threat::kNone;
  const bool threatened = threat != Threat::kNone;
  if (threatened && !threatNear_) dodgeDue_ = random.Fraction() >= skill_->overlookThreatChance;
  threatNear_ = threatened;
  if (threat == Threat::kStay || !dodgeDue_) return;
  if (me.state == kCrouch) {
    LetGo(now, random);
  } else if (!hand_.Busy()) {
    // Beside a rival a crouch both guards against its crouch and trips it, then jumps.
    Tap(now, threat == Threat::kCrouch ? random.Int(kTripLowMs, kTripHighMs) : skill_->dodgeHoldMs,
        random);
  } else {
    return;  // answered once the hand is free
  }
  dodgeDue_ = false;
}

const BotBody* BotBrain::RivalToTrip(const BotBody& me, const BotView& view) const {
  for (const BotBody& rival : view.players) {
    const float dx = rival.x - me.x;
    if (rival.slot != slot_ && rival.state == kRun && dx > -kCrouchReach - kCrouchDrift &&
        dx < kCrouchReach) {
      return &rival;
    }
  }
  return nullptr;
}

bool BotBrain::SeekFight(const BotBody& me, const BotView& view, uint32_t now,
                         media::RandomStream& random) {
  if (RivalToTrip(me, view)) {
    Tap(now, random.Int(kTripLowMs, kTripHighMs), random);
    return true;
  }
  const BotBody* nearestLeft = nullptr;
  const BotBody* nearestRight = nullptr;
  for (const BotBody& rival : view.players) {
    if (rival.slot == slot_ || !rival.Upright()) continue;
    auto*& nearest = rival.x < me.x ? nearestLeft : nearestRight;
    if (!nearest || std::fabs(rival.x - me.x) < std::fabs(nearest->x - me.x)) nearest = &rival;
  }
  if (nearestRight && nearestRight->x - me.x > kFarRight) {
    homingRight_ = true;
    Tap(now, kFullChargeMs, random);
    return true;
  }
  // The left side is the safe one (dives go right): the bot creeps past a rival in the air, or
  // towards one too near the horde to pass, stopping short of the horde itself.
  if (!nearestLeft || me.x - kCreepDistance < skill_->keepRightOf) return false;
  const bool roomToPass = nearestLeft->x - kCreepDistance > skill_->keepRightOf;
  if (roomToPass || me.x - nearestLeft->x > kCrouchReach + kCrouchDrift) {
    Tap(now, random.Int(kCreepLowMs, kCreepHighMs), random);
    return true;
  }
  return false;
}

}  // namespace field
