// The built animations posed by the game's own playback: the puppets stand as tall as the
// collision box expects, and walking and running feet come down onto the ground line without
// sinking through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "anim/anim_state.h"
#include "anim/vba.h"
#include "media/trig.h"

namespace {

const std::string kBuild = SKULL_BUILD_DIR;
constexpr float kClockStart = 1000;
// Graphs of the near and far foot and of the head with its face variants.
constexpr int kFeet[] = {10, 16, 30, 36};
constexpr int kHeads[] = {1, 17, 18, 19};
// A standing ankle sits this far above the ground line (the shoe's sole below it).
constexpr float kAnkleHeight = -4;
// From the neck joint to the top of the skull, as the heads are drawn.
constexpr float kNeckToCrown = 31;

template <size_t N>
bool OneOf(int graph, const int (&graphs)[N]) {
  return std::find(std::begin(graphs), std::end(graphs), graph) != std::end(graphs);
}

struct Extent {
  float lowestAnkle = -1000;  // greatest y reached by any foot
  float highestAnkle = 1000;  // least y, per cycle
  float crown = 0;            // head top at the start
};

Extent Sweep(const std::string& file, int index) {
  FillTrigTables();
  const auto state = AnimState::Create(VBA::Load(kBuild + "/" + file));
  EXPECT_EQ(state->Play(index, kClockStart, 1, 0, 0), 1);
  Extent extent;
  int length = 0;
  for (auto f = state->vba->anims[index]->firstFrame; f; f = f->next) length += f->duration;
  for (int t = 0; t <= length; t += 5) {
    state->Update(kClockStart + t);
    state->Pose(kClockStart + t, 1, 1, 0);
    for (const RepBone& bone : state->repBones) {
      if (OneOf(bone.graph, kFeet)) {
        extent.lowestAnkle = std::max(extent.lowestAnkle, bone.y);
        extent.highestAnkle = std::min(extent.highestAnkle, bone.y);
      }
      if (t == 0 && OneOf(bone.graph, kHeads)) extent.crown = bone.y - kNeckToCrown;
    }
  }
  return extent;
}

TEST(PosedCharacters, StandingPuppetsReachTheirHeadTopNear115) {
  for (const auto& [file, index] : {std::pair{"anim/animchr.vba", 0},
                                    {"anim/animchr.vba", 1},
                                    {"anim/animzombie.vba", 0},
                                    {"anim/animzombie.vba", 1}}) {
    const Extent extent = Sweep(file, index);
    EXPECT_GE(extent.crown, -122) << file << " #" << index;
    EXPECT_LE(extent.crown, -108) << file << " #" << index;
  }
}

TEST(PosedCharacters, WalkingAndRunningFeetMeetTheGroundWithoutSinking) {
  const std::vector<std::pair<std::string, int>> gaits = {
      {"anim/animchr.vba", 1},    {"anim/animzombie.vba", 1}, {"anim/animzombie.vba", 2},
      {"anim/animzombie.vba", 3}, {"anim/animzombie.vba", 4}, {"anim/animzombie.vba", 5},
      {"anim/animzombie.vba", 7}, {"anim/animzombie.vba", 8}};
  for (const auto& [file, index] : gaits) {
    const Extent extent = Sweep(file, index);
    EXPECT_NEAR(extent.lowestAnkle, kAnkleHeight, 2.0f) << file << " #" << index;
    EXPECT_LT(extent.highestAnkle, kAnkleHeight - 5)
        << file << " #" << index << " never lifts a foot";
  }
}

}  // namespace
