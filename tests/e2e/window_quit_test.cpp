// The real windowed program on a virtual X server, driven as a player would: a click skips the
// start-up picture, the quit button opens its panel, "yes" ends the program with status 0.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/subprocess.h"
#include "support/temp_folder.h"
#include "support/virtual_display.h"

namespace {

using namespace std::chrono_literals;

const std::string kGame = std::string(SKULL_BUILD_DIR) + "/skullgnawer";

// The centres of the main menu's quit button (216 × 72 at 360, 425) and the quit panel's yes
// (100 × 55 at 300, 360), in window coordinates.
constexpr int kQuitX = 468, kQuitY = 461;
constexpr int kYesX = 350, kYesY = 387;
// Long enough for the buttons to slide in and a panel to fade in, even on a busy machine.
constexpr auto kSettle = 3s;

class Pointer {
 public:
  explicit Pointer(const std::string& display) { options_.setEnv = {{"DISPLAY", display}}; }
  // The game's window id, once it is there.
  bool FindWindow() {
    const std::string out = (std::filesystem::current_path() / "window.txt").string();
    SpawnOptions options = options_;
    options.stdoutPath = out;
    if (RunChild({"xdotool", "search", "--sync", "--name", "SKULLGNAWER"}, options, 20s) != 0) {
      return false;
    }
    std::ifstream(out) >> window_;
    return !window_.empty();
  }
  // Held over a few frames: the menu reads whether the button is down in each frame.
  bool ClickAt(int x, int y) {
    return RunChild(
               {"xdotool", "mousemove", "--window", window_, std::to_string(x), std::to_string(y),
                "sleep", "0.2", "mousedown", "1", "sleep", "0.15", "mouseup", "1"},
               options_, 10s) == 0;
  }

 private:
  SpawnOptions options_;
  std::string window_;
};

TEST(WindowSession, ClickPastTheSplashThenQuitWithYes) {
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb cannot run here; the window is not tested";
  SpawnOptions quiet = StdoutTo("/dev/null");
  quiet.setEnv = {{"DISPLAY", display.Name()}};
  if (RunChild({"xdotool", "version"}, quiet) != 0) GTEST_SKIP() << "xdotool is missing";
  TempFolder folder;
  SpawnOptions options = StdoutTo((std::filesystem::current_path() / "stdout.txt").string());
  options.setEnv = {{"DISPLAY", display.Name()},
                    {"SDL_AUDIODRIVER", "dummy"},
                    {"LSAN_OPTIONS", "detect_leaks=0"}};
  options.unsetEnv = {"WAYLAND_DISPLAY"};
  const pid_t game = Spawn({kGame}, options);

  Pointer pointer(display.Name());
  ASSERT_TRUE(pointer.FindWindow()) << "no window titled SKULLGNAWER appeared";
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(pointer.ClickAt(400, 300));  // the splash
  std::this_thread::sleep_for(kSettle);
  EXPECT_TRUE(pointer.ClickAt(kQuitX, kQuitY));
  std::this_thread::sleep_for(kSettle);
  EXPECT_TRUE(pointer.ClickAt(kYesX, kYesY));
  std::ifstream text(std::filesystem::current_path() / "stdout.txt");
  EXPECT_EQ(WaitFor(game, 20s), 0) << std::string(std::istreambuf_iterator<char>(text), {});
}

}  // namespace
