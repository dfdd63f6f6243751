// The real windowed program: on a virtual X server it opens its window and ends cleanly when the
// window is asked to close; with no display at all it says so and fails.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "subprocess.h"
#include "temp_folder.h"

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

// An Xvfb server on a display number it picks itself; not running when Xvfb is missing or fails.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp"},
                 StdoutTo("/dev/null"));
    close(fds[1]);
    pollfd ready = {fds[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&ready, 1, 10000) == 1 && read(fds[0], number, sizeof number - 1) > 0) {
      display_ = ":" + std::string(number, strcspn(number, "\n"));
    }
    close(fds[0]);
  }
  ~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    WaitFor(pid_, 5s);
  }
  bool Running() const { return !display_.empty(); }
  const std::string& Name() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

TEST(Window, OpensAndEndsCleanlyOnCloseRequest) {
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb cannot run here; the window is not tested";
  TempFolder folder;
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
  TempFolder folder;
  const std::string out = (folder.Path() / "stdout.txt").string();
  SpawnOptions options = StdoutTo(out);
  options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  EXPECT_EQ(RunChild({kGame}, options, std::chrono::seconds(20)), 255);
  EXPECT_EQ(ReadFile(out), "ERROR CRITICO : no se pudo inicializar el driver gráfico\n");
}

}  // namespace
