#pragma once
// Plays the animations of a shared VBA set against the game clock and poses the skeleton: key
// frames blend linearly, angles along the shorter arc, and a new animation can blend in from the
// key frame reached by the old one.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "anim/rep_bone.h"

class VBA;
class VBABone;
class VBAFrame;

class AnimState {
 public:
  static constexpr int kMaxLevels = 64;  // the walk stacks; the root is level 0

  // Null without a set.
  static std::shared_ptr<AnimState> Create(std::shared_ptr<VBA> vba);

  // Advances over as many key frames as the time up to now covers.
  void Update(float now);
  // Starts animation index (-1 stops); the speed follows durationMs when it is above 0. With a
  // blend time the pose blends from the key frame reached so far into the animation's first one.
  // 1 on success, 0 (and nothing changed) when the index is out of range.
  int Play(int index, float now, int loop, int blendMs, int durationMs);
  // As Play with an explicit speed; a speed of 0 or less is refused (0).
  int PlayAtSpeed(int index, float now, int loop, int blendMs, float playSpeed);
  // Rebuilds repBones for the time, the owner's scale and the owner's rotation, greater depths
  // first.
  void Pose(float now, float sx, float sy, float angle);
  // Empties repBones and forgets every bone of the set.
  void Release();

  std::shared_ptr<VBA> vba;
  int32_t frameStart = 0;  // clock time at which currentFrame is reached
  int32_t frameEnd = 0;    // clock time at which nextFrame is reached; 0 = not advancing
  int32_t animIndex = -1;
  std::shared_ptr<VBAFrame> currentFrame;
  float speed = 1.0f;
  std::shared_ptr<VBAFrame> nextFrame;  // null = hold currentFrame
  int32_t looping = 0;
  int32_t finished = 1;
  std::vector<RepBone> repBones;

  // Walk stacks, one entry per level of the tree. The bones are the set's own: the walk only
  // borrows them while posing.
  std::array<const VBABone*, kMaxLevels> boneStack{};
  std::array<uint8_t, kMaxLevels> childIndex{};
  std::array<float, kMaxLevels> angleStack{};
  std::array<float, kMaxLevels> xStack{};
  std::array<float, kMaxLevels> yStack{};
  int32_t stackTop = -1;

 private:
  void Begin(int index, float now, int loop, int blendMs, float playSpeed);
  // Moves on to the next key frame; false when the state came to rest.
  bool Advance();
};
