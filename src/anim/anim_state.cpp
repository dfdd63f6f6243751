#include "anim/anim_state.h"

#include <cmath>
#include <limits>

#include "anim/vba.h"

namespace {

// Clock times are whole milliseconds in an int32. A key frame that would end beyond that range (a
// huge duration, or a speed near 0) ends at its edge instead: it is never reached in play.
int32_t ClockMs(float ms) {
  constexpr double kLatest = std::numeric_limits<int32_t>::max();
  constexpr double kEarliest = std::numeric_limits<int32_t>::min();
  const double wide = ms;
  if (std::isnan(wide)) return 0;
  if (wide >= kLatest) return std::numeric_limits<int32_t>::max();
  if (wide <= kEarliest) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(wide);
}

}  // namespace

std::shared_ptr<AnimState> AnimState::Create(std::shared_ptr<VBA> vba) {
  if (!vba) return nullptr;
  auto state = std::make_shared<AnimState>();
  state->vba = std::move(vba);
  return state;
}

int AnimState::Play(int index, float now, int loop, int blendMs, int durationMs) {
  if (index < -1 || index >= vba->animCount) return 0;
  float playSpeed = 1.0f;
  if (index >= 0) {
    const int totalTime = vba->anims[index]->totalTime;
    if (durationMs > 0 && totalTime > 0) {
      playSpeed = static_cast<float>(totalTime) / static_cast<float>(durationMs);
    }
  }
  Begin(index, now, loop, blendMs, playSpeed);
  return 1;
}

int AnimState::PlayAtSpeed(int index, float now, int loop, int blendMs, float playSpeed) {
  if (index < -1 || index >= vba->animCount || !(playSpeed > 0)) return 0;
  Begin(index, now, loop, blendMs, index >= 0 ? playSpeed : 1.0f);
  return 1;
}

void AnimState::Begin(int index, float now, int loop, int blendMs, float playSpeed) {
  animIndex = index;
  finished = 0;
  looping = loop;
  speed = playSpeed;
  if (index < 0) return;
  const auto& first = vba->anims[index]->firstFrame;
  if (blendMs != 0) {
    // currentFrame stays: the pose blends from wherever the previous animation got to.
    nextFrame = first;
    frameStart = ClockMs(now);
    frameEnd = ClockMs(now + static_cast<float>(blendMs));
    return;
  }
  currentFrame = first;
  nextFrame = first ? first->next : nullptr;
  if (nextFrame) {
    frameStart = ClockMs(now);
    frameEnd = ClockMs(static_cast<float>(frameStart) +
                       static_cast<float>(currentFrame->duration) / speed);
  } else {
    frameEnd = 0;
    if (!looping) finished = 1;
  }
}

bool AnimState::Advance() {
  currentFrame = nextFrame;
  nextFrame = currentFrame->next;
  if (!nextFrame) {
    if (!looping) {
      frameEnd = 0;
      finished = 1;
      return false;
    }
    nextFrame = vba->anims[animIndex]->firstFrame;
  }
  frameStart = frameEnd;
  frameEnd =
      ClockMs(static_cast<float>(frameStart) + static_cast<float>(currentFrame->duration) / speed);
  return true;
}

void AnimState::Update(float now) {
  if (animIndex == -1 || !currentFrame || frameEnd == 0) return;
  // A loop whose key frames all last 0 ms would never catch up: once it comes back round to the key
  // frame where time stopped moving, it holds that key frame instead.
  const VBAFrame* stalledAt = nullptr;
  while (static_cast<float>(frameEnd) < now && frameEnd != 0 && nextFrame) {
    if (!Advance()) return;
    if (frameEnd > frameStart) {
      stalledAt = nullptr;
    } else if (!stalledAt) {
      stalledAt = currentFrame.get();
    } else if (stalledAt == currentFrame.get()) {
      frameEnd = 0;
      return;
    }
  }
}

void AnimState::Release() {
  repBones.clear();
  boneStack.fill(nullptr);
}
