#pragma once
// core/, the services above the formats. The system object every screen and entity reaches for the
// display, the clock, the settings and error reporting. One lives for the whole run.
#include <memory>
#include <string>

#include "core/configuracion.h"
#include "core/timer.h"
#include "media/display.h"

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

class TSistema {
 public:
  static std::shared_ptr<TSistema> Create();
  int Release() { return 0; }

  // Both print their line ("ERROR : " or "ERROR CRITICO : " and the message) to standard output and
  // raise a run-time error carrying it, which ends the program with status 255.
  [[noreturn]] void Error(const std::string& message);
  [[noreturn]] void CriticalError(const std::string& message);

  // Opens the 800 x 600 window, seeds the random numbers, fills the sine and cosine tables and
  // makes the clock and the settings.
  void Init();
  // The start-up picture for up to five seconds; a typed character or a held mouse button cuts it.
  int ShowSplash();

  const std::shared_ptr<TTimer>& GetTimer() const { return timer; }
  const std::shared_ptr<TConfiguracion>& GetConfig() const { return config; }

  int initialised = 0;
  media::DisplayPtr graphics;
  std::shared_ptr<TTimer> timer;
  std::shared_ptr<TConfiguracion> config;

 private:
  void OpenDisplay();
};
