// SKULLGNAWER in a window. With --host or --join it first waits for a match over the network, then
// goes on to the menu.
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <iostream>
#include <string>
#include <vector>

#include "app/runner_options.h"
#include "app/startup.h"
#include "media/backend.h"
#include "media/sdl_backend.h"

int main(int argc, char** argv) {
  constexpr int kUsageStatus = 2;
  std::string error;
  const auto options =
      app::ParseRunnerOptions(std::vector<std::string>(argv + 1, argv + argc), error, true);
  if (!options) {
    std::cerr << error << '\n' << app::kWindowUsage << '\n';
    return kUsageStatus;
  }
  if (!app::EnterDataFolder(app::ExecutableFolder())) return 255;
  media::UseBackend(media::MakeWindowedBackend());
  app::ProgramChoice choice;
  choice.match = options->match;
  choice.menuAfterNetMatch = true;
  if (options->networked) {
    choice.net = options->network;
  } else if (choice.match) {
    std::cerr << "--match goes with --host\n" << app::kWindowUsage << '\n';
    return kUsageStatus;
  }
  const int status = app::RunProgram(choice);
#ifdef __EMSCRIPTEN__
  // A page stays open when its program ends: the sound and the window are let go of, and the
  // page is told, so it can say the game has ended.
  media::UseBackend(nullptr);
  EM_ASM(Module.gameEnded && Module.gameEnded($0), status);
#endif
  return status;
}
