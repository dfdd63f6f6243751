// Copy, silhouette, recolour and clear on packages built in memory.
#include <gtest/gtest.h>

#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

namespace {

TGraphPtr GraphOf(const std::vector<uint32_t>& pixels, const std::vector<TPoint>& points = {}) {
  TGraphPtr graph = TGraph::Create();
  graph->width = static_cast<int32_t>(pixels.size());
  graph->height = 1;
  graph->points = points;
  graph->pointCount = static_cast<int32_t>(points.size());
  graph->image = media::CreateImage(graph->width, 1, 1, 8);
  std::copy(pixels.begin(), pixels.end(), graph->image->Pixels(0));
  return graph;
}

std::vector<uint32_t> PixelsOf(const TGraphPtr& graph) {
  const uint32_t* pixels = graph->image->Pixels(0);
  return {pixels, pixels + graph->width * graph->height};
}

TEST(PackageCopy, CopiesGraphsDeeplyAndSharesTheEmptyGraph) {
  VGPPtr package = VGP::Create();
  package->imageFlags = 10;
  package->Put(0, CreateEmptyGraph());
  package->Put(1, GraphOf({1, 2, 3}, {{2, 0}, {7, 7}}));
  package->Put(2, GraphOf({4, 5}));
  package->Put(4, CreateEmptyGraph());

  const VGPPtr copy = package->Copy();
  ASSERT_EQ(copy->count, 5);
  EXPECT_EQ(copy->graphs[0], emptyGraph);
  EXPECT_FALSE(copy->graphs[3]);
  ASSERT_NE(copy->graphs[1], package->graphs[1]);
  EXPECT_EQ(PixelsOf(copy->graphs[1]), PixelsOf(package->graphs[1]));
  EXPECT_EQ(copy->graphs[1]->points[1].y, 7);
  EXPECT_EQ(copy->graphs[1]->image->HandleX(), 2);
  EXPECT_EQ(copy->graphs[2]->image->HandleX(), 1);
  EXPECT_EQ(copy->graphs[2]->image->Flags(), 10);
  copy->graphs[1]->image->Pixels(0)[0] = 99;
  EXPECT_EQ(package->graphs[1]->image->Pixels(0)[0], 1u);
}

TEST(PackageSilhouette, EveryPixelNotZeroTurnsOpaqueBlack) {
  VGPPtr package = VGP::Create();
  package->Put(0, GraphOf({0xFFFFFFFF}));  // slot 0 is not a VGP's own
  package->Put(1, GraphOf({0, 0x00FFFFFF, 0x80123456, 0xFF000000}));
  package->MakeSilhouette();
  EXPECT_EQ(PixelsOf(package->graphs[0]), (std::vector<uint32_t>{0xFFFFFFFF}));
  EXPECT_EQ(PixelsOf(package->graphs[1]),
            (std::vector<uint32_t>{0, 0xFF000000, 0xFF000000, 0xFF000000}));

  SSVGPPtr set = SSVGP::Create();
  set->Put(0, GraphOf({0xFFFFFFFF}));
  set->MakeSilhouette();
  EXPECT_EQ(PixelsOf(set->graphs[0]), (std::vector<uint32_t>{0xFF000000}));
}

TEST(PackageRecolour, TheOneHighChannelPicksAndScalesItsTint) {
  VGPPtr package = VGP::Create();
  package->Put(1, GraphOf({
                      0xFFC80000,  // only red high
                      0x8000FF10,  // only green high, alpha kept
                      0xFF1010FF,  // only blue high
                      0xFFFFFF00,  // two high: unchanged
                      0xFF101010,  // none high: unchanged
                      0x00FF0000,  // transparent: unchanged
                  }));
  // Arguments count by their low 8 bits: 255 + 256 is 255.
  package->Recolour(255 + 256, 128, 0, 0, 255, 255, 10, 20, 30, 100 + 256);
  EXPECT_EQ(PixelsOf(package->graphs[1]),
            (std::vector<uint32_t>{0xFFC86400,  // 200, 200*128/255 = 100, 0
                                   0x8000FFFF, 0xFF0A141E, 0xFFFFFF00, 0xFF101010, 0x00FF0000}));
}

TEST(PackageClear, DropsEveryGraphButKeepsTheCount) {
  VGPPtr package = VGP::Create();
  package->Put(2, GraphOf({1}));
  package->Put(1, CreateEmptyGraph());
  const TGraphPtr kept = package->graphs[2];
  package->Clear();
  EXPECT_TRUE(package->graphs.empty());
  EXPECT_EQ(package->count, 3);
  EXPECT_FALSE(kept->image);
  EXPECT_TRUE(emptyGraph->image);
}

}  // namespace
