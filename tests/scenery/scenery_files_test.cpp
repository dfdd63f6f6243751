// The generated pictures are where the game looks for them, load, and have the sizes it assumes.
#include <gtest/gtest.h>

#include "panorama_files.h"

namespace scenerytest {
namespace {

constexpr int kPanelWidth = 800;
constexpr int kScreenHeight = 600;

TEST(SceneryFiles, PlayfieldPicturesLoad) {
  std::vector<std::string> files = {"kestro.png", "ganador.png", "empate.png",
                                    "sombra.png", "flecha.png",  "chispas.png"};
  for (int i = 1; i <= 4; ++i) files.push_back(std::to_string(i) + "up.png");
  for (int i = 1; i <= 5; ++i) files.push_back("sangre" + std::to_string(i) + ".png");
  files.push_back("pausa.png");
  files.push_back("demo.png");
  for (int i = 1; i <= 4; ++i) files.push_back("gana" + std::to_string(i) + ".png");
  for (int i = 1; i <= 4; ++i) files.push_back("fuera" + std::to_string(i) + ".png");
  for (const std::string& file : files) EXPECT_NE(media::LoadImage(GfxPath(file)), nullptr) << file;

  media::ImagePtr splash = media::LoadImage(GfxPath("kestro.png"));
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->Width(), kPanelWidth);
  EXPECT_EQ(splash->Height(), kScreenHeight);
}

// The arrow turns about (4, 9): that point must lie on the shaft, and the picture must reach
// to the right of it (it points right).
TEST(SceneryFiles, ArrowPivotSitsOnTheShaft) {
  media::ImagePtr arrow = media::LoadImage(GfxPath("flecha.png"));
  ASSERT_NE(arrow, nullptr);
  ASSERT_GT(arrow->Width(), 40);
  ASSERT_GT(arrow->Height(), 9);
  const uint32_t* pixels = arrow->Pixels(0);
  EXPECT_GT(pixels[9 * arrow->Width() + 4] >> 24, 200u);
  EXPECT_GT(pixels[9 * arrow->Width() + arrow->Width() - 8] >> 24, 100u);
}

// The screen is not cleared while the winner or the draw picture rises, so a solid texel above a
// clear one would leave its trail there: in every column the clear texels must all lie above the
// solid ones.
void ExpectNoTrails(const std::string& file) {
  SCOPED_TRACE(file);
  media::ImagePtr picture = media::LoadImage(GfxPath(file));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), kPanelWidth);
  const int width = picture->Width();
  const uint32_t* pixels = picture->Pixels(0);
  for (int x = 0; x < width; ++x) {
    bool solidAbove = false;
    for (int y = 0; y < picture->Height(); ++y) {
      const uint32_t alpha = pixels[y * width + x] >> 24;
      ASSERT_FALSE(solidAbove && alpha < 255) << "a trail would show at " << x << "," << y;
      solidAbove |= alpha == 255;
    }
  }
}

// The survivor stands at (400, 300) on a black screen: the winner picture keeps that spot clear.
TEST(SceneryFiles, EndOfMatchPicturesTrailNothingAndTheWinnerLeavesTheSurvivorClear) {
  ExpectNoTrails("ganador.png");
  ExpectNoTrails("empate.png");
  media::ImagePtr winner = media::LoadImage(GfxPath("ganador.png"));
  ASSERT_NE(winner, nullptr);
  const uint32_t* pixels = winner->Pixels(0);
  for (int y = 185; y < 298; ++y)
    for (int x = 370; x < 430; ++x)
      ASSERT_EQ(pixels[y * winner->Width() + x] >> 24, 0u) << x << "," << y;
}

TEST(SceneryFiles, EveryLevelHasLayersOfFullWidthPanels) {
  for (const std::string& level : kLevels) {
    const Panorama& layers = LoadPanorama(level);
    ASSERT_GE(layers.size(), 5u) << level;
    EXPECT_GE(layers[0].size(), 3u) << level;
    EXPECT_GE(layers[2].size(), 3u) << level;
    for (const auto& variants : layers)
      for (const media::ImagePtr& panel : variants) {
        EXPECT_EQ(panel->Width(), kPanelWidth) << level;
        EXPECT_EQ(panel->Height(), kScreenHeight) << level;
      }
  }
}

// The highest even layer is drawn first over a black screen: no pixel of it may let black through.
TEST(SceneryFiles, HighestEvenLayerIsOpaque) {
  for (const std::string& level : kLevels) {
    const Panorama& layers = LoadPanorama(level);
    ASSERT_FALSE(layers.empty()) << level;
    size_t sky = (layers.size() - 1) / 2 * 2;
    for (const media::ImagePtr& panel : layers[sky]) {
      const uint32_t* pixels = panel->Pixels(0);
      int seen = 0;
      for (int i = 0; i < panel->Width() * panel->Height(); ++i) seen += (pixels[i] >> 24) == 255;
      EXPECT_EQ(seen, panel->Width() * panel->Height()) << level << " layer " << sky;
    }
  }
}

}  // namespace
}  // namespace scenerytest
