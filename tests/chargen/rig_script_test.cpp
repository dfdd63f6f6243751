// Rig scripts: limbs placed by their end joint land where asked and bend the right way, mirrored
// frames mirror, and faults name the file and line.
#include "rig_script.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "pose.h"

namespace {

namespace fs = std::filesystem;

class RigScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("skull_rig_script_test_") + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Write("leg.rig",
          "bone hips - 0 -50 10 3\n"
          "bone thigh hips 0 3 9 8\n"
          "bone shin thigh 0 24 8 9\n"
          "bone foot shin 0 22 7 10\n"
          "chain leg thigh shin foot knee\n"
          "mirror 20\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name) << text;
  }
  chargen::Rig Load(const std::string& text) {
    Write("test.rig", "include leg.rig\n" + text);
    return chargen::LoadRigScript((dir_ / "test.rig").string());
  }
  std::string FaultOf(const std::string& text) {
    try {
      Load(text);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  fs::path dir_;
};

TEST_F(RigScriptTest, AnInverseLimbPutsTheAnkleOnTheTargetWithTheKneeForward) {
  const auto rig =
      Load("pose p\n root 0 -40 10\n ik leg 12 -4 -5\nend\nanim 0 a once\n p 0\nend\n");
  const auto& states = rig.anims[0].frames[0].states;
  const auto world = chargen::WorldBones(rig, states);
  EXPECT_NEAR(world[3].x, 12, 0.01);
  EXPECT_NEAR(world[3].y, -4, 0.01);
  EXPECT_NEAR(world[3].angle, -5, 0.01);
  // The knee lies in front of (to the right of) the line from hip to ankle.
  const float cross = (world[3].x - world[1].x) * (world[2].y - world[1].y) -
                      (world[3].y - world[1].y) * (world[2].x - world[1].x);
  EXPECT_LT(cross, 0);
}

TEST_F(RigScriptTest, DerivedPosesOverrideTheirBaseAndMirrorsFlipEverything) {
  const auto rig = Load(
      "pose base\n root 0 -50 0\n thigh 10 graph=14\n shin 5\nend\n"
      "pose lifted : base\n shin 30\nend\n"
      "anim 1 walk loop\n base 100\n lifted 100\nend\n"
      "anim 2 back mirror 1\n");
  ASSERT_EQ(rig.anims.size(), 3u);
  EXPECT_TRUE(rig.anims[0].frames.empty());
  const auto& lifted = rig.anims[1].frames[1].states;
  EXPECT_FLOAT_EQ(lifted[1].angle, 10);
  EXPECT_FLOAT_EQ(lifted[2].angle, 30);
  EXPECT_EQ(lifted[1].graph, 14);
  const auto& mirrored = rig.anims[2].frames[1].states;
  EXPECT_TRUE(rig.anims[2].loop);
  EXPECT_FLOAT_EQ(mirrored[2].angle, -30);
  EXPECT_FLOAT_EQ(mirrored[0].y, -50);
  EXPECT_EQ(mirrored[1].graph, 34);
  EXPECT_EQ(mirrored[0].graph, 23);
}

TEST_F(RigScriptTest, FaultsNameTheFileAndLine) {
  EXPECT_NE(FaultOf("pose p\n elbow 3\nend\n").find("test.rig:3: unknown bone 'elbow'"),
            std::string::npos);
  EXPECT_NE(FaultOf("pose p\n ik leg 80 -4 0\nend\nanim 0 a once\n p 0\nend\n").find("test.rig:6:"),
            std::string::npos);
  EXPECT_NE(FaultOf("pose p\n thigh ten\n").find("'ten' is not a number"), std::string::npos);
  EXPECT_NE(FaultOf("anim 0 a once\n nowhere 10\nend\n").find("unknown pose"), std::string::npos);
  EXPECT_NE(FaultOf("anim 0 a once\nend\n").find("without key frames"), std::string::npos);
  EXPECT_NE(FaultOf("bone hips - 0 0 1 1\n").find("bone 'hips' defined twice"), std::string::npos);
  EXPECT_NE(FaultOf("pose p\n").find("missing 'end'"), std::string::npos);
}

}  // namespace
