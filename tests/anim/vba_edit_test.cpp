// Editing a set in memory: finding bones, removing bones on the tree shapes it tells apart,
// renumbering, and the frame chain operations.
#include <gtest/gtest.h>

#include "anim/vba.h"

namespace {

VBABonePtr Bone(int id, std::vector<VBABonePtr> children = {}) {
  VBABonePtr bone = VBABone::Create();
  bone->id = id;
  for (VBABonePtr& child : children) bone->AddChild(std::move(child));
  return bone;
}

// root 0 -> [1 -> [3], 2 -> [4, 5]], one animation of two frames whose state i has depth i and
// graph 10 + i.
VBAPtr SampleSet() {
  VBAPtr set = VBA::Create();
  set->root = Bone(0, {Bone(1, {Bone(3)}), Bone(2, {Bone(4), Bone(5)})});
  set->boneCount = 6;
  VBAAnimPtr anim = VBAAnim::Create();
  for (int duration : {100, 50}) {
    VBAFramePtr frame = VBAFrame::Create();
    frame->duration = duration;
    for (int i = 0; i < 6; ++i) frame->states.push_back({0, 0, 0, 1, i, 10 + i});
    anim->AddFrame(frame);
  }
  set->anims.push_back(anim);
  set->animCount = 1;
  return set;
}

std::vector<int> Ids(const VBABonePtr& bone) {
  std::vector<int> ids;
  for (const VBABonePtr& child : bone->children) ids.push_back(child->id);
  return ids;
}

TEST(VbaFind, BonesAndParents) {
  const VBAPtr set = SampleSet();
  EXPECT_EQ(set->FindBone(5)->id, 5);
  EXPECT_EQ(set->FindBone(0), set->root);
  EXPECT_FALSE(set->FindBone(6));
  EXPECT_EQ(set->FindParent(5)->id, 2);
  EXPECT_EQ(set->FindParent(3)->id, 1);
  EXPECT_FALSE(set->FindParent(0));
  EXPECT_FALSE(set->FindParent(6));
}

TEST(VbaRemoveBone, RefusesBranchingAndUnknownBones) {
  VBAPtr set = SampleSet();
  EXPECT_EQ(set->RemoveBone(2), 2);
  EXPECT_EQ(set->RemoveBone(0), 2);
  EXPECT_EQ(set->RemoveBone(6), 1);
  EXPECT_EQ(set->boneCount, 6);
}

TEST(VbaRemoveBone, ABoneWithOneChildIsReplacedByIt) {
  VBAPtr set = SampleSet();
  ASSERT_EQ(set->RemoveBone(1), 0);
  EXPECT_EQ(set->boneCount, 5);
  // 3 moved up into 1's place; every id above 1 fell by one.
  EXPECT_EQ(Ids(set->root), (std::vector<int>{2, 1}));
  EXPECT_EQ(Ids(set->root->children[1]), (std::vector<int>{3, 4}));
  const std::vector<VBABoneState>& states = set->anims[0]->GetFrame(1)->states;
  ASSERT_EQ(states.size(), 5u);
  EXPECT_EQ(states[1].graph, 12);
  // Depths above the removed id fall by one as well.
  EXPECT_EQ(states[0].depth, 0);
  EXPECT_EQ(states[1].depth, 1);
  EXPECT_EQ(states[4].depth, 4);
}

TEST(VbaRemoveBone, ALeafLeavesItsParent) {
  VBAPtr set = SampleSet();
  ASSERT_EQ(set->RemoveBone(4), 0);
  EXPECT_EQ(Ids(set->root->children[1]), (std::vector<int>{4}));
  EXPECT_EQ(set->root->children[1]->childCount, 1);
  EXPECT_EQ(set->anims[0]->firstFrame->states[4].graph, 15);
}

TEST(VbaRemoveBone, TheRootGivesWayToItsOnlyChildOrLeavesNoTree) {
  VBAPtr set = VBA::Create();
  set->root = Bone(0, {Bone(1, {Bone(2)})});
  set->boneCount = 3;
  ASSERT_EQ(set->RemoveBone(0), 0);
  EXPECT_EQ(set->root->id, 0);
  EXPECT_EQ(Ids(set->root), (std::vector<int>{1}));
  ASSERT_EQ(set->RemoveBone(1), 0);
  ASSERT_EQ(set->RemoveBone(0), 0);
  EXPECT_FALSE(set->root);
  EXPECT_EQ(set->boneCount, 0);
}

TEST(VbaAnims, RemoveAndInsertKeepTheNumbering) {
  VBAPtr set = VBA::Create();
  for (int i = 0; i < 3; ++i) {
    set->anims.push_back(VBAAnim::Create());
    set->anims.back()->totalTime = i;
  }
  set->animCount = 3;
  const VBAAnimPtr last = set->anims[2];
  set->RemoveAnim(0);
  EXPECT_EQ(set->animCount, 2);
  EXPECT_EQ(set->anims.size(), 3u);
  EXPECT_EQ(set->anims[1], last);
  set->InsertAnim(1);
  EXPECT_EQ(set->animCount, 3);
  EXPECT_EQ(set->anims[1]->frameCount, 0);
  EXPECT_EQ(set->anims[2], last);
}

TEST(VbaFrames, ChainOperations) {
  VBAPtr set = SampleSet();
  const VBAAnimPtr anim = set->anims[0];
  VBAFramePtr third = VBAFrame::Create();
  third->duration = 25;
  anim->AddFrame(third);
  EXPECT_EQ(anim->GetTotalTime(), 175);
  EXPECT_FALSE(anim->GetFrame(3));

  const VBAFramePtr copy = anim->firstFrame->Copy();
  EXPECT_FALSE(copy->next);
  EXPECT_EQ(copy->duration, 100);
  EXPECT_EQ(copy->states[5].graph, 15);

  const VBAFramePtr middle = anim->GetFrame(1);
  anim->RemoveFrame(1);
  EXPECT_EQ(anim->frameCount, 2);
  EXPECT_TRUE(middle->states.empty());
  EXPECT_EQ(anim->GetFrame(1)->duration, 25);
  EXPECT_EQ(anim->totalTime, 175);
  EXPECT_EQ(anim->GetTotalTime(), 125);
  anim->RemoveFrame(0);
  EXPECT_EQ(anim->firstFrame->duration, 25);

  set->Clear();
  EXPECT_FALSE(set->root);
  EXPECT_TRUE(set->anims.empty());
  EXPECT_EQ(set->animCount, 1);
  EXPECT_EQ(set->boneCount, 6);
}

TEST(VbaFrames, ALongChainIsReleasedWithoutDeepRecursion) {
  VBAAnimPtr anim = VBAAnim::Create();
  VBAFramePtr first = VBAFrame::Create();
  VBAFrame* last = first.get();
  for (int i = 0; i < 1000000; ++i) {
    last->next = VBAFrame::Create();
    last = last->next.get();
  }
  anim->firstFrame = std::move(first);
  anim.reset();
  SUCCEED();
}

}  // namespace
