// Reading and writing VGP files: slot filling, handles, points and the exact byte layout.
#include <gtest/gtest.h>

#include "format_files/fatal.h"
#include "format_files/package_bytes.h"
#include "media/image.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

namespace {

void ExpectPattern(const TGraphPtr& graph, int number) {
  ASSERT_TRUE(graph && graph->image);
  const media::PixelBuffer buffer = media::LockImage(graph->image);
  for (int y = 0; y < graph->height; ++y) {
    for (int x = 0; x < graph->width; ++x) {
      ASSERT_EQ(media::ReadPixel(buffer, x, y), PatternPixel(number, x, y)) << x << "," << y;
    }
  }
}

TGraphPtr MakeGraph(int width, int height, const std::vector<uint32_t>& pixels,
                    const PointList& points = {}) {
  TGraphPtr graph = TGraph::Create();
  graph->width = width;
  graph->height = height;
  for (const auto& [x, y] : points) graph->points.push_back({x, y});
  graph->pointCount = static_cast<int>(points.size());
  graph->image = media::CreateImage(width, height, 1, 8);
  std::copy(pixels.begin(), pixels.end(), graph->image->Pixels(0));
  return graph;
}

TEST(VgpLoad, FillsUnusedSlotsAndSlotZeroWithTheEmptyGraph) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 5, 2, 2);
  AddVgpRecord(file, 0, 1, 1);
  AddVgpRecord(file, 3, 3, 2, {{1, 1}});
  file.WriteTo(folder.File("a.vgp"));

  const VGPPtr package = VGP::LoadVGP(folder.File("a.vgp"), 2, 0);
  ASSERT_EQ(package->count, 6);
  EXPECT_EQ(package->imageFlags, 10);
  for (int slot : {0, 1, 2, 4}) EXPECT_EQ(package->graphs[slot], emptyGraph) << slot;
  EXPECT_EQ(emptyGraph->width, 1);
  ExpectPattern(package->graphs[3], 3);
  ExpectPattern(package->graphs[5], 5);
  EXPECT_EQ(package->graphs[3]->image->Flags(), 10);
}

TEST(VgpLoad, HandleIsPointZeroOrTheCentre) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 1, 5, 3);
  AddVgpRecord(file, 2, 4, 4, {{0xFFFF, 7}, {1, 2}});
  file.WriteTo(folder.File("a.vgp"));

  const VGPPtr package = VGP::LoadVGP(folder.File("a.vgp"), 0, 0);
  EXPECT_EQ(package->graphs[1]->image->HandleX(), 2);
  EXPECT_EQ(package->graphs[1]->image->HandleY(), 1);
  EXPECT_EQ(package->graphs[1]->pointCount, 0);
  const TGraphPtr& pointed = package->graphs[2];
  ASSERT_EQ(pointed->pointCount, 2);
  EXPECT_EQ(pointed->points[0].x, 65535);
  EXPECT_EQ(pointed->image->HandleX(), 65535);
  EXPECT_EQ(pointed->image->HandleY(), 7);
}

TEST(VgpLoad, RelativePointsAreOffsetsFromPointZero) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 1, 2, 2, {{10, 20}, {15, 18}, {10, 20}});
  AddVgpRecord(file, 2, 2, 2, {{4, 4}});
  file.WriteTo(folder.File("a.vgp"));

  const VGPPtr package = VGP::LoadVGP(folder.File("a.vgp"), 0, 1);
  const std::vector<TPoint>& points = package->graphs[1]->points;
  EXPECT_EQ(points[0].x, 10);
  EXPECT_EQ(points[0].y, 20);
  EXPECT_EQ(points[1].x, 5);
  EXPECT_EQ(points[1].y, -2);
  EXPECT_EQ(points[2].x, 0);
  EXPECT_EQ(package->graphs[2]->points[0].x, 4);
}

TEST(VgpLoad, HeaderOnlyGivesOneEmptySlot) {
  ScratchFolder folder;
  VgpHeader().WriteTo(folder.File("a.vgp"));
  const VGPPtr package = VGP::LoadVGP(folder.File("a.vgp"), 0, 1);
  ASSERT_EQ(package->count, 1);
  EXPECT_EQ(package->graphs[0], emptyGraph);
}

