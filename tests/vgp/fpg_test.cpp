// FPG files: the 5-6-5 pixels, the name field, slot numbering of the three FPG readers and the
// folder their image files come from.
#include <gtest/gtest.h>

#include "format_files/fatal.h"
#include "format_files/package_bytes.h"
#include "media/image.h"
#include "media/stream.h"
#include "vgp/fixed_text.h"
#include "vgp/package_reader.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

namespace {

TEST(FpgPixels, FiveSixFiveBecomesOpaqueArgb) {
  EXPECT_EQ(vgp::ConvertFpgPixel(0xF800), 0xFFFF0000u);
  EXPECT_EQ(vgp::ConvertFpgPixel(0x07E0), 0xFF00FF00u);
  EXPECT_EQ(vgp::ConvertFpgPixel(0x001F), 0xFF0000FFu);
  EXPECT_EQ(vgp::ConvertFpgPixel(0xFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(vgp::ConvertFpgPixel(0x0000), 0xFF000000u);
  // 16 * 255 / 31 = 131 and 32 * 255 / 63 = 129, truncated.
  EXPECT_EQ(vgp::ConvertFpgPixel(0x8410), 0xFF838183u);
}

TEST(FpgNames, TextStopsAtTheFirstNulAndConsumesTheField) {
  ScratchFolder folder;
  FileBytes()
      .Text("seven__")
      .Byte(0)
      .Byte('x')
      .Byte(0)
      .Byte(0)
      .Byte(0)
      .Text("twelve_chars")
      .Byte(9)
      .WriteTo(folder.File("names"));
  media::StreamPtr stream = media::Stream::OpenRead(folder.File("names"));
  EXPECT_EQ(ReadFixedText(*stream, 12), "seven__");
  EXPECT_EQ(ReadFixedText(*stream, 12), "twelve_chars");
  EXPECT_EQ(stream->ReadByte(), 9);
  EXPECT_EQ(ReadFixedText(*stream, 12), "");
}

TEST(FpgLoad, VgpKeepsCodesAsSlotsWithConvertedPixels) {
  ScratchFolder folder;
  FileBytes file = FpgHeader();
  AddFpgRecord(file, 3, 2, 1, {{1, 0}}, 0x07E0);
  AddFpgRecord(file, 1, 1, 3, {}, 0xF800);
  file.WriteTo(folder.File("a.fpg"));

  const VGPPtr package = VGP::LoadFPG(folder.File("a.fpg"), 0);
  ASSERT_EQ(package->count, 4);
  EXPECT_EQ(package->graphs[0], emptyGraph);
  EXPECT_EQ(package->graphs[2], emptyGraph);
  EXPECT_EQ(package->graphs[3]->image->Pixels(0)[1], 0xFF00FF00u);
  EXPECT_EQ(package->graphs[3]->image->HandleX(), 1);
  EXPECT_EQ(package->graphs[1]->image->Pixels(0)[2], 0xFFFF0000u);
  EXPECT_EQ(package->graphs[1]->image->HandleY(), 1);
}

TEST(FpgLoad, FilesReadersTakeImagesBesideTheFile) {
  ScratchFolder folder;
  for (const char* name : {"one.png", "three.png"}) {
    media::Image image(2, 2, 1, 0);
    std::fill_n(image.Pixels(0), 4, name[0] == 'o' ? 0xFF010203u : 0xFF040506u);
    ASSERT_TRUE(media::SavePNG(image, folder.File(name)));
  }
  FileBytes file = FpgHeader();
  AddFpgRecord(file, 1, 2, 2, {}, 0, "one.png");
  AddFpgRecord(file, 3, 2, 2, {{0, 1}}, 0, "three.png");
  file.WriteTo(folder.File("a.fpg"));

  const SSVGPPtr set = SSVGP::LoadFPGFiles(folder.File("a.fpg"), 0);
  ASSERT_EQ(set->count, 3);
  EXPECT_EQ(set->graphs[0]->image->Pixels(0)[0], 0xFF010203u);
  EXPECT_EQ(set->graphs[1], emptyGraph);
  EXPECT_EQ(set->graphs[2]->image->Pixels(0)[3], 0xFF040506u);
  EXPECT_EQ(set->graphs[2]->image->HandleY(), 1);

  const VGPPtr package = VGP::LoadFPGFiles(folder.File("a.fpg"), 0);
  ASSERT_EQ(package->count, 4);
  EXPECT_EQ(package->graphs[0], emptyGraph);
  EXPECT_EQ(package->graphs[1]->image->Pixels(0)[0], 0xFF010203u);
  EXPECT_EQ(package->graphs[2], emptyGraph);
  EXPECT_EQ(package->graphs[3]->image->HandleX(), 0);
}

TEST(FpgLoad, ImageFolderIsThePathBeforeItsLastSlash) {
  EXPECT_EQ(vgp::ImageFolderOf("gfx/chars.fpg"), "gfx/");
  EXPECT_EQ(vgp::ImageFolderOf("/a/b/c.fpg"), "/a/b/");
  EXPECT_EQ(vgp::ImageFolderOf("chars.fpg"), "/");
}

TEST(FpgLoad, PixelBufferPackagesKeepNoPointsAndFillNoSlots) {
  ScratchFolder folder;
  FileBytes fpg = FpgHeader();
  AddFpgRecord(fpg, 2, 2, 1, {{5, 5}, {6, 6}}, 0x001F);
  fpg.WriteTo(folder.File("a.fpg"));
  const PVGPPtr fromFpg = PVGP::LoadFPG(folder.File("a.fpg"));
  ASSERT_EQ(fromFpg->count, 3);
  EXPECT_FALSE(fromFpg->pixmaps[0]);
  EXPECT_EQ(fromFpg->pixmaps[2]->pixels, (std::vector<uint32_t>{0xFF0000FFu, 0xFF0000FFu}));

  FileBytes vgpFile = VgpHeader();
  AddVgpRecord(vgpFile, 1, 2, 2, {{1, 1}});
  vgpFile.WriteTo(folder.File("a.vgp"));
  const PVGPPtr fromVgp = PVGP::LoadVGP(folder.File("a.vgp"));
  ASSERT_EQ(fromVgp->count, 2);
  EXPECT_FALSE(fromVgp->pixmaps[0]);
  EXPECT_EQ(fromVgp->pixmaps[1]->pixels[3], PatternPixel(1, 1, 1));
  fromVgp->Clear();
  EXPECT_TRUE(fromVgp->pixmaps.empty());
  EXPECT_EQ(fromVgp->count, 2);
}

}  // namespace
