#pragma once
// What the horde zombie and the walker share: a random look and tint, a walk style, the sub-step
// loop and the drawing. A zombie whose x is exactly -200 waits to be set up by its next Update.
#include <cstdint>
#include <memory>

#include "entities/marioneta.h"

class TAdministrador;
class TRecursos;

constexpr float kZombieWaitingX = -200.0f;

class TZombieBase : public TMarioneta {
 public:
  void Draw() override;
  // Sets the zombie up when it waits, then integrates the frame in sub-steps of at most 10 ms.
  void Update() override;

  TAdministrador* manager = nullptr;
  std::shared_ptr<TRecursos> resources;
  int32_t state = 0;  // the walk animation playing: 1, 3, 5, 7 walking in, one more turned back
  float speedX = 0;
  float speedY = 0;          // zombies do not move vertically
  int32_t variantGraph = 0;  // shown on bones marked 999; 0 = none
  int32_t onGround = 0;      // unused

 protected:
  // Stores the references and builds the animation state; false when something is missing.
  bool Attach(TAdministrador* owner, std::shared_ptr<TTimer> clock,
              std::shared_ptr<TRecursos> resourceManager);
  virtual void SetUp() = 0;
  // One sub-step after the motion; false once the zombie has removed itself.
  virtual bool SubStep(float step, float left) = 0;

  // One in four zombies shows the optional part.
  void DrawVariant();
  void DrawPackage();
  void DrawTint();
  // Starts walk style 0-3 (animation 1, 3, 5 or 7), holding its first pose for blendMs so that
  // zombies walk out of step.
  void StartWalk(int style, int blendMs);
  // Moves speedX towards target by rate × ms, stopping there.
  void Approach(float target, float rate, float ms);
};
