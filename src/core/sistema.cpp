#include "core/sistema.h"

#include "core/sound_effects.h"
#include "media/draw.h"
#include "media/image.h"
#include "media/input.h"
#include "media/system.h"
#include "media/trig.h"

namespace {

constexpr int kRefreshRate = 60;
constexpr int kWindowDepth = 0;  // a window, not full screen
constexpr int kSplashMs = 5000;
constexpr int kSplashFadeMs = 1000;

[[noreturn]] void Report(const std::string& line) {
  media::Print(line);
  media::Raise(line);
}

// Fades in over the first second, holds, and fades out over the last second, by the milliseconds
// left until the splash ends.
float SplashAlpha(int msLeft) {
  if (msLeft < kSplashFadeMs) return static_cast<float>(msLeft) / kSplashFadeMs;
  if (msLeft < kSplashMs - kSplashFadeMs) return 1;
  return static_cast<float>(kSplashMs - msLeft) / kSplashFadeMs;
}

bool SplashCut() {
  return media::NextChar() != 0 || media::MouseDown(1) || media::MouseDown(2) ||
         media::MouseDown(3);
}

}  // namespace

std::shared_ptr<TSistema> TSistema::Create() {
  return std::make_shared<TSistema>();
}

void TSistema::Error(const std::string& message) {
  Report("ERROR : " + message);
}

void TSistema::CriticalError(const std::string& message) {
  Report("ERROR CRITICO : " + message);
}

void TSistema::OpenDisplay() {
  media::SetTitle("SKULLGNAWER");
  for (media::Driver driver : {media::Driver::kOpenGL, media::Driver::kDirect3D7}) {
    media::SelectDriver(driver, media::kDisplayBackBuffer);
    graphics = media::OpenDisplay(kScreenWidth, kScreenHeight, kWindowDepth, kRefreshRate, 0);
    if (graphics) return;
  }
  CriticalError("no se pudo inicializar el driver gráfico");
}

void TSistema::Init() {
  OpenDisplay();
  media::SeedRandom(static_cast<int32_t>(media::Milliseconds()));
  FillTrigTables();
  timer = TTimer::Create();
  if (!timer) CriticalError("no se pudo inicializar el temporizador de juego");
  config = TConfiguracion::Create();
  if (!config) CriticalError("error al gestionar configuracion");
  SetSoundEffectsVolume(config->soundVolume);
  initialised = 1;
}

int TSistema::ShowSplash() {
  const media::ImagePtr splash = media::LoadImage("gfx/kestro.png", media::kImageDefaultFlags);
  const uint32_t end = media::Milliseconds() + kSplashMs;
  PlaySoundEffect(SoundEffect::kSting);
  if (!splash) return 0;
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendAlpha);
  media::SetTransform(0, 1, 1);
  media::SetClearColor(0, 0, 0);
  int msLeft = 0;
  do {
    media::Clear();
    msLeft = static_cast<int>(end - media::Milliseconds());
    media::SetAlpha(SplashAlpha(msLeft));
    media::DrawImage(splash, 0, 0, 0);
    media::Flip(-1);
  } while (!SplashCut() && msLeft > 0);
  return 0;
}
