// Posing the skeleton: blends, the tree walk, mirroring and the draw order.
#include <gtest/gtest.h>

#include <cmath>

#include "anim/anim_state.h"
#include "skeleton.h"

namespace {

// Bones: 0 root, 1 child of 0, 2 child of 1, 3 second child of 0.
struct PoseTest : ::testing::Test {
  PoseTest() : set(MakeSet({0, 1, 0})) { state = AnimState::Create(set); }

  // A two-key-frame animation of 200 ms each, played from time 1000.
  void PlayBlend(const std::vector<VBABoneState>& from, const std::vector<VBABoneState>& to) {
    auto a = MakeFrame(*set, 200), b = MakeFrame(*set, 200);
    a->states = from;
    b->states = to;
    AddAnim(*set, {a, b});
    ASSERT_EQ(state->Play(set->animCount - 1, 1000, 0, 0, 0), 1);
  }
  std::vector<VBABoneState> Uniform(VBABoneState bone) const {
    return std::vector<VBABoneState>(set->boneCount, bone);
  }
  const RepBone& Bone(int graph) const {
    for (const RepBone& b : state->repBones) {
      if (b.graph == graph) return b;
    }
    static RepBone none;
    ADD_FAILURE() << "no posed bone with graph " << graph;
    return none;
  }

  VBAPtr set;
  std::shared_ptr<AnimState> state;
};

TEST_F(PoseTest, AnglesBlendAlongTheShorterArc) {
  struct Case {
    float from, to, expected;
  } cases[] = {{350, 10, 0}, {10, 350, 0}, {0, 180, -90}, {180, 0, -90}, {30, 90, 60}};
  for (const Case& c : cases) {
    PlayBlend(Uniform(At(0, 0, c.from)), Uniform(At(0, 0, c.to)));
    state->Pose(1100, 1, 1, 0);  // t = 0.5
    ASSERT_FALSE(state->repBones.empty());
    EXPECT_FLOAT_EQ(state->repBones[0].angle, c.expected) << c.from << " to " << c.to;
  }
}

TEST_F(PoseTest, OffsetsBlendByTheTimeBetweenTheKeyFramesUnclamped) {
  PlayBlend(Uniform(At(0, 0, 0)), Uniform(At(100, -40, 0)));
  state->Pose(1050, 1, 1, 0);
  EXPECT_FLOAT_EQ(state->repBones[0].x, 25);
  EXPECT_FLOAT_EQ(state->repBones[0].y, -10);
  state->Pose(1300, 1, 1, 0);  // past frameEnd without an Update: overshoots
  EXPECT_FLOAT_EQ(state->repBones[0].x, 150);
}

TEST_F(PoseTest, ChildrenHangOffTheirParentsTurnedByTheAccumulatedAngle) {
  auto states = Uniform(At(10, 0, 0));
  states[0] = At(5, 0, 90, 0, 10);   // the root points down
  states[1] = At(10, 0, 90, 0, 11);  // then left
  states[2] = At(10, 0, 0, 0, 12);
  states[3] = At(0, 20, 0, 0, 13);
  AddAnim(*set, {MakeFrame(*set, 0)})->firstFrame->states = states;
  state->Play(0, 0, 0, 0, 0);
  state->Pose(0, 2, 1, 0);
  ASSERT_EQ(state->repBones.size(), 4u);
  EXPECT_NEAR(Bone(10).x, 10, 1e-4);  // the root's offset, owner scale 2 across
  EXPECT_NEAR(Bone(11).x, 10, 1e-4);
  EXPECT_NEAR(Bone(11).y, 10, 1e-4);
  EXPECT_FLOAT_EQ(Bone(11).angle, 180);
  EXPECT_NEAR(Bone(12).x, -10, 1e-4);
  EXPECT_NEAR(Bone(12).y, 10, 1e-4);
  EXPECT_NEAR(Bone(13).x, -30, 1e-4);  // down the root's frame: 20 to the left
  EXPECT_NEAR(Bone(13).y, 0, 1e-4);
}

TEST_F(PoseTest, MirroringWhileHoldingNegatesEveryXAndAngle) {
  auto states = Uniform(At(12, 7, 25));
  AddAnim(*set, {MakeFrame(*set, 0)})->firstFrame->states = states;
  state->Play(0, 0, 0, 0, 0);
  state->Pose(0, 1, 1, 40);
  const auto plain = state->repBones;
  state->Pose(0, -1, 1, 40);
  ASSERT_EQ(state->repBones.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_FLOAT_EQ(state->repBones[i].x, -plain[i].x);
    EXPECT_FLOAT_EQ(state->repBones[i].y, plain[i].y);
    EXPECT_FLOAT_EQ(state->repBones[i].angle, -plain[i].angle);
  }
}

TEST_F(PoseTest, MirroringWhileBlendingScalesTheRootsCrossTerms) {
  PlayBlend(Uniform(At(12, 7, 25)), Uniform(At(12, 7, 25)));
  state->Pose(1100, 1, 1, 0);
  const auto plain = state->repBones;
  state->Pose(1100, -1, 1, 0);  // owner angle 0: a plain mirror image
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_FLOAT_EQ(state->repBones[i].x, -plain[i].x);
    EXPECT_FLOAT_EQ(state->repBones[i].angle, -plain[i].angle);
  }
  state->Pose(1100, -1, 1, 30);
  const float s = sinTable[300], c = cosTable[300];
  EXPECT_FLOAT_EQ(Bone(1).x, -(12 * c + 7 * s));  // px = ox cos θ − sx (oy sin θ), then × sx
  EXPECT_FLOAT_EQ(Bone(1).y, 7 * c + 12 * s);     // py = oy cos θ + sy (ox sin θ)
}