TEST(VgpLoad, ALaterRecordReplacesAnEarlierOne) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 1, 2, 2);
  AddVgpRecord(file, 1, 3, 1);
  file.WriteTo(folder.File("a.vgp"));
  EXPECT_EQ(VGP::LoadVGP(folder.File("a.vgp"), 0, 0)->graphs[1]->width, 3);
}

TEST(VgpSave, WritesOwnSlotsOnlyWithTransparentPixelsAsZeros) {
  ScratchFolder folder;
  VGPPtr package = VGP::Create();
  package->Put(0, MakeGraph(1, 1, {0xFF123456}));
  package->Put(1, CreateEmptyGraph());
  package->Put(3, MakeGraph(2, 1, {0x00ABCDEF, 0x80FF0001}, {{1, 2}, {0x10005, 4}}));
  package->Save(folder.File("out.vgp"));

  FileBytes expected = VgpHeader();
  expected.Int(3).Int(8).Int(2).Int(1).Int(2).Short(1).Short(2).Short(5).Short(4);
  expected.Byte(0).Byte(0).Byte(0).Byte(0).Byte(0x80).Byte(0xFF).Byte(0).Byte(1);
  EXPECT_EQ(ReadFileBytes(folder.File("out.vgp")), expected.Bytes());
}

TEST(VgpSave, SavedPackageLoadsBackTheSame) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 2, 3, 4, {{1, 1}, {2, 3}});
  AddVgpRecord(file, 7, 1, 5);
  file.WriteTo(folder.File("in.vgp"));

  VGP::LoadVGP(folder.File("in.vgp"), 0, 0)->Save(folder.File("out.vgp"));
  EXPECT_EQ(ReadFileBytes(folder.File("out.vgp")), file.Bytes());
}

TEST(SsvgpSave, WritesSlotZeroAndEveryPixelAsItIs) {
  ScratchFolder folder;
  SSVGPPtr package = SSVGP::Create();
  package->Put(0, MakeGraph(1, 1, {0x00ABCDEF}));
  package->Put(2, CreateEmptyGraph());
  package->Save(folder.File("out.vgp"));

  FileBytes expected = VgpHeader();
  expected.Int(0).Int(4).Int(1).Int(1).Int(0).Byte(0).Byte(0xAB).Byte(0xCD).Byte(0xEF);
  EXPECT_EQ(ReadFileBytes(folder.File("out.vgp")), expected.Bytes());
}

TEST(SsvgpLoad, KeepsSlotZeroAndFillsOnlyEmptySlots) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 0, 2, 2);
  AddVgpRecord(file, 2, 1, 1);
  file.WriteTo(folder.File("a.vgp"));

  const SSVGPPtr package = SSVGP::LoadVGP(folder.File("a.vgp"), 0);
  ASSERT_EQ(package->count, 3);
  ExpectPattern(package->graphs[0], 0);
  EXPECT_EQ(package->graphs[1], emptyGraph);
  ExpectPattern(package->graphs[2], 2);
}

TEST(VgpFailures, MissingFileBadHeaderAndUnwritableTarget) {
  ScratchFolder folder;
  const std::string missing = folder.File("none.vgp");
  ExpectVgpFailure([&] { VGP::LoadVGP(missing, 0, 0); }, "VGP " + missing + " not found");
  FileBytes().Text("VGQ").Byte(1).WriteTo(folder.File("bad.vgp"));
  ExpectVgpFailure([&] { SSVGP::LoadVGP(folder.File("bad.vgp"), 0); },
                   "Wrong header reading VGP " + folder.File("bad.vgp"));
  const std::string target = folder.File("no/such/folder.vgp");
  ExpectVgpFailure([&] { VGP::Create()->Save(target); }, "Impossible to write VGP " + target);

  // Its pixel bytes would not fit the record's int32.
  VGPPtr huge = VGP::Create();
  TGraphPtr graph = TGraph::Create();
  graph->width = 40000;
  graph->height = 20000;
  huge->Put(1, graph);
  const std::string hugePath = folder.File("huge.vgp");
  ExpectVgpFailure([&] { huge->Save(hugePath); }, "Impossible to write VGP " + hugePath +
                                                      ": graph 1 of 40000 x 20000 is too large "
                                                      "for the format");
}

}  // namespace
