// SKULLGNAWER in a window.
#include "app/startup.h"
#include "media/backend.h"
#include "media/sdl_backend.h"

int main() {
  if (!app::EnterDataFolder(app::ExecutableFolder())) return 255;
  media::UseBackend(media::MakeWindowedBackend());
  return app::RunProgram();
}
