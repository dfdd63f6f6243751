#include "field/bot_brain.h"

#include <cmath>

#include "entities/jugador.h"

namespace field {

namespace {

constexpr float kSlowestClosing = 0.01f;
constexpr float kJumpMs = 300;  // from leaving the ground until the arrow can be brought up
constexpr int kStrongestChargeLowMs = 330;  // held this long, the jump is as high as it gets
constexpr int kStrongestChargeHighMs = 600;
constexpr int kQuickHopMs = 40;
constexpr int kShortestHopMs = 30;
constexpr int kLongestHopMs = 650;  // still short of the 725 ms that would waste the charge
constexpr float kHammerJitter = 0.15f;

}  // namespace

BotBrain::BotBrain(int slot, int button, const BotSkill& skill, media::RandomStream& random)
    : slot_(slot),
      skill_(&skill),
      hand_(button,
            static_cast<uint32_t>(random.Int(skill.quickestReactionMs, skill.slowestReactionMs))) {}

void BotBrain::Think(const BotView& view, uint32_t now, media::RandomStream& random) {
  const BotBody* me = view.Player(slot_);
  if (!me) return;
  if (me->state != lastState_) {
    lastState_ = me->state;
    Entered(*me, now, random);
  }
  WatchArrow(*me, now);
  AnswerThreat(*me, view, now, random);
  switch (me->state) {
    case kRun:
      OnGround(*me, view, now, random);
      break;
    case kJump:
    case kAim:
    case kRebound:
    case kClash:
      InAir(*me, view, now, random);
      break;
    case kDown:
      Hammer(*me, now, random);
      break;
    default:
      // A crouch, a dive or a landing runs on the plan that began it; past that, hands off.
      if (!hand_.Busy() && hand_.Intended()) LetGo(now, random);
  }
  lastThinkMs_ = now;
}

void BotBrain::Entered(const BotBody& me, uint32_t now, media::RandomStream& random) {
  threatNear_ = false;  // a threat still there is looked at afresh
  switch (me.state) {
    case kKnocked:
    case kRise:
    case kDead:
      homingRight_ = false;
      LetGo(now, random);
      break;
    case kRun:
      homingRight_ = false;
      break;
    default:
      break;
  }
}

uint32_t BotBrain::Reach(uint32_t now, media::RandomStream& random) {
  return hand_.Replan(now) + static_cast<uint32_t>(random.Int(0, skill_->reactionJitterMs));
}

void BotBrain::LetGo(uint32_t now, media::RandomStream& random) {
  hand_.Plan(false, Reach(now, random));
}

void BotBrain::Tap(uint32_t now, int holdMs, media::RandomStream& random) {
  const uint32_t pressed = hand_.Plan(true, Reach(now, random));
  hand_.Plan(false, pressed + static_cast<uint32_t>(holdMs));
}

// On its feet the bot first guards against walkers, then gets away from the horde, then attacks
// or goes after its rivals.
void BotBrain::OnGround(const BotBody& me, const BotView& view, uint32_t now,
                        media::RandomStream& random) {
  if (hand_.Busy()) return;
  if (hand_.Intended()) return LetGo(now, random);
  if (WalkerComing(me, view, random)) return Tap(now, skill_->guardHoldMs, random);
  if (me.x < skill_->keepRightOf) {
    homingRight_ = true;
    return Tap(now, kQuickHopMs, random);
  }
  if (now >= nextAttackMs_) {
    nextAttackMs_ =
        now + static_cast<uint32_t>(random.Int(skill_->attackLowMs, skill_->attackHighMs));
    if (RivalToAttack(me, view, random)) {
      return Tap(now, random.Int(kStrongestChargeLowMs, kStrongestChargeHighMs), random);
    }
  }
  if (skill_->seeksTheFight && SeekFight(me, view, now, random)) return;
  const float frameMs = lastThinkMs_ == 0 ? 0 : static_cast<float>(now - lastThinkMs_);
  if (random.Fraction() < skill_->hopChancePerSecond * frameMs / 1000) {
    Tap(now, random.Int(kShortestHopMs, kLongestHopMs), random);
  }
}

// Whether the bot sees a walker in time is decided once for each walker that comes its way.
bool BotBrain::WalkerComing(const BotBody& me, const BotView& view, media::RandomStream& random) {
  std::optional<float> soonest;
  for (const BotWalker& walker : view.walkers) {
    const float dx = walker.x - me.x;
    const float closing = dx > 0 ? -walker.speedX : walker.speedX;
    if (closing < kSlowestClosing) continue;
    const float ms = std::max(0.0f, std::fabs(dx) - kCrouchReach) / closing;
    if (!soonest || ms < *soonest) soonest = ms;
  }
  const float warning = static_cast<float>(hand_.reactionMs() + skill_->walkerLookAheadMs);
  const bool near = soonest && *soonest <= warning;
  if (near && !walkerNear_) overlooking_ = random.Fraction() < skill_->overlookWalkerChance;
  walkerNear_ = near;
  return near && !overlooking_;
}

const BotBody* BotBrain::RivalToAttack(const BotBody& me, const BotView& view,
                                       media::RandomStream& random) const {
  const float aimAfterMs = kJumpMs + static_cast<float>(hand_.reactionMs());
  const BotBody* best = nullptr;
  float bestScore = 0;
  for (const BotBody& rival : view.players) {
    const float dx = rival.x - me.x;
    if (rival.slot == slot_ || !rival.Hittable() || dx < skill_->nearestAttack ||
        dx > skill_->attackReach || !JumpCanReach(me.x, rival.x, aimAfterMs, arrowDegreesPerMs_)) {
      continue;
    }
    // The weak: near the horde and slow to get up after earlier falls.
    const float score = skill_->huntsTheWeak ? 1000 - rival.x + 60 * rival.escapePresses
                                             : 1000 - dx + static_cast<float>(random.Float(0, 200));
    if (!best || score > bestScore) {
      best = &rival;
      bestScore = score;
    }
  }
  return best;
}

// Hammers the presses still needed, in one rhythm planned at once, as a person does.
void BotBrain::Hammer(const BotBody& me, uint32_t now, media::RandomStream& random) {
  if (hand_.Busy()) return;
  if (hand_.Intended()) LetGo(now, random);
  const int presses = static_cast<int>(std::ceil(me.pressesLeft)) + skill_->sparePresses;
  const float period = 1000 / skill_->pressesPerSecond;
  uint32_t at = Reach(now, random);
  for (int press = 0; press < presses; ++press) {
    const float beat =
        period * (1 + static_cast<float>(random.Float(-kHammerJitter, kHammerJitter)));
    at = hand_.Plan(true, at);
    hand_.Plan(false, at + static_cast<uint32_t>(beat / 2));
    at += static_cast<uint32_t>(beat);
  }
}

void BotBrain::WatchArrow(const BotBody& me, uint32_t now) {
  constexpr float kLearning = 0.2f;
  if (!me.arrow || *me.arrow <= kArrowEndDegrees) {
    lastArrowMs_ = 0;
    return;
  }
  if (lastArrowMs_ != 0 && now > lastArrowMs_ && *me.arrow < lastArrow_) {
    const float seen = (lastArrow_ - *me.arrow) / static_cast<float>(now - lastArrowMs_);
    arrowDegreesPerMs_ += kLearning * (seen - arrowDegreesPerMs_);
  }
  lastArrow_ = *me.arrow;
  lastArrowMs_ = now;
}

}  // namespace field
