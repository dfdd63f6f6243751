// Looks files and drawn parts: faults are named, every part a key frame may name is drawn, and
// flipped parts keep their joint.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
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

// CIELAB (D65) of an sRGB colour, for telling how far apart two colours look.
std::array<double, 3> Lab(uint32_t rgb) {
  auto linear = [](uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const double r = linear(rgb >> 16 & 0xFF), g = linear(rgb >> 8 & 0xFF), b = linear(rgb & 0xFF);
  const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047,
                         0.2126 * r + 0.7152 * g + 0.0722 * b,
                         (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
  double f[3];
  for (int i = 0; i < 3; ++i)
    f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

double LookApart(uint32_t a, uint32_t b) {
  const auto p = Lab(a), q = Lab(b);
  return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                   (p[2] - q[2]) * (p[2] - q[2]));
}

// A zombie in the crowd is never taken for a player: no zombie's shirt looks like a player's,
// and none wears the hair of a player whose hair shows (no hat or a headband).
TEST(Looks, NoZombieWearsAPlayersShirtOrHair) {
  constexpr double kClearlyApart = 25;  // CIELAB distance
  const auto looks =
      chargen::LoadLooks(std::string(SKULL_SOURCE_DIR) + "/assets/characters/looks.txt");
  std::vector<chargen::Look> players, zombies;
  for (const auto& look : looks) (look.zombie ? zombies : players).push_back(look);
  ASSERT_EQ(players.size(), 4u);
  ASSERT_EQ(zombies.size(), 8u);
  for (const auto& zombie : zombies) {
    for (const auto& player : players) {
      EXPECT_GE(LookApart(zombie.shirt, player.shirt), kClearlyApart)
          << zombie.name << "'s shirt looks like " << player.name << "'s";
      const bool hairShows = player.hatStyle == "none" || player.hatStyle == "headband";
      if (hairShows && zombie.hairStyle == player.hairStyle) {
        EXPECT_GE(LookApart(zombie.hair, player.hair), kClearlyApart)
            << zombie.name << " wears " << player.name << "'s hair";
      }
    }
  }
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