TEST_F(PoseTest, GreaterDepthsComeFirstAndEqualDepthsKeepTheWalkOrder) {
  auto states = Uniform(At(1, 1, 0));
  states[0] = At(0, 0, 0, 5, 10);
  states[1] = At(0, 0, 0, 5, 11);
  states[2] = At(0, 0, 0, 9, 12);
  states[3] = At(0, 0, 0, 5, 13);
  AddAnim(*set, {MakeFrame(*set, 0)})->firstFrame->states = states;
  state->Play(0, 0, 0, 0, 0);
  state->Pose(0, 1, 1, 0);
  std::vector<int> order;
  for (const RepBone& b : state->repBones) order.push_back(b.graph);
  EXPECT_EQ(order, (std::vector<int>{12, 10, 11, 13}));
}

TEST_F(PoseTest, AnAngleJustBelowZeroReadsTheFirstTableEntry) {
  AddAnim(*set, {MakeFrame(*set, 0, At(10, 0, 0))});
  state->Play(0, 0, 0, 0, 0);
  state->Pose(0, 1, 1, -0.00001f);  // normalises to 360.0 in single precision
  EXPECT_EQ(state->repBones[0].x, 10.0f);
  EXPECT_EQ(state->repBones[0].y, 0.0f);
  state->Pose(0, 1, 1, 719.95f);  // 359.95: entry 3599
  EXPECT_FLOAT_EQ(state->repBones[0].y, 10 * sinTable[3599]);
}

TEST_F(PoseTest, NothingIsPosedWhenStoppedAndReleaseForgetsTheBones) {
  AddAnim(*set, {MakeFrame(*set, 0, At(1, 1, 0))});
  state->Play(0, 0, 0, 0, 0);
  state->Pose(0, 1, 1, 0);
  EXPECT_EQ(state->repBones.size(), 4u);
  state->Release();
  EXPECT_TRUE(state->repBones.empty());
  for (const VBABone* bone : state->boneStack) EXPECT_EQ(bone, nullptr);
  state->Play(-1, 0, 0, 0, 0);
  state->Pose(0, 1, 1, 0);
  EXPECT_TRUE(state->repBones.empty());
}

}  // namespace
