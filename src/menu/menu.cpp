#include "menu/menu.h"

#include "media/draw.h"
#include "media/input.h"
#include "media/sound.h"
#include "shell/music.h"
#include "shell/state_loop.h"

namespace {

constexpr const char* kTitle = "SKULLGNAWER";
constexpr const char* kQuitHint = "Escape o clic: salir";

bool QuitAsked() {
  return media::KeyHit(media::kKeyEscape) > 0 || media::MouseHit(1) > 0 || media::MouseHit(2) > 0 ||
         media::MouseHit(3) > 0;
}

void DrawCentredText(const std::string& text, float y, float scale) {
  media::SetTransform(0, scale, scale);
  media::DrawText(text, (kScreenWidth - media::TextWidth(text) * scale) / 2, y);
}

}  // namespace

std::shared_ptr<TMenu> TMenu::Create(std::shared_ptr<TSistema> system) {
  auto menu = std::make_shared<TMenu>();
  menu->system = std::move(system);
  return menu;
}

void TMenu::DrawFrame() {
  media::ResetRenderState();
  media::SetClearColor(24, 16, 20);
  media::Clear();
  media::SetColor(230, 220, 200);
  media::SetBlend(media::kBlendAlpha);
  DrawCentredText(kTitle, 200, 4);
  DrawCentredText(kQuitHint, 360, 2);
}

int TMenu::Run() {
  const media::Channel music = media::PlaySound(menuMusic);
  media::SetChannelVolume(music, system->GetConfig()->MusicChannelVolume());
  // Presses made during the splash do not count here.
  media::FlushKeys();
  media::FlushMouse();
  while (!QuitAsked()) {
    DrawFrame();
    media::Flip(-1);
  }
  media::StopChannel(music);
  return kStateQuit;
}
