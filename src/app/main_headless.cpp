// SKULLGNAWER without a window: scripted input, a virtual clock, screenshots and a per-frame trace.
#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_trace.h"
#include "app/runner_options.h"
#include "app/startup.h"
#include "game/match_hooks.h"
#include "media/backend.h"
#include "media/headless_backend.h"
#include "media/system.h"
#include "net/identity.h"

namespace {

constexpr int kUsageStatus = 2;

// Without drawing, the frames around a shot are still drawn, so that a long run can be planned
// fast and photographed where it matters (play is the same either way).
void DrawOnlyForShots(const std::vector<std::pair<uint32_t, std::string>>& shots) {
  constexpr uint32_t kAroundShotMs = 40;  // a little over two frames either side
  auto& hooks = game::CurrentMatchHooks();
  hooks.beforeFrame = [look = std::move(hooks.beforeFrame), shots](const TAdministrador& manager) {
    const uint32_t now = media::Milliseconds();
    bool due = false;
    for (const auto& shot : shots) due |= now + kAroundShotMs >= shot.first && now <= shot.first;
    game::CurrentMatchHooks().draw = due;
    if (look) look(manager);
  };
}

media::HeadlessOptions BackendOptions(const app::RunnerOptions& options, app::FrameTrace* trace) {
  media::HeadlessOptions backend;
  backend.inputScript = options.inputScript;
  backend.shots = options.shots;
  backend.audioFile = options.audioFile;
  backend.stopAfterMs = static_cast<uint32_t>(std::lround(options.seconds * 1000));
  if (trace) backend.onPresent = [trace](uint32_t ms) { trace->Write(ms); };
  return backend;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      app::ParseRunnerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << error << '\n' << app::kRunnerUsage << '\n';
    return kUsageStatus;
  }
  std::unique_ptr<app::FrameTrace> trace;
  if (!options->traceFile.empty() && !(trace = app::FrameTrace::Open(options->traceFile))) {
    return kUsageStatus;
  }
  auto backend = media::MakeHeadlessBackend(BackendOptions(*options, trace.get()));
  if (!backend) return kUsageStatus;
  game::CurrentMatchHooks().botPlayers = options->bots;
  game::CurrentMatchHooks().draw = options->draw;
  if (!options->draw && !options->shots.empty()) DrawOnlyForShots(options->shots);
  const std::string data =
      options->dataFolder.empty() ? app::ExecutableFolder() : options->dataFolder;
  if (!app::EnterDataFolder(data)) return kUsageStatus;
  media::UseBackend(std::move(backend));
  if (!options->pretendVersion.empty()) net::PretendVersion(options->pretendVersion);
  app::ProgramChoice choice;
  choice.match = options->match;
  choice.seed = options->seed;
  if (options->networked) {
    choice.net = options->network;
    choice.splash = false;
  }
  const int status = app::RunProgram(choice);
  media::UseBackend(nullptr);  // closes the recording, whose header learns its length only now
  return status;
}
