// One tutorial frame: the level's back panels, the play field, the front panels seen through, and
// over everything the slide of the step with the blinking prompt while the script waits for a key.
#include "core/configuracion.h"
#include "core/sistema.h"
#include "entities/administrador.h"
#include "media/display.h"
#include "media/draw.h"
#include "resources/recursos.h"
#include "tutorial/tutorial.h"

namespace {

constexpr int kEscapeStep = 152;
constexpr float kEnterPromptX = 700;
constexpr float kEscPromptX = 25;
constexpr float kPromptY = 125;
constexpr float kBlinkStep = 0.05f;  // a blink of about 42 frames
// The reader learns by watching the puppets: a trunk or a pillar passing in front shows them
// through it.
constexpr float kFrontPanelAlpha = 0.5f;
// The first slide belongs to step 20; from there each ten steps have a slide of their own, up to
// the last one for the free play of steps 151 and 152.
constexpr int kFirstSlideStep = 20;
constexpr int kLastSlideStep = 159;

void PlainState() {
  media::SetAlpha(1);
  media::SetTransform(0, 1, 1);
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendAlpha);
}

}  // namespace

field::Panorama TTutorial::LevelPanorama() const {
  return {*resources, system->GetConfig()->levelIndex, scroll, tiles};
}

// The slide and its prompt come last: nothing of the field may cut their text.
void TTutorial::Draw() {
  PlainState();
  field::DrawBackPanels(LevelPanorama());
  manager->DrawAll();
  // White, not whatever colour the last entity left: the front panels are never tinted here.
  PlainState();
  media::SetAlpha(kFrontPanelAlpha);
  field::DrawFrontPanels(LevelPanorama());
  manager->DrawPlayerSigns();
  PlainState();
  DrawSlide();
  DrawPrompt();
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  media::Clear();
}

int TTutorial::SlideAt(int step) {
  if (step < kFirstSlideStep || step > kLastSlideStep) return -1;
  return step / 10 - kFirstSlideStep / 10;
}

void TTutorial::DrawSlide() const {
  if (SlideAt(step) >= 0) media::DrawImage(slides[SlideAt(step)], 0, 0, 0);
}

// Only the steps that wait for a key (and the single frames of the steps that act at once) are
// off the tens.
void TTutorial::DrawPrompt() {
  if (step % 10 == 0) return;
  if (promptAlpha > 1) promptStep = -kBlinkStep;
  if (promptAlpha < 0) promptStep = kBlinkStep;
  promptAlpha += promptStep;
  media::SetAlpha(promptAlpha);
  media::SetBlend(media::kBlendAlpha);
  if (step == kEscapeStep) {
    media::DrawImage(escPrompt, kEscPromptX, kPromptY, 0);
  } else {
    media::DrawImage(enterPrompt, kEnterPromptX, kPromptY, 0);
  }
}
