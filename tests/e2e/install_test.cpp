// The installed game: programs, data, launcher and menu entry land in a prefix, the installed
// runner plays from there, and its settings go to the user's config home, not beside the data.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/startup.h"
#include "support/subprocess.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// The test works inside a fresh folder of its own.
fs::path Here() {
  return fs::current_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(Install, PutsTheGameInAPrefixWhereItRunsWithSettingsInTheConfigHome) {
  TempFolder folder;
  const fs::path prefix = Here() / "prefix";
  const fs::path config = Here() / "config";
  ASSERT_EQ(RunChild({"cmake", "--install", SKULL_BUILD_DIR, "--prefix", prefix.string()},
                     StdoutTo((Here() / "install.txt").string()), std::chrono::minutes(2)),
            0);
  const fs::path game = prefix / "lib" / "skullgnawer";
  for (const char* file : {"skullgnawer", "skullgnawer-headless", "installed", "gfx/kestro.png",
                           "anim/animchr.vba", "gfx/chr0.vgp", "gfx/menu/tutorial14.png"}) {
    EXPECT_TRUE(fs::exists(game / file)) << file;
  }
  EXPECT_EQ(fs::canonical(prefix / "bin" / "skullgnawer"), fs::canonical(game / "skullgnawer"));
  const std::string entry = ReadFile(prefix / "share" / "applications" / "skullgnawer.desktop");
  EXPECT_NE(entry.find("Exec=" + (prefix / "bin" / "skullgnawer").string() + "\n"),
            std::string::npos)
      << entry;

  // Started from elsewhere, it finds its data beside itself.
  SpawnOptions options = StdoutTo((Here() / "run.txt").string());
  options.setEnv = {{"XDG_CONFIG_HOME", config.string()}};
  EXPECT_EQ(RunChild({(game / "skullgnawer-headless").string(), "--seconds", "1"}, options), 0)
      << ReadFile(Here() / "run.txt");
  EXPECT_EQ(fs::file_size(config / "skullgnawer" / "wtf.cfg"), 28u);
  EXPECT_FALSE(fs::exists(game / "wtf.cfg"));
}

TEST(Install, SettingsStayBesideAWritableBuildAndMoveHomeWhenInstalled) {
  TempFolder folder;
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const fs::path data = Here() / "data";
  fs::create_directories(data);
  const fs::path config = Here() / "config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_EQ(app::SettingsFolderFor(data.string()), "");

  std::ofstream(data / app::kInstalledMarker) << "";
  EXPECT_EQ(app::SettingsFolderFor(data.string()), (config / "skullgnawer").string());
  EXPECT_TRUE(fs::is_directory(config / "skullgnawer"));

  // A relative XDG_CONFIG_HOME is to be ignored: the home folder's .config is used instead.
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", Here().c_str(), 1);
  EXPECT_EQ(app::SettingsFolderFor(data.string()), (Here() / ".config" / "skullgnawer").string());
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", home.c_str(), 1);
}

}  // namespace
