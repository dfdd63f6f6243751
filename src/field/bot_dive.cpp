// The bot in the air: when to bring the arrow up and where to let it go. It foresees its own
// coast while the arrow sweeps down from 85 degrees, and the dive each angle would make.
#include <cmath>
#include <limits>

#include "entities/jugador.h"
#include "field/bot_brain.h"

namespace field {

namespace {

constexpr float kRivalWorth = 100;
constexpr float kWalkerWorth = 60;
constexpr float kHomeWorth = 20;
constexpr float kLandingClearOfWalkers = 45;
constexpr float kSafeLandingX = 120;
constexpr float kHomeMargin = 80;  // in the air a little further right is worth getting back to
constexpr float kNoWorth = -std::numeric_limits<float>::infinity();

}  // namespace

void BotBrain::InAir(const BotBody& me, const BotView& view, uint32_t now,
                     media::RandomStream& random) {
  if (hand_.Busy()) return;
  // Presses count only once the jump has turned into aiming.
  if (me.state != kAim || hand_.Intended()) {
    if (hand_.Intended()) LetGo(now, random);
    return;
  }
  const uint32_t pressAt = Reach(now, random);
  const auto choice = BestDive(me, view, pressAt, now);
  if (!choice) return;
  const float sweepMs = (kArrowStartDegrees - choice->degrees) / arrowDegreesPerMs_;
  const float lagMs = (1 - skill_->arrowLead) * static_cast<float>(hand_.reactionMs());
  const float spreadMs = skill_->aimSpreadDegrees / arrowDegreesPerMs_;
  const float missMs = static_cast<float>(random.Float(-spreadMs, spreadMs));
  hand_.Plan(true, pressAt);
  hand_.Plan(false, pressAt + static_cast<uint32_t>(std::max(0.0f, sweepMs + lagMs + missMs)));
}

std::optional<BotBrain::DiveChoice> BotBrain::BestDive(const BotBody& me, const BotView& view,
                                                       uint32_t pressAt, uint32_t now) const {
  std::optional<DiveChoice> best;
  for (float degrees = kArrowStartDegrees - kAimAngleStep; degrees >= kArrowEndDegrees;
       degrees -= kAimAngleStep) {
    const float releaseMs =
        static_cast<float>(pressAt - now) + (kArrowStartDegrees - degrees) / arrowDegreesPerMs_;
    const Flight start = Coast(FlightOf(me), releaseMs);
    if (start.y >= kLatestRelease) break;
    const float worth = DiveWorth(me, view, start, degrees);
    if (worth > 0 && (!best || worth > best->worth)) best = DiveChoice{degrees, worth};
  }
  return best;
}

// A dive is worth most when it knocks a rival down, or meets one where its own dive lands (the
// weaker the better, for a bot that hunts the weak), less when it throws a walker back, a little
// when it only carries the bot away from the horde; landing beside a walker or near the horde
// spoils it.
float BotBrain::DiveWorth(const BotBody& me, const BotView& view, Flight start,
                          float degrees) const {
  float worth = kNoWorth;
  for (const BotBody& rival : view.players) {
    if (rival.slot == slot_) continue;
    // A rival diving lands, and stands there a moment, where its dive ends.
    const bool diving = rival.state == kDive;
    if (!diving && !rival.Hittable()) continue;
    const float at = diving ? FlightLandingX(FlightOf(rival)) : rival.x;
    if (DiveMeetsRival(start, degrees, at) < 0) continue;
    const float weakness =
        skill_->huntsTheWeak ? (800 - rival.x) / 20 + 5 * rival.escapePresses : 0;
    worth = std::max(worth, kRivalWorth + weakness);
  }
  for (const BotWalker& walker : view.walkers) {
    if (DiveMeetsWalker(start, degrees, walker.x, walker.speedX) >= 0) {
      worth = std::max(worth, kWalkerWorth);
    }
  }
  const float landing = DiveLandingX(start, degrees);
  if (worth == kNoWorth && (homingRight_ || me.x < skill_->keepRightOf + kHomeMargin)) {
    worth = kHomeWorth + (landing - me.x) / 20;
  }
  if (worth == kNoWorth) return worth;
  for (const BotWalker& walker : view.walkers) {
    if (std::fabs(walker.x - landing) < kLandingClearOfWalkers) worth -= kWalkerWorth;
  }
  if (landing < kSafeLandingX) worth -= kRivalWorth;
  return worth;
}

}  // namespace field
