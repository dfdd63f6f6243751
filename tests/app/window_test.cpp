// The real windowed program: on a virtual X server it opens its window and ends cleanly when the
// window is asked to close; with no display at all it says so and fails.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "support/scratch_folder.h"
#include "support/subprocess.h"
#include "support/virtual_display.h"

namespace {

using namespace std::chrono_literals;

const std::string kGame = std::string(SKULL_BUILD_DIR) + "/skullgnawer";
const std::string kCloseWindow = std::string(SKULL_BUILD_DIR) + "/tools/closewindow/closewindow";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(Window, OpensAndEndsCleanlyOnCloseRequest) {
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb cannot run here; the window is not tested";
  ScratchFolder folder;
  SpawnOptions options = StdoutTo((folder.Path() / "stdout.txt").string());
  // Under the sanitizers, the window system's libraries (D-Bus, GL drivers) hold allocations to
  // the end; the headless runs check the game's own memory.
  options.setEnv = {{"DISPLAY", display.Name()},
                    {"SDL_AUDIODRIVER", "dummy"},
                    {"LSAN_OPTIONS", "detect_leaks=0"}};
  options.unsetEnv = {"WAYLAND_DISPLAY"};
  const pid_t game = Spawn({kGame}, options);

  // Ask until the window exists and has taken the request (the program then exits).
  SpawnOptions closer;
  closer.setEnv = {{"DISPLAY", display.Name()}};
  bool asked = false;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!asked && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(200ms);
    asked = RunChild({kCloseWindow, "SKULLGNAWER"}, closer, 5s) == 0;
  }
  EXPECT_TRUE(asked) << "no window titled SKULLGNAWER appeared";
  EXPECT_EQ(WaitFor(game, 20s), 0) << ReadFile((folder.Path() / "stdout.txt").string());
}

TEST(Window, NoDisplayIsACriticalError) {
  ScratchFolder folder;
  const std::string out = (folder.Path() / "stdout.txt").string();
  SpawnOptions options = StdoutTo(out);
  options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  EXPECT_EQ(RunChild({kGame}, options, std::chrono::seconds(20)), 255);
  EXPECT_EQ(ReadFile(out), "ERROR CRITICO : no se pudo inicializar el driver gráfico\n");
}

}  // namespace
