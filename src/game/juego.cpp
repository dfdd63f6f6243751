#include "game/juego.h"

#include <algorithm>

#include "core/music.h"
#include "core/sistema.h"
#include "core/sound_effects.h"
#include "entities/administrador.h"
#include "entities/game_kinds.h"
#include "field/play_field.h"
#include "field/player_report.h"
#include "field/report_players.h"
#include "game/match_hooks.h"
#include "game/net_play.h"
#include "media/input.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr int kFirstWalkerLow = 6000;
constexpr int kFirstWalkerHigh = 10000;
constexpr int kNextWalkerLow = 1000;
constexpr int kNextWalkerHigh = 10000;
constexpr float kDecideMs = 1200.0f;  // the field darkens this long before the winner is shown
constexpr float kDimmerMs = 800.0f;
constexpr float kPausedMusic = 0.25f;  // 12 dB down: still there, but out of the way
}  // namespace

void ChooseMatch(TConfiguracion& settings, int level, int players) {
  settings.levelIndex = level;
  settings.levelName = kLevelNames[level];
  settings.playerCount = players;
}

std::shared_ptr<TJuego> TJuego::Create(std::shared_ptr<TSistema> system) {
  if (!system) return nullptr;
  auto game = std::make_shared<TJuego>();
  game->system = system;
  game->timer = system->GetTimer();
  game->resources = TRecursos::Create(system);
  if (!game->resources) system->Error("no se pudo crear el gestor de recursos");
  game->resources->LoadAll();
  game->drawPicture = LoadDrawPicture();
  for (int level = 0; level < TRecursos::kLevels; ++level) {
    game->resources->LoadScroll(level, kLevelNames[level]);
  }
  game->manager = TAdministrador::Create(system, game->resources, GameEntityKinds());
  if (!game->manager) system->Error("no se pudo crear el administrador de entidades");
  return game;
}

int TJuego::Run() {
  return Play(SettingsSeating());
}

int TJuego::Play(const MatchSeating& seating) {
  if (net) net->BeforeSetUp(*timer);
  SetUpMatch(seating);
  if (net) net->AfterSetUp(*manager);
  field::ReportPlayersOf(manager.get());
  media::UseInputSource(bots);
  while (running == 1 && PlayFrame()) {
  }
  media::UseInputSource(nullptr);
  bots->LetGoAll(media::Input());
  if (net) net->End();
  // Left paused or while being decided, the clock would stay stopped for whatever comes next.
  timer->SetSpeed(1, 0);
  media::StopChannel(musicChannel);
  field::ForgetPlayers();
  manager->Clear();
  return running;
}

MatchSeating TJuego::SettingsSeating() const {
  const TConfiguracion& settings = *system->GetConfig();
  MatchSeating seating{settings.levelIndex, settings.playerCount, settings.keys,
                       net ? net->ComputerSeats() : field::ComputerSeats(settings)};
  const int hooked = std::min(game::CurrentMatchHooks().botPlayers, kMaxPlayers);
  for (int slot = 0; slot < hooked; ++slot) seating.seats[slot] = CpuStrength::kNormal;
  return seating;
}

void TJuego::SetUpMatch(const MatchSeating& seating) {
  const auto& settings = *system->GetConfig();
  level = seating.level;
  paused = false;
  savedSpeed = 0;
  deciding = false;
  endTime = 0;
  scroll = field::kStartScroll;
  running = 1;
  timer->SetSpeed(1, 0);
  timer->Update();
  timer->Update();
  manager->dimmerRate = 0;
  manager->dimmer = 0;  // on, at plain white, so every entity is drawn untinted
  fade = 0;
  fadeRate = 0;
  manager->Clear();
  for (int slot = 0; slot < kMaxPlayers; ++slot) {
    if (slot >= 2 && seating.players <= slot) break;
    const int button = seating.seats[slot] ? field::ComputerButton(slot) : seating.keys[slot];
    const auto player =
        manager->AddPlayer(resources->GetPlayerPackage(slot), button,
                           field::kFirstPlayerDepth + field::kPlayerDepthStep * slot);
    if (player) player->buttonName = field::SeatButtonName(seating.seats[slot], seating.keys[slot]);
  }
  bots = std::make_shared<field::Bots>(seating.seats, botSeed++);
  manager->ArrangePlayers();
  for (int n = 0; n < field::kHordeSize; ++n) manager->AddZombie();
  field::ShuffleTiles(tiles);
  musicChannel = media::PlaySound(gameMusic, {.volume = settings.MusicChannelVolume()});
  media::FlushKeys();
  nextZombieTime = timer->GetElapsed(false) + media::RandomInt(kFirstWalkerLow, kFirstWalkerHigh);
  timer->Update();
  timer->Update();
}

