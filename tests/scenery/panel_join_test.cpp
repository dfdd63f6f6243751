// Panels meet without seams, the ground is where the puppets run, front layers stay out of the way,
// and the generator's output does not change between runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "panorama_files.h"

namespace scenerytest {
namespace {

constexpr int kGroundY = 475;

// One channel of a pixel, weighted by its coverage, so transparent pixels compare equal whatever
// colour they carry.
int Channel(uint32_t argb, int shift) {
  return static_cast<int>(((argb >> shift) & 255) * (argb >> 24) / 255);
}

// How badly column `leftX` of `left` runs into column `rightX` of `right`: the share of rows whose
// colours jump by more than a small step.
double JumpShare(const media::Image& left, int leftX, const media::Image& right, int rightX) {
  int jumps = 0;
  for (int y = 0; y < left.Height(); ++y) {
    uint32_t a = left.Pixels(0)[y * left.Width() + leftX];
    uint32_t b = right.Pixels(0)[y * right.Width() + rightX];
    int worst = 0;
    for (int shift : {0, 8, 16, 24})
      worst = std::max(worst, std::abs(Channel(a, shift) - Channel(b, shift)));
    jumps += worst > 40;
  }
  return static_cast<double>(jumps) / left.Height();
}

constexpr double kSeamless = 0.02;

TEST(PanelJoins, EveryVariantRunsIntoEveryOther) {
  for (const std::string& level : kLevels) {
    const Panorama& layers = LoadPanorama(level);
    ASSERT_FALSE(layers.empty()) << level;
    for (size_t n = 0; n < layers.size(); ++n)
      for (size_t a = 0; a < layers[n].size(); ++a)
        for (size_t b = 0; b < layers[n].size(); ++b) {
          const media::Image& left = *layers[n][a];
          EXPECT_LE(JumpShare(left, left.Width() - 1, *layers[n][b], 0), kSeamless)
              << level << " layer " << n << ": variant " << a << " into " << b;
        }
  }
}

// The measure must see a real seam: the sky of one level does not run into another's.
TEST(PanelJoins, MeasureNoticesAMismatch) {
  const Panorama& forest = LoadPanorama("bosque");
  const Panorama& subway = LoadPanorama("metro");
  ASSERT_GE(forest.size(), 5u);
  ASSERT_GE(subway.size(), 5u);
  const media::Image& left = *forest[4][0];
  EXPECT_GT(JumpShare(left, left.Width() - 1, *subway[4][0], 0), 0.3);
}

// Puppets stand on y = 475: below it the nearest layer is solid ground in every variant.
TEST(PanelJoins, GroundLayerIsSolidBelowTheGroundLine) {
  for (const std::string& level : kLevels) {
    const Panorama& layers = LoadPanorama(level);
    ASSERT_FALSE(layers.empty()) << level;
    for (const media::ImagePtr& panel : layers[0])
      for (int y = kGroundY + 2; y < panel->Height(); ++y)
        for (int x = 0; x < panel->Width(); ++x)
          ASSERT_EQ(panel->Pixels(0)[y * panel->Width() + x] >> 24, 255u)
              << level << " at " << x << "," << y;
  }
}

// Front layers pass over the players: at most a narrow band of any panel may cover most of a
// player's body (y 385-475), so nobody is hidden for more than a moment.
TEST(PanelJoins, FrontLayersLeaveThePlayersVisible) {
  constexpr int kBodyTop = kGroundY - 90;
  for (const std::string& level : kLevels) {
    const Panorama& layers = LoadPanorama(level);
    for (size_t n = 1; n < layers.size(); n += 2)
      for (const media::ImagePtr& panel : layers[n]) {
        int hidingColumns = 0;
        for (int x = 0; x < panel->Width(); ++x) {
          int covered = 0;
          for (int y = kBodyTop; y < kGroundY; ++y)
            covered += (panel->Pixels(0)[y * panel->Width() + x] >> 24) > 128;
          hidingColumns += covered > (kGroundY - kBodyTop) / 2;
        }
        EXPECT_LT(hidingColumns, panel->Width() / 8) << level << " layer " << n;
      }
  }
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PanelJoins, GeneratorWritesTheSameBytesEveryRun) {
  std::filesystem::path again =
      std::filesystem::temp_directory_path() / ("scenery_again_" + std::to_string(getpid()));
  std::filesystem::remove_all(again);
  std::string command = std::string(SKULL_BUILD_DIR) + "/tools/scenegen/scenegen " + again.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(again)) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadAll(entry.path()), ReadAll(GfxPath(name))) << name;
    ++compared;
  }
  EXPECT_GT(compared, 40);
  std::filesystem::remove_all(again);
}

}  // namespace
}  // namespace scenerytest
