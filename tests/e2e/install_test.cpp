// The installed game: programs, data, launcher and menu entry land in a prefix, the installed
// runner plays from there, and its settings go to the user's config home, not beside the data;
// data that only root may write still shows its scenery to everyone else.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/startup.h"
#include "media/draw.h"
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

int InstallInto(const fs::path& prefix) {
  return RunChild({"cmake", "--install", SKULL_BUILD_DIR, "--prefix", prefix.string()},
                  StdoutTo((Here() / "install.txt").string()), std::chrono::minutes(2));
}

TEST(Install, PutsTheGameInAPrefixWhereItRunsWithSettingsInTheConfigHome) {
  TempFolder folder;
  const fs::path prefix = Here() / "prefix";
  const fs::path config = Here() / "config";
  ASSERT_EQ(InstallInto(prefix), 0);
  const fs::path game = prefix / "lib" / "skullgnawer";
  for (const char* file :
       {"skullgnawer", "skullgnawer-headless", "installed", "gfx/kestro.png", "anim/animchr.vba",
        "gfx/chr0.vgp", "gfx/menu/tutorial14.png", "sfx/catch.wav"}) {
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

// Takes the write permission from everyone on every file and folder under `root`, or gives it
// back to the owner.
void SetWritable(const fs::path& root, bool writable) {
  const auto change = [writable](const fs::path& path) {
    if (writable) {
      fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    } else {
      fs::permissions(path,
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    }
  };
  change(root);
  for (const auto& entry : fs::recursive_directory_iterator(root)) change(entry.path());
}

struct Player {
  std::vector<std::string> prefix;  // what runs a command as the player
  std::string skipReason;           // why there is no such player here
};

// Root may open read-only files for writing, so as root the runner is played by nobody, who owns
// only its home folder; any other user is already held back by the permissions.
Player UnprivilegedPlayer(const fs::path& home) {
  if (geteuid() != 0) return {};
  const passwd* nobody = getpwnam("nobody");
  if (!nobody) return {{}, "there is no user nobody to drop root's privileges to"};
  const std::vector<std::string> prefix = {"setpriv", "--reuid=nobody", "--regid=nogroup",
                                           "--clear-groups", "--"};
  std::vector<std::string> probe = prefix;
  probe.push_back("true");
  if (RunChild(probe) != 0) return {{}, "setpriv cannot drop root's privileges here"};
  if (chown(home.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
    return {{}, "cannot give nobody a home folder"};
  }
  return {prefix, ""};
}

// Under the sanitizers the runner reads the leak suppressions that LSAN_OPTIONS names (set as
// "suppressions=FILE" by the test set-up), from a folder the player may not be allowed into: the
// player gets a copy in its home.
std::string LeakOptionsFor(const fs::path& home) {
  const std::string key = "suppressions=";
  const char* options = std::getenv("LSAN_OPTIONS");
  if (!options || std::string(options).rfind(key, 0) != 0) return options ? options : "";
  const fs::path copy = home / "lsan-suppressions.txt";
  fs::copy_file(std::string(options).substr(key.size()), copy,
                fs::copy_options::overwrite_existing);
  return key + copy.string();
}

// The share of the top band of a picture (the sky of every scenery) that is not black.
double LitShareOfTheTop(const fs::path& shot) {
  auto picture = media::LoadImage(shot.string(), 0);
  if (!picture) return 0;
  const media::PixelBuffer pixels = media::LockImage(picture, 0);
  int lit = 0;
  constexpr int kBand = 100;
  for (int y = 0; y < kBand; ++y)
    for (int x = 0; x < picture->Width(); ++x)
      lit += (media::ReadPixel(pixels, x, y) & 0xFFFFFFu) != 0;
  media::UnlockImage(picture);
  return static_cast<double>(lit) / (kBand * picture->Width());
}

// Installed by root for everyone (`sudo cmake --install build --prefix /usr/local`), the data can
// only be read by the player: a match must still find its panorama.
TEST(Install, ReadOnlyDataPlayedByAnotherUserStillShowsTheScenery) {
  TempFolder folder;
  fs::permissions(Here(),
                  fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                      fs::perms::others_exec,
                  fs::perm_options::add);
  const fs::path prefix = Here() / "prefix";
  const fs::path home = Here() / "home";
  fs::create_directories(home);
  ASSERT_EQ(InstallInto(prefix), 0);
  SetWritable(prefix, false);
  const Player player = UnprivilegedPlayer(home);
  if (!player.skipReason.empty()) {
    SetWritable(prefix, true);
    GTEST_SKIP() << player.skipReason;
  }

  // The splash takes the first seconds; the match begins after it.
  const fs::path shot = home / "match.png";
  const fs::path runner = prefix / "lib" / "skullgnawer" / "skullgnawer-headless";
  std::vector<std::string> command = player.prefix;
  command.insert(command.end(), {runner.string(), "--match", "0:2", "--seconds", "8", "--shot",
                                 "7000:" + shot.string()});
  SpawnOptions options = StdoutTo((Here() / "run.txt").string());
  options.setEnv = {{"HOME", home.string()},
                    {"XDG_CONFIG_HOME", (home / ".config").string()},
                    {"LSAN_OPTIONS", LeakOptionsFor(home)}};
  const int status = RunChild(command, options, std::chrono::minutes(1));
  SetWritable(prefix, true);
  ASSERT_EQ(status, 0) << ReadFile(Here() / "run.txt");
  EXPECT_TRUE(fs::exists(home / ".config" / "skullgnawer" / "wtf.cfg"));
  ASSERT_TRUE(fs::exists(shot));
  EXPECT_GT(LitShareOfTheTop(shot), 0.9) << "the match is played on a black field";
}

}  // namespace