bool TJuego::PlayFrame() {
  const auto& hooks = game::CurrentMatchHooks();
  if (hooks.beforeFrame) hooks.beforeFrame(*manager);
  if (DemoInterrupted()) {
    running = 0;
    return false;
  }
  bots->Think(*manager, media::Milliseconds());
  if (net && !net->AwaitFrame(*this)) return false;
  timer->Update();
  if (media::KeyDown(media::kKeyEscape)) running = 0;
  if (net ? net->PauseAsked() : media::KeyHit(media::kKeyF10)) TogglePause();
  DecideMatch();
  if (running != 1) return false;
  scroll += field::kScrollSpeed * timer->GetDelta(false);
  if (timer->GetElapsed(false) > nextZombieTime) {
    manager->AddZombieMovil();
    nextZombieTime = timer->GetElapsed(false) + media::RandomInt(kNextWalkerLow, kNextWalkerHigh);
  }
  manager->UpdateAll();
  if (net) net->AfterUpdate(*this);
  Render();
  field::CapFrameRate(*timer);
  return true;
}

// Speed 0 freezes the field while frames keep being drawn, and the music steps back; the second
// press restores the speed that held before and the music's level.
void TJuego::TogglePause() {
  if (paused) {
    timer->SetSpeed(savedSpeed, 0);
    paused = false;
  } else {
    savedSpeed = timer->GetSpeed();
    timer->SetSpeed(0, 0);
    paused = true;
  }
  const float music = system->GetConfig()->MusicChannelVolume();
  media::SetChannelVolume(musicChannel, paused ? music * kPausedMusic : music);
  PlaySoundEffect(paused ? SoundEffect::kPause : SoundEffect::kResume);
}

int TJuego::PlayersLeft() const {
  int left = 0;
  for (int slot = 0; slot < manager->GetPlayerCount(); ++slot) {
    if (manager->GetPlayerState(slot) != kPlayerOut) ++left;
  }
  return left;
}

// The last two may fall in the same frame, and the field still moves in the frame that decides
// the match, so the survivor may fall too: whoever is left when the darkening is over has won,
// and nobody left is a draw.
void TJuego::DecideMatch() {
  if (!deciding) {
    if (PlayersLeft() > 1) return;
    deciding = true;
    timer->SetSpeed(0, 0);
    endTime = timer->GetElapsed(true) + kDecideMs;
    manager->StartDimmer(kDimmerMs);
    fade = 0;
    fadeRate = 1 / kDecideMs;
  } else if (timer->GetElapsed(true) > endTime) {
    if (net) net->Finish();
    if (PlayersLeft() == 0) {
      PlaySoundEffect(SoundEffect::kDraw);
      ShowDraw();
    } else {
      PlaySoundEffect(SoundEffect::kWin);
      ShowWinner();
    }
    if (demo) {
      HoldDemoEnd();
    } else {
      AwaitKey();
    }
    running = 0;
  }
}

void TJuego::AwaitKey() {
  media::FlushKeys();
  const auto& hooks = game::CurrentMatchHooks();
  if (hooks.waitingForKey) hooks.waitingForKey();
  if (hooks.botPlayers > 0) bots->WaitingForKey(media::Milliseconds());
  media::WaitKey();
}
