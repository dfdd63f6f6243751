// The windowed program hosting a network match on a virtual X server: SIGTERM in the middle of
// the match first tells the joiner why, then ends the program as it would have.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "net_runners.h"
#include "support/temp_folder.h"
#include "support/virtual_display.h"

namespace {

using namespace e2e;

const std::string kGame = std::string(SKULL_BUILD_DIR) + "/skullgnawer";

// Whether the child ends, whichever way, within `limit`; killed if not.
bool EndsWithin(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

TEST(NetWindow, SigtermInAMatchTellsTheJoinerBeforeTheWindowCloses) {
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb cannot run here; the window is not tested";
  TempFolder folder;
  const fs::path out = fs::current_path() / "host.txt";
  SpawnOptions options = StdoutTo(out.string());
  options.setEnv = {{"DISPLAY", display.Name()},
                    {"SDL_AUDIODRIVER", "disk"},
                    {"SDL_DISKAUDIOFILE", (fs::current_path() / "played.raw").string()},
                    {"LSAN_OPTIONS", "detect_leaks=0"}};
  options.unsetEnv = {"WAYLAND_DISPLAY"};
  const pid_t game = Spawn({kGame, "--host", "0"}, options);
  const std::string port = AwaitLine(out, R"(en el puerto (\d+))");
  ASSERT_FALSE(port.empty()) << ReadFile(out);

  // The joiner reads the data the windowed program reads, beside it in the build folder.
  const fs::path trace = fs::current_path() / "joiner.jsonl";
  const fs::path joinerOut = fs::current_path() / "joiner.txt";
  const pid_t joiner = Spawn({kNetRunner, "--data", SKULL_BUILD_DIR, "--no-draw", "--trace",
                              trace.string(), "--seconds", "200", "--join", "127.0.0.1:" + port},
                             StdoutTo(joinerOut.string()));
  ASSERT_FALSE(AwaitLine(trace, R"(("frame": 30,))").empty()) << ReadFile(joinerOut);
  kill(game, SIGTERM);
  EXPECT_EQ(WaitFor(joiner, kRunLimit), 0) << ReadFile(joinerOut);
  EXPECT_NE(ReadFile(joinerOut).find("JUGADOR 1 ha terminado la partida"), std::string::npos)
      << ReadFile(joinerOut);
  EXPECT_TRUE(EndsWithin(game, 60s)) << "the window stayed open after SIGTERM";
}

}  // namespace
