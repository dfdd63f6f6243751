// Reading and writing VBA files: the tree walk, key frames, versions and every refusal.
#include <gtest/gtest.h>

#include "anim/vba.h"
#include "format_files/fatal.h"
#include "format_files/vba_bytes.h"

namespace {

// A root (id 0) with two leaf children (ids 1 and 2), as the writer lays it out.
FileBytes ThreeBoneTree(int version = 2) {
  FileBytes file = VbaHeader(version);
  AddBone(file, 0, "hip", 3, 4);
  AddBone(file, 1, "leg").Byte(255);
  AddBone(file, 2, "arm").Byte(255);
  return file.Byte(255);
}

TEST(VbaLoad, ReadsTreeAndKeyFrames) {
  ScratchFolder folder;
  FileBytes file = ThreeBoneTree();
  file.Short(2).Short(100);
  for (int id = 0; id < 3; ++id) AddState(file, {1.5f * id, -2, 45, id, 0.5f, 10 + id});
  file.Short(60);
  for (int id = 0; id < 3; ++id) AddState(file, {});
  file.Short(0).Short(30);  // frameCount 0 still holds its one frame
  for (int id = 0; id < 3; ++id) AddState(file, {});
  file.WriteTo(folder.File("a.vba"));

  const VBAPtr set = VBA::Load(folder.File("a.vba"));
  EXPECT_EQ(set->headerNumber, 7.0f);
  ASSERT_EQ(set->boneCount, 3);
  EXPECT_EQ(set->root->name, "hip");
  EXPECT_EQ(set->root->extra1, 3);
  ASSERT_EQ(set->root->childCount, 2);
  EXPECT_EQ(set->root->children[1]->name, "arm");
  ASSERT_EQ(set->animCount, 2);
  const VBAAnimPtr& walk = set->anims[0];
  EXPECT_EQ(walk->frameCount, 2);
  EXPECT_EQ(walk->totalTime, 160);
  const VBABoneState& arm = walk->firstFrame->states[2];
  EXPECT_EQ(arm.x, 3.0f);
  EXPECT_EQ(arm.y, -2.0f);
  EXPECT_EQ(arm.angle, 45.0f);
  EXPECT_EQ(arm.depth, 2);
  EXPECT_EQ(arm.scale, 0.5f);
  EXPECT_EQ(arm.graph, 12);
  EXPECT_EQ(set->anims[1]->frameCount, 0);
  EXPECT_EQ(set->anims[1]->totalTime, 30);
  EXPECT_FALSE(set->anims[1]->firstFrame->next);
}

TEST(VbaLoad, OlderVersionsHaveNoScale) {
  ScratchFolder folder;
  for (int version : {0, 1}) {
    FileBytes file = ThreeBoneTree(version);
    file.Short(1).Short(10);
    for (int id = 0; id < 3; ++id) AddState(file, {1, 2, 3, 4, 9, 5 + id}, version);
    file.WriteTo(folder.File("old.vba"));
    const VBAPtr set = VBA::Load(folder.File("old.vba"));
    ASSERT_EQ(set->animCount, 1);
    EXPECT_EQ(set->anims[0]->firstFrame->states[2].scale, 1.0f);
    EXPECT_EQ(set->anims[0]->firstFrame->states[2].graph, 7);
  }
}

TEST(VbaLoad, AcceptsAChainOf64Bones) {
  ScratchFolder folder;
  FileBytes file = VbaHeader();
  for (int id = 0; id < 64; ++id) AddBone(file, id, "b");
  for (int id = 0; id < 64; ++id) file.Byte(255);
  file.WriteTo(folder.File("chain.vba"));
  const VBAPtr set = VBA::Load(folder.File("chain.vba"));
  EXPECT_EQ(set->boneCount, 64);
  EXPECT_EQ(set->FindParent(63)->id, 62);
}

TEST(VbaLoad, FileEndingAfterTheTreeHasNoAnimations) {
  ScratchFolder folder;
  ThreeBoneTree().WriteTo(folder.File("a.vba"));
  EXPECT_EQ(VBA::Load(folder.File("a.vba"))->animCount, 0);
}

TEST(VbaSave, WritesTheTreeWalkAndVersionTwoStates) {
  ScratchFolder folder;
  FileBytes file = ThreeBoneTree(1);
  file.Short(1).Short(10);
  for (int id = 0; id < 3; ++id) AddState(file, {1, 2, 3, 4, 1, 5}, 1);
  file.WriteTo(folder.File("old.vba"));
  VBA::Load(folder.File("old.vba"))->Save(folder.File("new.vba"));

  FileBytes expected = ThreeBoneTree(2);
  expected.Short(1).Short(10);
  for (int id = 0; id < 3; ++id) AddState(expected, {1, 2, 3, 4, 1, 5});
  EXPECT_EQ(ReadFileBytes(folder.File("new.vba")), expected.Bytes());
  VBA::Load(folder.File("new.vba"))->Save(folder.File("again.vba"));
  EXPECT_EQ(ReadFileBytes(folder.File("again.vba")), expected.Bytes());
}

TEST(VbaSave, BuiltSetRoundTrips) {
  ScratchFolder folder;
  VBAPtr set = VBA::Create();
  set->headerNumber = 12.9f;
  set->root = VBABone::Create();
  set->root->name = "solo";
  set->boneCount = 1;
  VBAAnimPtr anim = VBAAnim::Create();
  VBAFramePtr frame = VBAFrame::Create();
  frame->duration = 250;
  frame->states.push_back({0.1f, -7.25f, 359.5f, 2.0f, 3, 65535});
  anim->AddFrame(frame);
  set->anims.push_back(anim);
  set->animCount = 1;
  set->Save(folder.File("b.vba"));

  const VBAPtr back = VBA::Load(folder.File("b.vba"));
  EXPECT_EQ(back->headerNumber, 12.0f);
  EXPECT_EQ(back->root->name, "solo");
  const VBABoneState& state = back->anims[0]->firstFrame->states[0];
  EXPECT_EQ(state.x, 0.1f);
  EXPECT_EQ(state.angle, 359.5f);
  EXPECT_EQ(state.graph, 65535);
  EXPECT_EQ(back->anims[0]->totalTime, 250);
}

TEST(VbaFailures, HeaderProblems) {
  ScratchFolder folder;
  const std::string path = folder.File("x.vba");
  ExpectVbaFailure([&] { VBA::Load(path); }, "VBA " + path + " not found");
  VbaHeader(3).WriteTo(path);
  ExpectVbaFailure([&] { VBA::Load(path); }, "VBA " + path + " wrong version");
  FileBytes().Text("t.n").Byte(2).Text("vbb").WriteTo(path);
  ExpectVbaFailure([&] { VBA::Load(path); }, "VBA " + path + " bad file format");
  FileBytes().Text("T.n").WriteTo(path);
  ExpectVbaFailure([&] { VBA::Load(path); }, "VBA " + path + " bad file format");
}

TEST(VbaFailures, TreeProblems) {
  ScratchFolder folder;
  const std::string path = folder.File("x.vba");
  const std::string name = "VBA " + path;
  auto expectRefused = [&](const FileBytes& file, const std::string& problem) {
    file.WriteTo(path);
    ExpectVbaFailure([&] { VBA::Load(path); }, name + problem);
  };
  FileBytes rootTooHigh = VbaHeader();
  expectRefused(AddBone(rootTooHigh, 64, "r"), " bad file format");
  FileBytes treeByte = VbaHeader();
  expectRefused(AddBone(treeByte, 0, "r").Byte(200), " bad file format");
  FileBytes repeated = VbaHeader();
  AddBone(repeated, 0, "r");
  expectRefused(AddBone(repeated, 0, "again").Byte(255).Byte(255), " repeats bone id 0");
  FileBytes beyondCount = VbaHeader();
  AddBone(beyondCount, 0, "r");
  expectRefused(AddBone(beyondCount, 5, "far").Byte(255).Byte(255),
                " has a bone id out of range (5)");
  FileBytes tooMany = VbaHeader();
  AddBone(tooMany, 0, "r");
  for (int id = 1; id < 65; ++id) AddBone(tooMany, id % 64, "b").Byte(255);
  expectRefused(tooMany, " has more than 64 bones");
  FileBytes tooDeep = VbaHeader();
  for (int id = 0; id < 65; ++id) AddBone(tooDeep, id % 64, "b");
  expectRefused(tooDeep, " has more than 64 bones");
}

TEST(VbaFailures, CutShortRaisesTheReadErrorNamingTheFile) {
  ScratchFolder folder;
  const std::string path = folder.File("cut.vba");
  FileBytes file = ThreeBoneTree();
  file.Short(1).Short(10);
  AddState(file, {});
  file.WriteTo(path);
  const FatalEnd end = RunToFatalEnd([&] { VBA::Load(path); });
  EXPECT_TRUE(end.readPastEnd);
  EXPECT_NE(end.raised.find(path), std::string::npos);
}

TEST(VbaFailures, SaveToAnUnwritablePath) {
  ScratchFolder folder;
  VBAPtr set = VBA::Create();
  set->root = VBABone::Create();
  set->boneCount = 1;
  const std::string path = folder.File("no/folder.vba");
  ExpectVbaFailure([&] { set->Save(path); }, "Could not create VBA " + path);
}

}  // namespace
