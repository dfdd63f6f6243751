#pragma once
// One bot: looks at the field once a frame and plans what its hand does with the button. On the
// ground it leaves the ground when a rival aims, dives or crouches at it, guards against walkers,
// hops back right when pushed towards the horde, and goes after its rivals: a jump and a dive at
// those a dive reaches, a crouch that trips the one beside it, a long crouch that creeps left
// towards the others. In the air it picks the dive that meets a rival or a walker; down, it
// hammers.
#include <cstdint>
#include <optional>

#include "field/bot_hand.h"
#include "field/bot_skill.h"
#include "field/bot_view.h"
#include "field/dive_aim.h"
#include "media/system.h"

namespace field {

class BotBrain {
 public:
  BotBrain(int slot, int button, const BotSkill& skill, media::RandomStream& random);

  void Think(const BotView& view, uint32_t now, media::RandomStream& random);
  void Feed(media::InputState& input, uint32_t now) { hand_.Feed(input, now); }
  void LetGoAll(media::InputState& input) { hand_.LetGoAll(input); }

 private:
  struct DiveChoice {
    float degrees = 0;
    float worth = 0;
  };

  void Entered(const BotBody& me, uint32_t now, media::RandomStream& random);
  void OnGround(const BotBody& me, const BotView& view, uint32_t now, media::RandomStream& random);
  enum class Threat { kNone, kStay, kLeave, kCrouch };
  // Whether a rival threatens the bot, and whether leaving the ground is the better answer: one
  // diving at it, one whose arrow can still be let go at it, one on the ground beside it that a
  // crouch would bring into it.
  Threat Assess(const BotBody& me, const BotView& view) const;
  // Sees a new threat (or overlooks it) and leaves the ground, or lets a crouch go sooner.
  void AnswerThreat(const BotBody& me, const BotView& view, uint32_t now,
                    media::RandomStream& random);
  // A rival out of reach of a dive: the bot creeps or jumps towards it.
  bool SeekFight(const BotBody& me, const BotView& view, uint32_t now, media::RandomStream& random);
  void InAir(const BotBody& me, const BotView& view, uint32_t now, media::RandomStream& random);
  void Hammer(const BotBody& me, uint32_t now, media::RandomStream& random);
  // The first moment a decision made now reaches the button.
  uint32_t Reach(uint32_t now, media::RandomStream& random);
  void LetGo(uint32_t now, media::RandomStream& random);
  // Presses at the first moment the hand can and lets go holdMs later.
  void Tap(uint32_t now, int holdMs, media::RandomStream& random);
  // A walker will reach a crouch's reach about when a press made now would, and the bot sees it.
  bool WalkerComing(const BotBody& me, const BotView& view, media::RandomStream& random);
  const BotBody* RivalToAttack(const BotBody& me, const BotView& view,
                               media::RandomStream& random) const;
  // A rival on its feet beside the bot, that a crouch trips as it drifts left.
  const BotBody* RivalToTrip(const BotBody& me, const BotView& view) const;
  std::optional<DiveChoice> BestDive(const BotBody& me, const BotView& view, uint32_t pressAt,
                                     uint32_t now) const;
  float DiveWorth(const BotBody& me, const BotView& view, Flight start, float degrees) const;
  void WatchArrow(const BotBody& me, uint32_t now);

  int slot_ = 0;
  const BotSkill* skill_ = nullptr;
  BotHand hand_;
  int lastState_ = 0;
  // It jumped to get away from the horde, and dives flat if nothing better.
  bool homingRight_ = false;
  uint32_t nextAttackMs_ = 0;
  bool walkerNear_ = false;   // a walker is on its way, seen or not
  bool overlooking_ = false;  // ... and the bot has not seen it
  bool threatNear_ = false;   // a rival threatens it, seen or not
  bool dodgeDue_ = false;     // ... seen, and not yet answered
  uint32_t lastThinkMs_ = 0;
  float arrowDegreesPerMs_ = 0.08f;  // learnt by watching its own arrow turn
  float lastArrow_ = 0;
  uint32_t lastArrowMs_ = 0;
};

}  // namespace field
