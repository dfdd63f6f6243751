// Looks files and drawn parts: faults are named, every part a key frame may name is drawn, and
// flipped parts keep their joint.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "look.h"
#include "parts.h"

namespace {

namespace fs = std::filesystem;

std::string FaultOf(const std::string& text) {
  const fs::path path =
      fs::temp_directory_path() / (std::string("skull_looks_test.txt_") + std::to_string(getpid()));
  std::ofstream(path) << text;
  try {
    chargen::LoadLooks(path.string());
  } catch (const std::runtime_error& error) {
    fs::remove(path);
    return error.what();
  }
  fs::remove(path);
  return "";
}

TEST(Looks, FaultsNameTheLineAndValue) {
  EXPECT_NE(FaultOf("look a player\n shirt 12345g\nend\n").find(":2: bad value '12345g' for shirt"),
            std::string::npos);
  EXPECT_NE(FaultOf("look a player\n hat_style crown\nend\n").find(":2:"), std::string::npos);
  EXPECT_NE(FaultOf("look a monster\nend\n").find(":1: unexpected"), std::string::npos);
  EXPECT_NE(FaultOf("look a zombie\n").find("missing 'end'"), std::string::npos);
  EXPECT_EQ(FaultOf("# nothing but a comment\nlook a zombie\n skin 8fa68a\nend\n"), "");
}

TEST(Parts, EveryLookHasEveryPartAndZombiesTheirOptionalPart) {
  chargen::Look player;
  chargen::Look zombie;
  zombie.zombie = true;
  const auto players = chargen::DrawLook(player, 0);
  const auto zombies = chargen::DrawLook(zombie, 20);
  for (int graph = chargen::kHead; graph <= chargen::kHeadDead; ++graph) {
    if (graph == chargen::kOptionalPart) continue;
    EXPECT_TRUE(players.count(graph)) << graph;
    EXPECT_TRUE(zombies.count(graph)) << graph;
    EXPECT_TRUE(zombies.count(graph + 20)) << graph;
  }
  EXPECT_FALSE(players.count(chargen::kOptionalPart));
  EXPECT_TRUE(zombies.count(chargen::kOptionalPart));
}

TEST(Parts, AFlippedPartKeepsItsJointAndMirrorsItsPixels) {
  chargen::Graph graph{3, 1, 1, 0, {0xFF000001, 0xFF000002, 0xFF000003}};
  const auto flipped = chargen::MirrorGraph(graph);
  EXPECT_EQ(flipped.handleX, 2);
  EXPECT_EQ(flipped.pixels, (std::vector<uint32_t>{0xFF000003, 0xFF000002, 0xFF000001}));
}

}  // namespace
