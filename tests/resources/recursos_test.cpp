// The resource manager's panoramas, lookups and blocks.
#include "resources/recursos.h"

#include <gtest/gtest.h>

#include "core/sistema.h"
#include "support/temp_folder.h"

namespace {

constexpr int kMetro = 2;

uint32_t FirstPixel(const media::ImagePtr& image) {
  return image->Pixels(0)[0];
}

struct ScrollTest : ::testing::Test {
  TempFolder folder;
  std::shared_ptr<TRecursos> resources = TRecursos::Create(TSistema::Create());
};

TEST_F(ScrollTest, LayersEndAtTheFirstMissingVariantZero) {
  TempFolder::WritePng("gfx/metro0_0.png", 0xFF000001);
  TempFolder::WritePng("gfx/metro0_1.png", 0xFF000002);
  TempFolder::WritePng("gfx/metro0_3.png", 0xFF000004);  // after a gap: not a variant
  TempFolder::WritePng("gfx/metro2_0.png", 0xFF000003);  // no layer 1: not reached
  resources->LoadScroll(kMetro, "metro");
  ASSERT_EQ(resources->GetLayerCount(kMetro), 1);
  auto layer = resources->GetLayer(kMetro, 0);
  ASSERT_EQ(layer->size(), 2u);
  EXPECT_EQ(FirstPixel((*layer)[0]), 0xFF000001u);
  EXPECT_EQ(FirstPixel((*layer)[1]), 0xFF000002u);
  EXPECT_EQ(resources->GetLayer(kMetro, 1), nullptr);
  EXPECT_EQ(resources->GetLayer(kMetro, -1), nullptr);
  EXPECT_EQ(resources->GetLayerCount(0), 0);  // other levels untouched
}

TEST_F(ScrollTest, LayerNumbersAndVariantsAreWrittenInDecimal) {
  for (int layer = 0; layer < 12; ++layer) {
    TempFolder::WritePng("gfx/bosque" + std::to_string(layer) + "_0.png", 0xFF000000u + layer);
  }
  for (int variant = 1; variant < 11; ++variant) {
    TempFolder::WritePng("gfx/bosque10_" + std::to_string(variant) + ".png", 0xFF000000);
  }
  resources->LoadScroll(0, "bosque");
  ASSERT_EQ(resources->GetLayerCount(0), 12);
  EXPECT_EQ(FirstPixel((*resources->GetLayer(0, 11))[0]), 0xFF00000Bu);
  EXPECT_EQ(resources->GetLayer(0, 10)->size(), 11u);
}

TEST_F(ScrollTest, OnlySixteenLayersAreUsed) {
  for (int layer = 0; layer < 18; ++layer) {
    TempFolder::WritePng("gfx/ciudad" + std::to_string(layer) + "_0.png", 0xFF000000u + layer);
  }
  resources->LoadScroll(1, "ciudad");
  EXPECT_EQ(resources->GetLayerCount(1), 16);
  EXPECT_EQ(FirstPixel((*resources->GetLayer(1, 15))[0]), 0xFF00000Fu);
}

TEST_F(ScrollTest, AnUndecodablePanelKeepsItsPlaceAsNoImage) {
  TempFolder::WritePng("gfx/metro0_0.png", 0xFF000001);
  TempFolder::WriteText("gfx/metro0_1.png", "not a picture");
  TempFolder::WritePng("gfx/metro0_2.png", 0xFF000003);
  resources->LoadScroll(kMetro, "metro");
  auto layer = resources->GetLayer(kMetro, 0);
  ASSERT_EQ(layer->size(), 3u);
  EXPECT_EQ((*layer)[1], nullptr);
  EXPECT_EQ(FirstPixel((*layer)[2]), 0xFF000003u);
}

TEST_F(ScrollTest, TheEmptyNameAndClearLeaveNoLayers) {
  TempFolder::WritePng("gfx/metro0_0.png", 0xFF000001);
  resources->LoadScroll(kMetro, "metro");
  resources->LoadScroll(kMetro, "");
  EXPECT_EQ(resources->GetLayerCount(kMetro), 0);
  EXPECT_EQ(resources->GetLayer(kMetro, 0), nullptr);

  resources->LoadScroll(kMetro, "metro");
  resources->images[4] = media::CreateImage(2, 2);
  resources->loaded = 1;
  resources->Clear();
  EXPECT_EQ(resources->GetLayerCount(kMetro), 0);
  EXPECT_EQ(resources->GetImage(4), nullptr);
  EXPECT_EQ(resources->loaded, 0);
  resources->LoadScroll(kMetro, "nothing-here");
  EXPECT_EQ(resources->GetLayerCount(kMetro), 0);
}

// The tutorial's manager loads a level the game's already holds: one picture serves both, and a
// panel file changed on disk is read anew once nobody holds the old picture.
TEST_F(ScrollTest, ManagersShareEachPanelWhileOneHoldsIt) {
  TempFolder::WritePng("gfx/metro0_0.png", 0xFF000001);
  resources->LoadScroll(kMetro, "metro");
  auto other = TRecursos::Create(TSistema::Create());
  other->LoadScroll(kMetro, "metro");
  EXPECT_EQ((*other->GetLayer(kMetro, 0))[0], (*resources->GetLayer(kMetro, 0))[0]);

  resources->LoadScroll(kMetro, "");
  other->LoadScroll(kMetro, "");
  TempFolder::WritePng("gfx/metro0_0.png", 0xFF000002, 16, 4);
  resources->LoadScroll(kMetro, "metro");
  EXPECT_EQ(FirstPixel((*resources->GetLayer(kMetro, 0))[0]), 0xFF000002u);
}

// Panels keep their picture only: transparent sky around it is not stored.
TEST_F(ScrollTest, TransparentBordersOfPanelsAreNotKept) {
  auto panel = media::CreateImage(800, 600, 1, media::kImageDynamic);
  std::fill_n(panel->Pixels(0) + 500 * 800, 100 * 800, 0xFF203040u);
  ASSERT_TRUE(media::SavePNG(*panel, "gfx/bosque0_0.png"));
  resources->LoadScroll(0, "bosque");
  const media::ImagePtr kept = (*resources->GetLayer(0, 0))[0];
  EXPECT_EQ(media::ImageWidth(kept), 800);
  EXPECT_EQ(media::ImageHeight(kept), 101);  // the strip and one transparent row above it
  EXPECT_EQ(kept->HandleY(), -499.0f);       // so it still draws 500 rows down
}

TEST(Resources, LookupsOutsideTheirTablesGiveNothing) {
  EXPECT_EQ(TRecursos::Create(nullptr), nullptr);
  auto resources = TRecursos::Create(TSistema::Create());
  for (int i = 0; i < TRecursos::kImages; ++i) resources->images[i] = media::CreateImage(1, 1);
  EXPECT_NE(resources->GetImage(12), nullptr);
  EXPECT_EQ(resources->GetImage(13), nullptr);
  EXPECT_EQ(resources->GetImage(-1), nullptr);
  EXPECT_EQ(resources->GetPlayerPackage(4), nullptr);
  EXPECT_EQ(resources->GetPlayerPackage(-1), nullptr);
  EXPECT_EQ(resources->GetZombiePackage(8), nullptr);
  EXPECT_EQ(resources->GetLayerCount(3), 0);
  EXPECT_EQ(resources->GetLayer(-1, 0), nullptr);
}

TEST(Resources, FillImagePaintsEveryPixelOpaque) {
  auto image = media::CreateImage(7, 5, 1, media::kImageDynamic);
  TRecursos::FillImage(image, 5, 5, 5);
  for (int i = 0; i < 35; ++i) ASSERT_EQ(image->Pixels(0)[i], 0xFF050505u) << i;
  TRecursos::FillImage(image, 261, -1, 0x1234);  // each component modulo 256
  EXPECT_EQ(image->Pixels(0)[34], 0xFF05FF34u);
  TRecursos::FillImage(nullptr, 1, 2, 3);
}

}  // namespace
