#include "tutorial/tutorial.h"

#include <string>

#include "core/configuracion.h"
#include "core/key_names.h"
#include "core/music.h"
#include "core/sistema.h"
#include "core/timer.h"
#include "core/top_level_state.h"
#include "entities/administrador.h"
#include "entities/game_kinds.h"
#include "field/play_field.h"
#include "field/report_players.h"
#include "field/seats.h"
#include "media/input.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {

std::string SlidePath(int index) {
  const std::string number = std::to_string(index + 1);
  return "gfx/menu/tutorial" + std::string(number.size() < 2 ? "0" : "") + number + ".png";
}

}  // namespace

std::shared_ptr<TTutorial> TTutorial::Create(std::shared_ptr<TSistema> system) {
  if (!system) return nullptr;
  auto tutorial = std::make_shared<TTutorial>();
  tutorial->system = system;
  tutorial->timer = system->GetTimer();
  tutorial->resources = TRecursos::Create(system);
  if (!tutorial->resources) system->Error("no se pudo crear el gestor de recursos");
  tutorial->manager = TAdministrador::Create(system, tutorial->resources, GameEntityKinds());
  if (!tutorial->manager) system->Error("no se pudo crear el administrador de entidades");
  // A slide's text fills only the top band of the screen; the rest is not kept.
  for (int i = 0; i < kSlides; ++i) {
    tutorial->slides[i] = media::TrimTransparentEdges(media::LoadImage(SlidePath(i)));
  }
  tutorial->enterPrompt = media::LoadImage("gfx/menu/intro.png");
  tutorial->escPrompt = media::LoadImage("gfx/menu/esc.png");
  return tutorial;
}

int TTutorial::Run() {
  TConfiguracion& settings = *system->GetConfig();
  scroll = field::kStartScroll;
  state = kStateTutorial;
  step = 0;
  resources->LoadAll();
  ChooseLevel(settings);
  timer->SetSpeed(1, 0);  // whatever the screen before left it at
  timer->Update();
  timer->Update();
  SetUp(settings);
  field::ReportPlayersOf(manager.get());
  media::FlushKeys();
  while (state == kStateTutorial) PlayFrame(settings);
  if (bots) {
    media::UseInputSource(nullptr);
    bots->LetGoAll(media::Input());
    bots = nullptr;
  }
  media::StopChannel(musicChannel);
  manager->Clear();
  return state;
}

// Levels 0 and 1 only; the panorama is the game's, so the tutorial looks like what it teaches.
void TTutorial::ChooseLevel(TConfiguracion& settings) {
  settings.levelIndex = media::RandomInt(0, 100) < 50 ? 0 : 1;
  if (resources->GetLayerCount(settings.levelIndex) == 0) {
    resources->LoadScroll(settings.levelIndex, kLevelNames[settings.levelIndex]);
  }
}

void TTutorial::SetUp(const TConfiguracion& settings) {
  manager->Clear();
  const auto reader = manager->AddPlayer(resources->GetPlayerPackage(0),
                                         field::ReaderButton(settings), field::kFirstPlayerDepth);
  if (reader) reader->buttonName = KeyName(field::ReaderButton(settings));
  manager->ArrangePlayers();
  for (int n = 0; n < field::kHordeSize; ++n) manager->AddZombie();
  field::ShuffleTiles(tiles);
  musicChannel = media::PlaySound(gameMusic, {.volume = settings.MusicChannelVolume()});
}

// Escape still lets the frame finish: the last frame is drawn.
void TTutorial::PlayFrame(const TConfiguracion& settings) {
  if (bots) bots->Think(*manager, media::Milliseconds());
  timer->Update();
  if (media::KeyDown(media::kKeyEscape)) state = kStateMenu;
  scroll += field::kScrollSpeed * timer->GetDelta(false);
  manager->UpdateAll();
  if (!manager->IsPlayerAlive(0)) manager->RespawnPlayer(0);
  Script(settings);
  Draw();
  field::CapFrameRate(*timer);
}

int TTutorial::StepElapsed() const {
  return static_cast<int>(media::Milliseconds()) - stepStart;
}

void TTutorial::RestartStepClock() {
  stepStart = static_cast<int>(media::Milliseconds());
}
