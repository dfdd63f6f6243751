#include "app/startup.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <limits>

#include "app/net_start.h"
#include "app/state_loop.h"
#include "core/configuracion.h"
#include "core/key_names.h"
#include "core/music.h"
#include "core/sistema.h"
#include "core/sound_effects.h"
#include "game/juego.h"
#include "media/system.h"
#include "menu/menu.h"
#include "tutorial/tutorial.h"

namespace app {

namespace {

// The match and its bots draw from two streams; a chosen seed starts the match's, and the bots'
// starts from the match's first draw, so that the two never repeat each other.
void SeedPlay(TJuego& game, int32_t seed) {
  media::SeedRandom(seed);
  game.botSeed = media::RandomInt(1, std::numeric_limits<int32_t>::max() - 1);
}

// The start-up order matters: music, sound effects and key names before the window, the splash
// before the screens, whose creation loads every resource of the game.
void StartAndLoop(const ProgramChoice& choice) {
  LoadMusic();
  LoadSoundEffects();
  BuildKeyNames();
  const auto system = TSistema::Create();
  system->Init();
  if (choice.splash) system->ShowSplash();
  const auto menu = TMenu::Create(system);
  if (!menu) system->CriticalError("no se pudo inicializar menú de juego");
  const auto tutorial = TTutorial::Create(system);
  if (!tutorial) system->CriticalError("error no se pudo crear el tutorial");
  const auto game = TJuego::Create(system);
  if (!game) system->CriticalError("no se pudo inicializar el motor de juego");
  if (choice.seed) SeedPlay(*game, *choice.seed);
  if (choice.net) {
    const bool played = PlayNetMatch(*game, *choice.net, choice.match.value_or(MatchChoice{}));
    if (!choice.menuAfterNetMatch) media::Exit(played ? 0 : kNoNetMatchStatus);
    RunStateLoop(*menu, *game, *tutorial);
  } else if (choice.match) {
    ChooseMatch(*system->GetConfig(), choice.match->level, choice.match->players);
    RunOneMatch(*game);
  } else {
    RunStateLoop(*menu, *game, *tutorial);
  }
}

}  // namespace

int RunProgram(const ProgramChoice& choice) {
  constexpr int kRuntimeErrorStatus = 255;
  try {
    StartAndLoop(choice);
    return 0;
  } catch (const media::ProgramExit& exit) {
    return exit.status;
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << error.what() << std::endl;
    return kRuntimeErrorStatus;
  }
}

std::string ExecutableFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : executable.parent_path().string();
}

bool EnterDataFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (error) {
    std::cerr << "cannot enter the data folder " << folder << ": " << error.message() << '\n';
    return false;
  }
  TConfiguracion::SetFolder(SettingsFolderFor("."));
  return true;
}

std::string SettingsFolderFor(const std::string& dataFolder) {
  namespace fs = std::filesystem;
  const bool installed = fs::exists(fs::path(dataFolder) / kInstalledMarker);
  if (!installed && access(dataFolder.c_str(), W_OK) == 0) return "";
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  fs::path configHome;
  if (xdg && fs::path(xdg).is_absolute()) {
    configHome = xdg;
  } else if (home && *home) {
    configHome = fs::path(home) / ".config";
  } else {
    return "";  // nowhere better to go: the settings stay beside the data, or are not saved
  }
  const fs::path folder = configHome / "skullgnawer";
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) std::cerr << "cannot create the settings folder " << folder.string() << '\n';
  return error ? "" : folder.string();
}

}  // namespace app
