// vgptool and vbatool as a maker uses them: the JSON they print, the round trips they promise
// and their refusal of bad files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "format_files/package_bytes.h"
#include "format_files/vba_bytes.h"
#include "media/image.h"

namespace {

struct ToolRun {
  std::string output;  // standard output
  int status = -1;
};

ToolRun Tool(const std::string& tool, const std::string& arguments) {
  const std::string command =
      std::string(SKULL_BUILD_DIR) + "/bin/" + tool + " " + arguments + " 2>/dev/null";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  run.status = WEXITSTATUS(pclose(pipe));
  return run;
}

TEST(Vgptool, InfoListsEverySlotAsTheReaderSeesIt) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 2, 2, 1, {{1, 0}, {3, 4}});
  file.WriteTo(folder.File("a.vgp"));

  EXPECT_EQ(Tool("vgptool", "info --pixels " + folder.File("a.vgp")).output,
            "{\"count\": 3, \"slots\": [{\"slot\": 0, \"kind\": \"empty\"}, {\"slot\": 1, "
            "\"kind\": \"empty\"}, {\"slot\": 2, \"kind\": \"graph\", \"width\": 2, \"height\": "
            "1, \"handle\": [1, 0], \"points\": [[1, 0], [3, 4]], \"pixels\": [\"FF020000\", "
            "\"FF020100\"]}]}\n");
  EXPECT_NE(Tool("vgptool", "info --reader vgp-relative " + folder.File("a.vgp"))
                .output.find("[[1, 0], [2, 4]]"),
            std::string::npos);
  EXPECT_EQ(Tool("vgptool", "info --reader pvgp " + folder.File("a.vgp")).output,
            "{\"count\": 3, \"slots\": [{\"slot\": 0, \"kind\": \"none\"}, {\"slot\": 1, "
            "\"kind\": \"none\"}, {\"slot\": 2, \"kind\": \"pixmap\", \"width\": 2, \"height\": "
            "1}]}\n");
}

TEST(Vgptool, ExtractThenPackGivesBackTheSavedBytes) {
  ScratchFolder folder;
  FileBytes file = VgpHeader();
  AddVgpRecord(file, 1, 3, 2, {{0, 0}, {2, 1}});
  AddVgpRecord(file, 4, 1, 1);
  // A transparent pixel, written as Save writes it.
  file.Int(6).Int(4).Int(1).Int(1).Int(0).Int(0);
  file.WriteTo(folder.File("a.vgp"));

  ASSERT_EQ(Tool("vgptool", "extract " + folder.File("a.vgp") + " " + folder.File("out")).status,
            0);
  ASSERT_EQ(Tool("vgptool", "pack " + folder.File("out") + " " + folder.File("b.vgp")).status, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("b.vgp")), file.Bytes());
}

TEST(Vgptool, FpgToVgpConverts) {
  ScratchFolder folder;
  FileBytes fpg = FpgHeader();
  AddFpgRecord(fpg, 1, 1, 1, {{0, 0}}, 0x07E0);
  fpg.WriteTo(folder.File("a.fpg"));
  ASSERT_EQ(Tool("vgptool", "fpg2vgp " + folder.File("a.fpg") + " " + folder.File("a.vgp")).status,
            0);
  FileBytes expected = VgpHeader();
  expected.Int(1).Int(4).Int(1).Int(1).Int(1).Short(0).Short(0).Int(
      static_cast<int32_t>(0x00FF00FF));
  EXPECT_EQ(ReadFileBytes(folder.File("a.vgp")), expected.Bytes());
}

TEST(Vgptool, BadFilesEndWithTheModuleMessage) {
  ScratchFolder folder;
  FileBytes().Text("XYZ").WriteTo(folder.File("bad.vgp"));
  const ToolRun run = Tool("vgptool", "info " + folder.File("bad.vgp"));
  EXPECT_EQ(run.output, "Wrong header reading VGP " + folder.File("bad.vgp"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(Tool("vgptool", "info --reader nonsense " + folder.File("bad.vgp")).status, 0);
}

// An image file smaller than its record once had its pixels listed from beyond its end.
TEST(Vgptool, AnImageFileSmallerThanItsRecordIsNamedWithBothSizes) {
  ScratchFolder folder;
  ASSERT_TRUE(media::SavePNG(media::Image(1, 1, 1, 0), folder.File("small.png")));
  FileBytes fpg = FpgHeader();
  AddFpgRecord(fpg, 1, 64, 64, {}, 0, "small.png");
  fpg.WriteTo(folder.File("a.fpg"));

  const ToolRun run = Tool("vgptool", "info --reader fpg-files --pixels " + folder.File("a.fpg"));
  EXPECT_EQ(run.output, "FPG " + folder.File("a.fpg") + " names an image of another size (" +
                            folder.File("small.png") + " is 1 x 1, its record says 64 x 64)");
  EXPECT_NE(run.status, 0);
}

TEST(Vbatool, InfoThenBuildGivesBackTheSavedBytes) {
  ScratchFolder folder;
  FileBytes file = VbaHeader(2, 300);
  AddBone(file, 1, "hip", 5, 6);
  AddBone(file, 0, std::string("n\xE9") + "e", 1, 1).Byte(255).Byte(255);
  file.Short(0).Short(40);
  AddState(file, {0.1f, -1e-7f, 359.99f, 3, 1.25f, 8});
  AddState(file, {1, 2, 3, 65535, 0, 65535});
  file.WriteTo(folder.File("a.vba"));

  const ToolRun info = Tool("vbatool", "info " + folder.File("a.vba"));
  ASSERT_EQ(info.status, 0);
  EXPECT_NE(info.output.find("\"name\": \"n\xC3\xA9"
                             "e\""),
            std::string::npos);
  EXPECT_NE(info.output.find("{\"x\": 0.1, \"y\": -1e-07, \"angle\": 359.99, \"scale\": 1.25, "
                             "\"depth\": 3, \"graph\": 8}"),
            std::string::npos);
  std::ofstream(folder.File("a.json")) << info.output;
  ASSERT_EQ(Tool("vbatool", "build " + folder.File("a.json") + " " + folder.File("b.vba")).status,
            0);
  EXPECT_EQ(ReadFileBytes(folder.File("b.vba")), file.Bytes());
}

TEST(Vbatool, BuildRefusesAnUnfitSkeletonAndBadFilesFail) {
  ScratchFolder folder;
  std::ofstream(folder.File("a.json"))
      << R"({"headerNumber": 0, "root": {"id": 0, "name": "a", "extra1": 1, "extra2": 1,
            "children": [{"id": 0, "name": "b", "extra1": 1, "extra2": 1, "children": []}]},
            "anims": []})";
  EXPECT_NE(Tool("vbatool", "build " + folder.File("a.json") + " " + folder.File("a.vba")).status,
            0);
  EXPECT_FALSE(std::ifstream(folder.File("a.vba")).good());

  VbaHeader(9).WriteTo(folder.File("v9.vba"));
  const ToolRun run = Tool("vbatool", "info " + folder.File("v9.vba"));
  EXPECT_EQ(run.output, "VBA " + folder.File("v9.vba") +
                            " wrong version\nTarn Engine: VBA module abnormal termination\n");
  EXPECT_EQ(run.status, 1);
}

}  // namespace
