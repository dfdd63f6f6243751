// SKULLGNAWER in a window.
#include "media/backend.h"
#include "media/sdl_backend.h"
#include "shell/startup.h"

int main() {
  if (!shell::EnterDataFolder(shell::ExecutableFolder())) return 255;
  media::UseBackend(media::MakeWindowedBackend());
  return shell::RunProgram();
}
