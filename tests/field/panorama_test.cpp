// The panorama in pixels: which panel variant shows where.
#include "field/panorama.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/sistema.h"
#include "media/draw.h"
#include "resources/recursos.h"

namespace {

constexpr uint32_t kVariantColours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};

struct PanoramaTest : ::testing::Test {
  void SetUp() override {
    resources = TRecursos::Create(TSistema::Create());
    auto layer = std::make_shared<PanelLayer>();
    for (uint32_t colour : kVariantColours) {
      auto panel = media::CreateImage(800, 600, 1, 0);
      std::fill_n(panel->Pixels(0), 800 * 600, colour);
      layer->push_back(panel);
    }
    resources->scrolls[0].layers = {layer};
    resources->scrolls[0].layerCount = 1;
    target = media::CreateImage(800, 600, 1, media::kImageDynamic);
    media::SetDrawTarget(target);
    media::ResetRenderState();
    media::SetBlend(media::kBlendSolid);
  }
  void TearDown() override {
    media::SetDrawTarget(nullptr);
    media::ResetRenderState();
  }
  uint32_t At(int x) const { return target->Pixels(0)[300 * 800 + x]; }

  std::shared_ptr<TRecursos> resources;
  media::ImagePtr target;
  field::PanelTiles tiles{};
};

// Variant 0 holds a layer's landmark (the moon): two panels of it side by side would put two
// moons in one sky, so the second gives way to another variant.
TEST_F(PanoramaTest, VariantZeroNeverStandsBesideItself) {
  tiles.fill(2);
  tiles[4] = tiles[5] = 0;
  field::DrawBackPanels({*resources, 0, 4.5f * 800, tiles});  // panel 4 on the left, 5 on the right
  EXPECT_EQ(At(100), kVariantColours[0]);
  EXPECT_EQ(At(700), kVariantColours[1]);

  tiles[5] = 3;  // 3 % 3: variant 0 again, reached the other way round
  field::DrawBackPanels({*resources, 0, 4.5f * 800, tiles});
  EXPECT_EQ(At(700), kVariantColours[1]);

  tiles[4] = 1;  // alone, variant 0 shows
  field::DrawBackPanels({*resources, 0, 4.5f * 800, tiles});
  EXPECT_EQ(At(100), kVariantColours[1]);
  EXPECT_EQ(At(700), kVariantColours[0]);

  tiles.fill(2);
  tiles[31] = tiles[0] = 0;  // the tiles repeat: panel 32 stands beside panel 31
  field::DrawBackPanels({*resources, 0, 31.5f * 800, tiles});
  EXPECT_EQ(At(100), kVariantColours[0]);
  EXPECT_EQ(At(700), kVariantColours[1]);
}

// A front layer (layer 1) with an opaque pillar on a clear panel, cut to its opaque part as the
// loader cuts panels: it hides exactly the pixels it is drawn over.
TEST_F(PanoramaTest, FrontPanelsHideWhatIsBehindTheirOpaquePixels) {
  auto pillar = media::CreateImage(800, 600, 1, 0);
  for (int y = 100; y < 600; ++y) std::fill_n(pillar->Pixels(0) + y * 800 + 300, 60, 0xFF203020u);
  resources->scrolls[0].layers.push_back(
      std::make_shared<PanelLayer>(PanelLayer{media::TrimTransparentEdges(pillar)}));
  resources->scrolls[0].layerCount = 2;
  // The front layer moves 1 / 0.55 as fast as the scroll: 1250 px in, panel 2 starts at screen
  // x 350 and its pillar stands at 650 - 710.
  const field::Panorama panorama{*resources, 0, 1250 * 0.55f, tiles};
  field::DrawFrontPanels(panorama);
  const auto drawn = [&](int x, int y) { return target->Pixels(0)[y * 800 + x] == 0xFF203020u; };
  EXPECT_TRUE(drawn(680, 300));
  for (int x : {100, 649, 650, 709, 710, 720}) {
    for (int y : {99, 100, 300, 599}) {
      EXPECT_EQ(field::FrontPanelsCover(panorama, x, y), drawn(x, y)) << x << "," << y;
    }
  }
  EXPECT_FALSE(field::FrontPanelsCover(panorama, -5, 300));
}

}  // namespace
