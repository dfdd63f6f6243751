// The headless runner from start-up through the splash and the menu to quitting, as a player's
// scripted session would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "media/image.h"
#include "support/match_data.h"
#include "support/scratch_folder.h"
#include "support/subprocess.h"

namespace {

namespace fs = std::filesystem;

const std::string kRunner = std::string(SKULL_BUILD_DIR) + "/skullgnawer-headless";
constexpr uint32_t kSplashColour = 0xff3080c0;

std::vector<std::string> ReadLines(const fs::path& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

uint32_t CentrePixel(const fs::path& png) {
  const media::ImagePtr image = media::LoadImage(png.string(), 0);
  if (!image) return 0;
  return image->Pixels(0)[image->Height() / 2 * image->Width() + image->Width() / 2];
}

// A data folder of its own with a plain start-up picture, so the run does not depend on the art.
class HeadlessRun : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Data() / "gfx");
    const media::ImagePtr splash = media::CreateImage(800, 600, 1, 0);
    std::fill_n(splash->Pixels(0), 800 * 600, kSplashColour);
    ASSERT_TRUE(media::SavePNG(*splash, (Data() / "gfx" / "kestro.png").string()));
    // The game loads its characters at start-up: small ones of the test's own.
    fs::create_directories(Data() / "anim");
    const fs::path here = fs::current_path();
    fs::current_path(Data());
    WriteMatchData();
    fs::current_path(here);
  }

  fs::path Data() const { return folder.Path() / "data"; }
  fs::path Out(const std::string& name) const { return folder.Path() / name; }

  int RunScript(const std::string& script, std::vector<std::string> extraArgs) {
    std::ofstream(Out("input.txt")) << script;
    std::vector<std::string> args = {kRunner,
                                     "--data",
                                     Data().string(),
                                     "--input",
                                     Out("input.txt").string(),
                                     "--trace",
                                     Out("trace.jsonl").string(),
                                     "--seconds",
                                     "60"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return RunChild(args, StdoutTo(Out("stdout.txt").string()));
  }

  // Every line parses as a trace object; times never go back. Returns the last time.
  long CheckTrace() {
    const std::regex line(
        R"(\{"t": (\d+), "state": [0-3], "players": \[((\{"slot": \d, "state": \d+, )"
        R"("x": -?\d+\.\d+, "y": -?\d+\.\d+\}(, )?)*)\]\})");
    long last = 0;
    const std::vector<std::string> lines = ReadLines(Out("trace.jsonl"));
    EXPECT_FALSE(lines.empty());
    for (const std::string& text : lines) {
      std::smatch match;
      EXPECT_TRUE(std::regex_match(text, match, line)) << text;
      if (match.empty()) continue;
      const long t = std::stol(match[1]);
      EXPECT_GE(t, last);
      last = t;
    }
    return last;
  }

  ScratchFolder folder;
};

// Without the menu art the buttons are ten-pixel squares round their corners: the quit button's
// at (360, 425), the quit panel's yes at (300, 360).
TEST_F(HeadlessRun, SplashThenMenuThenQuitWithYes) {
  const int status = RunScript(
      "6000 mouse 365 430\n6500 button 1 down\n6550 button 1 up\n"
      "7500 mouse 305 365\n7600 button 1 down\n7650 button 1 up\n",
      {"--shot", "2500:" + Out("splash.png").string(), "--shot",
       "6000:" + Out("menu.png").string()});
  EXPECT_EQ(status, 0);
  // Full alpha in the middle of the splash, the menu once it has faded out.
  EXPECT_EQ(CentrePixel(Out("splash.png")), kSplashColour);
  EXPECT_NE(CentrePixel(Out("menu.png")), kSplashColour);
  EXPECT_NE(CentrePixel(Out("menu.png")), 0u);
  const long last = CheckTrace();
  EXPECT_GE(last, 7650);
  EXPECT_LT(last, 8500);
  // The settings file is written beside the data, not in the caller's folder.
  EXPECT_EQ(fs::file_size(Data() / "wtf.cfg"), 28u);
}

TEST_F(HeadlessRun, HeldButtonCutsTheSplashAndStrayKeysAndClicksDoNotQuit) {
  const int status = RunScript(
      "0 button 1 down\n100 button 1 up\n2000 button 1 down\n2100 button 1 up\n"
      "2200 key 27 down\n2250 key 27 up\n",
      {"--shot", "1000:" + Out("menu.png").string(), "--seconds", "3"});
  EXPECT_EQ(status, 0);
  EXPECT_NE(CentrePixel(Out("menu.png")), kSplashColour);
  EXPECT_GE(CheckTrace(), 2900);
}

TEST_F(HeadlessRun, CloseRequestEndsTheProgramCleanly) {
  EXPECT_EQ(RunScript("3000 close\n", {}), 0);
  EXPECT_LT(CheckTrace(), 3500);
}

TEST_F(HeadlessRun, StopsAfterTheGivenVirtualSeconds) {
  EXPECT_EQ(RunScript("", {"--seconds", "2"}), 0);
  const long last = CheckTrace();
  EXPECT_GE(last, 1900);
  EXPECT_LE(last, 2000);
}

TEST_F(HeadlessRun, BadArgumentsAndMissingFilesAreRefused) {
  const SpawnOptions quiet = StdoutTo(Out("stdout.txt").string());
  EXPECT_EQ(RunChild({kRunner, "--frobnicate", "1"}, quiet), 2);
  EXPECT_EQ(RunChild({kRunner, "--shot", "soon.png"}, quiet), 2);
  EXPECT_EQ(RunChild({kRunner, "--seconds"}, quiet), 2);
  EXPECT_EQ(RunChild({kRunner, "--data", Out("nowhere").string()}, quiet), 2);
  EXPECT_EQ(RunChild({kRunner, "--input", Out("no-script.txt").string()}, quiet), 2);
}

}  // namespace
