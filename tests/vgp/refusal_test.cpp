// Damaged packages: every reader ends through the module's fatal path with a message naming the
// file and the fault, and a record cut short raises the stream read error.
#include <gtest/gtest.h>

#include "format_files/fatal.h"
#include "format_files/package_bytes.h"
#include "media/image.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

namespace {

struct BadRecord {
  const char* name;
  int32_t number, width, height, points;
  const char* problem;
};

class VgpRefusal : public testing::TestWithParam<BadRecord> {};

TEST_P(VgpRefusal, EveryReaderRefusesTheRecord) {
  const BadRecord& bad = GetParam();
  ScratchFolder folder;
  const std::string vgpPath = folder.File("bad.vgp");
  FileBytes vgpFile = VgpHeader();
  vgpFile.Int(bad.number).Int(0).Int(bad.width).Int(bad.height).Int(bad.points);
  vgpFile.WriteTo(vgpPath);
  const std::string vgpMessage = "VGP " + vgpPath + " " + bad.problem;
  ExpectVgpFailure([&] { VGP::LoadVGP(vgpPath, 0, 1); }, vgpMessage);
  ExpectVgpFailure([&] { SSVGP::LoadVGP(vgpPath, 0); }, vgpMessage);
  ExpectVgpFailure([&] { PVGP::LoadVGP(vgpPath); }, vgpMessage);

  const std::string fpgPath = folder.File("bad.fpg");
  FileBytes fpgFile = FpgHeader();
  fpgFile.Int(bad.number).Int(0);
  for (int i = 0; i < 44; ++i) fpgFile.Byte(0);
  fpgFile.Int(bad.width).Int(bad.height).Int(bad.points);
  fpgFile.WriteTo(fpgPath);
  const std::string fpgMessage = "FPG " + fpgPath + " " + bad.problem;
  ExpectVgpFailure([&] { VGP::LoadFPG(fpgPath, 0); }, fpgMessage);
  ExpectVgpFailure([&] { PVGP::LoadFPG(fpgPath); }, fpgMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Records, VgpRefusal,
    testing::Values(
        BadRecord{"NegativeNumber", -1, 1, 1, 0, "has a graph number out of range (-1)"},
        BadRecord{"HugeNumber", 65536, 1, 1, 0, "has a graph number out of range (65536)"},
        BadRecord{"ZeroWidth", 1, 0, 1, 0, "has a graph width out of range (0)"},
        BadRecord{"HugeHeight", 1, 1, 8193, 0, "has a graph height out of range (8193)"},
        BadRecord{"NegativePoints", 1, 1, 1, -1, "has a point count out of range (-1)"},
        BadRecord{"TooManyPoints", 1, 1, 1, 4097, "has a point count out of range (4097)"}),
    [](const testing::TestParamInfo<BadRecord>& info) { return info.param.name; });

TEST(FpgRefusal, CodeZeroHasNoSlotInASetNumberedFromZero) {
  ScratchFolder folder;
  FileBytes file = FpgHeader();
  AddFpgRecord(file, 0, 1, 1);
  file.WriteTo(folder.File("a.fpg"));
  ExpectVgpFailure([&] { SSVGP::LoadFPGFiles(folder.File("a.fpg"), 0); },
                   "FPG " + folder.File("a.fpg") + " has a graph number out of range (0)");
}

TEST(FpgRefusal, MissingImageFileAndBadHeader) {
  ScratchFolder folder;
  FileBytes file = FpgHeader();
  AddFpgRecord(file, 1, 1, 1, {}, 0, "gone.png");
  file.WriteTo(folder.File("a.fpg"));
  ExpectVgpFailure([&] { VGP::LoadFPGFiles(folder.File("a.fpg"), 0); },
                   "FPG " + folder.File("a.fpg") + " names an image that cannot be loaded (" +
                       folder.File("gone.png") + ")");

  FileBytes().Text("f16").Byte(0x1A).Byte(0x0D).Byte(0x0A).Byte(0x01).Byte(1).WriteTo(
      folder.File("b.fpg"));
  ExpectVgpFailure([&] { VGP::LoadFPG(folder.File("b.fpg"), 0); },
                   "Wrong header reading FPG " + folder.File("b.fpg"));
  ExpectVgpFailure([&] { PVGP::LoadFPG(folder.File("none.fpg")); },
                   "FPG " + folder.File("none.fpg") + " not found");
}

// The graph's size is its image's: a record giving another one describes some other picture.
TEST(FpgRefusal, AnImageFileOfAnotherSizeThanItsRecord) {
  ScratchFolder folder;
  const media::Image image(2, 3, 1, 0);
  ASSERT_TRUE(media::SavePNG(image, folder.File("b.png")));
  struct Case {
    int width, height;
  };
  for (const Case& record : {Case{4, 4}, Case{1, 3}, Case{2, 2}}) {
    FileBytes file = FpgHeader();
    AddFpgRecord(file, 1, record.width, record.height, {}, 0, "b.png");
    file.WriteTo(folder.File("a.fpg"));
    const std::string message = "FPG " + folder.File("a.fpg") +
                                " names an image of another size (" + folder.File("b.png") +
                                " is 2 x 3, its record says " + std::to_string(record.width) +
                                " x " + std::to_string(record.height) + ")";
    ExpectVgpFailure([&] { VGP::LoadFPGFiles(folder.File("a.fpg"), 0); }, message);
    ExpectVgpFailure([&] { SSVGP::LoadFPGFiles(folder.File("a.fpg"), 0); }, message);
  }
}

TEST(CutShort, ARecordMissingItsLastBytesRaisesTheReadError) {
  ScratchFolder folder;
  FileBytes whole = VgpHeader();
  AddVgpRecord(whole, 1, 4, 4, {{1, 1}});
  for (size_t keep : {size_t{6}, size_t{25}, whole.Bytes().size() - 1}) {
    const std::string path = folder.File("cut.vgp");
    FileBytes cut;
    cut.Append(std::vector<uint8_t>(whole.Bytes().begin(), whole.Bytes().begin() + keep));
    cut.WriteTo(path);
    const FatalEnd end = RunToFatalEnd([&] { VGP::LoadVGP(path, 0, 0); });
    EXPECT_TRUE(end.readPastEnd) << keep;
    EXPECT_NE(end.raised.find(path), std::string::npos);
  }
}

}  // namespace
