// The character generator itself: two runs give the same bytes, and the build's files are the
// ones the sources give.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path kBuild = SKULL_BUILD_DIR;
const fs::path kSource = SKULL_SOURCE_DIR;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Generate(const fs::path& into) {
  const std::string command = (kBuild / "tools/chargen/chargen").string() + " " +
                              (kSource / "assets/characters").string() + " " + into.string();
  return std::system(command.c_str());
}

std::vector<fs::path> Outputs(const fs::path& root) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root));
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(CharacterGenerator, TwoRunsGiveTheSameBytesAsTheBuild) {
  const fs::path temp =
      fs::temp_directory_path() / (std::string("skull_chargen_test_") + std::to_string(getpid()));
  fs::remove_all(temp);
  ASSERT_EQ(Generate(temp / "a"), 0);
  ASSERT_EQ(Generate(temp / "b"), 0);
  const auto files = Outputs(temp / "a");
  EXPECT_EQ(files.size(), 14u);  // 12 packages and 2 animation sets
  EXPECT_EQ(files, Outputs(temp / "b"));
  for (const auto& file : files) {
    const std::string bytes = ReadAll(temp / "a" / file);
    EXPECT_EQ(bytes, ReadAll(temp / "b" / file)) << file;
    EXPECT_EQ(bytes, ReadAll(kBuild / file)) << file << " in the build is stale";
  }
  fs::remove_all(temp);
}

TEST(CharacterGenerator, AFaultySourceStopsTheBuildNamingTheFile) {
  const fs::path temp =
      fs::temp_directory_path() / (std::string("skull_chargen_fault_") + std::to_string(getpid()));
  fs::remove_all(temp);
  fs::create_directories(temp / "src");
  for (const auto& entry : fs::directory_iterator(kSource / "assets/characters")) {
    fs::copy(entry.path(), temp / "src" / entry.path().filename());
  }
  std::ofstream(temp / "src/looks.txt", std::ios::app)
      << "look chr9 player\n  shirt nonsense\nend\n";
  const std::string command = (kBuild / "tools/chargen/chargen").string() + " " +
                              (temp / "src").string() + " " + (temp / "out").string() + " 2> " +
                              (temp / "err.txt").string();
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_NE(ReadAll(temp / "err.txt").find("looks.txt:"), std::string::npos);
  fs::remove_all(temp);
}

}  // namespace

namespace {

// The viewer poses the built data with the game's playback and writes its strips and sheets.
TEST(CharacterViewer, DrawsStripsAndSheetsOfTheBuiltData) {
  const fs::path temp =
      fs::temp_directory_path() / (std::string("skull_viewer_test_") + std::to_string(getpid()));
  fs::create_directories(temp);
  const std::string viewer = (kBuild / "tools/viewer/viewer").string() + " ";
  const std::string strip = viewer + "strip " + (kBuild / "gfx/zombie2.vgp").string() + " " +
                            (kBuild / "anim/animzombie.vba").string() + " 2 " +
                            (temp / "strip.png").string() + " --frames 4 --loop --part 5";
  const std::string sheet = viewer + "sheet " + (temp / "sheet.png").string() + " " +
                            (kBuild / "anim/animchr.vba").string() + " 1,7 " +
                            (kBuild / "gfx/chr0.vgp").string();
  EXPECT_EQ(std::system(strip.c_str()), 0);
  EXPECT_EQ(std::system(sheet.c_str()), 0);
  EXPECT_EQ(ReadAll(temp / "strip.png").substr(1, 3), "PNG");
  EXPECT_EQ(ReadAll(temp / "sheet.png").substr(1, 3), "PNG");
  const std::string missing = viewer + "strip " + (kBuild / "gfx/chr0.vgp").string() + " " +
                              (kBuild / "anim/animchr.vba").string() + " 99 " +
                              (temp / "x.png").string() + " 2> /dev/null";
  EXPECT_NE(std::system(missing.c_str()), 0);
  fs::remove_all(temp);
}

}  // namespace
