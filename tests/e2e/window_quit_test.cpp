// The real windowed program on a virtual X server, driven as a player would: a click skips the
// start-up picture, the quit button opens its panel, "yes" ends the program with status 0.
#include <gtest/gtest.h>
#include <sys/wait.h>

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
// The settings in the build folder may have the music turned off; then the menu is waited for
// this long instead.
constexpr auto kLongestStartUp = 40s;

// The game's sound, written to a file by SDL's disk audio driver: silence or the start-up sting,
// the same on both sides, until the menu starts its music, whose sides differ: the sign that
// start-up and loading are over.
class PlayedSound {
 public:
  PlayedSound() : path_((std::filesystem::current_path() / "played.raw").string()) {}
  const std::string& Path() const { return path_; }
  // False when nothing stereo was played until the deadline.
  bool WaitForMusic(std::chrono::seconds timeout) const {
    constexpr size_t kFrameBytes = 4;  // 16-bit left, 16-bit right
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::streamoff checked = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      std::ifstream file(path_, std::ios::binary);
      file.seekg(checked);
      const std::string bytes(std::istreambuf_iterator<char>(file), {});
      const size_t frames = bytes.size() / kFrameBytes;
      for (size_t at = 0; at < frames * kFrameBytes; at += kFrameBytes) {
        if (bytes.compare(at, 2, bytes, at + 2, 2) != 0) return true;
      }
      checked += static_cast<std::streamoff>(frames * kFrameBytes);
      std::this_thread::sleep_for(100ms);
    }
    return false;
  }

 private:
  std::string path_;
};

// Whether the child has ended within `timeout`, leaving it running if not; `status` gets its
// exit status.
bool EndsWithin(pid_t pid, std::chrono::seconds timeout, int& status) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int raw = 0;
  while (waitpid(pid, &raw, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return true;
}

class Pointer {
 public:
  explicit Pointer(const std::string& display) { options_.setEnv = {{"DISPLAY", display}}; }
  // The game's window id, once it is on the screen to stay: the one visible window of that title,
  // found the same by two searches a moment apart.
  bool FindWindow() {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    std::string previous;
    while (std::chrono::steady_clock::now() < deadline) {
      const std::string found = VisibleWindow();
      if (!found.empty() && found == previous) {
        window_ = found;
        return true;
      }
      previous = found;
      std::this_thread::sleep_for(200ms);
    }
    return false;
  }
  // Held over a few frames: the menu reads whether the button is down in each frame.
  bool ClickAt(int x, int y) {
    return RunChild(
               {"xdotool", "mousemove", "--window", window_, std::to_string(x), std::to_string(y),
                "sleep", "0.2", "mousedown", "1", "sleep", "0.15", "mouseup", "1"},
               options_, 10s) == 0;
  }

 private:
  // Empty unless exactly one window titled SKULLGNAWER is mapped.
  std::string VisibleWindow() const {
    const std::string out = (std::filesystem::current_path() / "window.txt").string();
    SpawnOptions options = options_;
    options.stdoutPath = out;
    if (RunChild({"xdotool", "search", "--onlyvisible", "--name", "^SKULLGNAWER$"}, options, 10s) !=
        0) {
      return "";
    }
    std::ifstream list(out);
    std::string first, second;
    list >> first >> second;
    return second.empty() ? first : "";
  }

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
  const PlayedSound sound;
  SpawnOptions options = StdoutTo((std::filesystem::current_path() / "stdout.txt").string());
  options.setEnv = {{"DISPLAY", display.Name()},
                    {"SDL_AUDIODRIVER", "disk"},
                    {"SDL_DISKAUDIOFILE", sound.Path()},
                    {"LSAN_OPTIONS", "detect_leaks=0"}};
  options.unsetEnv = {"WAYLAND_DISPLAY"};
  const pid_t game = Spawn({kGame}, options);

  Pointer pointer(display.Name());
  ASSERT_TRUE(pointer.FindWindow()) << "no window titled SKULLGNAWER appeared";
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(pointer.ClickAt(400, 300));  // the splash
  // Loading after the splash takes seconds on a busy machine; a click before the menu's buttons
  // have slid in is lost.
  sound.WaitForMusic(kLongestStartUp);
  std::this_thread::sleep_for(kSettle);
  EXPECT_TRUE(pointer.ClickAt(kQuitX, kQuitY));
  std::this_thread::sleep_for(kSettle);
  // Until the program ends, yes is clicked again: the panel's buttons may still have been
  // sliding in the first time.
  int status = -1;
  bool ended = false;
  for (int click = 0; click < 4 && !ended; ++click) {
    pointer.ClickAt(kYesX, kYesY);
    ended = EndsWithin(game, 5s, status);
  }
  if (!ended) status = WaitFor(game, 1s);
  std::ifstream text(std::filesystem::current_path() / "stdout.txt");
  EXPECT_EQ(status, 0) << std::string(std::istreambuf_iterator<char>(text), {});
}

}  // namespace
