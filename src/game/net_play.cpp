#include "game/net_play.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "core/configuracion.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
#include "field/notice.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "net/state_digest.h"

namespace game {

namespace {

// The input codes the seats' players read: they name a seat, not a device of this machine.
constexpr int kSeatCodes = 10000;
constexpr float kSignY = 60;
constexpr const char* kDesyncLogName = "desync.log";
constexpr const char* kLeftBehindText = "Te has quedado atrás... los demás siguen sin este equipo";

}  // namespace

NetStatus& NetPlay::Status() {
  static NetStatus status;
  return status;
}

const NetStatus& CurrentNetStatus() {
  return NetPlay::Status();
}

NetPlay::NetPlay(std::unique_ptr<net::Lockstep> lockstep, const TConfiguracion& settings,
                 int localPlayers)
    : lockstep_(std::move(lockstep)) {
  if (!lockstep_->Setup().lockstep) {
    rollback_ = std::make_unique<net::Rollback>(*lockstep_);
    RouteSoundEffects([this](SoundEffect effect, const std::function<media::Channel()>& play) {
      return heard_.Route(effect, play);
    });
  }
  const net::MachineSeats& seats = lockstep_->Setup().machines[lockstep_->Setup().localMachine];
  for (int k = 0; k < localPlayers; ++k) {
    const int seat = seats.firstSeat + k;
    const bool computer = settings.CpuSeat(k) && k < seats.count && seat < kMaxPlayers;
    localCodes_.push_back(computer ? field::ComputerButton(seat) : settings.GetKey(k));
    localNames_.push_back(
        field::SeatButtonName(computer ? settings.CpuSeat(k) : std::nullopt, settings.GetKey(k)));
    if (computer) computerSeats_[seat] = settings.CpuSeat(k);
  }
}

NetPlay::~NetPlay() {
  if (rollback_) RouteSoundEffects(nullptr);
  Status() = {};
}

void NetPlay::BeforeSetUp(TTimer& timer) {
  timer_ = &timer;
  media::SeedRandom(lockstep_->Setup().seed);
  timer.StartFrameClock();
  Status() = {true, 0, {}};
}

void NetPlay::AfterSetUp(TAdministrador& manager) {
  manager_ = &manager;
  // Only this machine's players know their buttons' names; the others show their numbers.
  const int firstSeat = lockstep_->Setup().machines[lockstep_->Setup().localMachine].firstSeat;
  for (int seat = 0; seat < manager.GetPlayerCount(); ++seat) {
    const auto player = manager.GetPlayer(seat);
    if (!player) continue;
    player->buttonCode = kSeatCodes + seat;
    const int local = seat - firstSeat;
    const bool ours = local >= 0 && local < static_cast<int>(localNames_.size());
    player->buttonName = ours ? localNames_[local] : std::string();
  }
  manager.buttonReader = [this](int code) {
    const int seat = code - kSeatCodes;
    return seat >= 0 && seat < net::kMaxSeats && input_.buttons[seat];
  };
}

uint8_t NetPlay::SampleButtons() const {
  const net::MachineSeats& seats = lockstep_->Setup().machines[lockstep_->Setup().localMachine];
  uint8_t buttons = 0;
  for (int k = 0; k < seats.count && k < static_cast<int>(localCodes_.size()); ++k) {
    if (ButtonDown(localCodes_[k])) buttons |= static_cast<uint8_t>(1 << k);
  }
  if (media::KeyHit(media::kKeyF10)) buttons |= net::kPauseBit;
  return buttons;
}

bool NetPlay::AwaitFrame(TJuego& game) {
  if (rollback_) return AwaitFrameAhead(game);
  lockstep_->Submit(SampleButtons());
  const double start = net::NowMs();
  while (!lockstep_->Ready(kWaitSliceMs)) {
    if (media::KeyDown(media::kKeyEscape)) break;
    if (net::NowMs() - start >= kSignAfterMs) ShowWaiting(game);
  }
  Status().waitingFor.clear();
  if (!lockstep_->Missing().empty() ||
      lockstep_->GetOutcome() != net::Lockstep::Outcome::kPlaying) {
    game.running = 0;
    return false;
  }
  input_ = lockstep_->Take();
  Status().frame = lockstep_->Frame() - 1;
  TakeOutOfPlay(*manager_, input_.seatsOut);
  return true;
}

// The frame on screen stays; the sign says whose buttons have not come.
void NetPlay::ShowWaiting(TJuego& game) {
  const std::string text = "Esperando a " + PlayersOf(lockstep_->Missing()) + "...";
  if (Status().waitingFor.empty()) media::Print(text);
  Status().waitingFor.clear();
  for (const int machine : lockstep_->Missing()) {
    const net::MachineSeats& seats = lockstep_->Setup().machines[machine];
    for (int k = 0; k < seats.count; ++k) Status().waitingFor.push_back(seats.firstSeat + k + 1);
  }
  const bool drawing = CurrentMatchHooks().draw;
  if (drawing) {
    game.DrawField();
    field::DrawNotice(text, kSignY);
  }
  media::Flip(0);
  if (drawing) media::Clear();
}

std::string NetPlay::PlayersOf(const std::vector<int>& machines) const {
  std::string names;
  for (const int machine : machines) {
    const net::MachineSeats& seats = lockstep_->Setup().machines[machine];
    for (int k = 0; k < seats.count; ++k) {
      names += (names.empty() ? "" : " y ") + std::string("JUGADOR ") +
               std::to_string(seats.firstSeat + k + 1);
    }
  }
  return names;
}

void NetPlay::TakeOutOfPlay(TAdministrador& manager, const std::vector<int>& seats) {
  for (const int seat : seats) {
    const auto player = std::dynamic_pointer_cast<TJugador>(manager.GetPlayer(seat));
    if (!player || player->state == kDead) continue;
    player->CaughtByHorde();
    // A frame played again takes the player out again, but the line is said once.
    if (std::exchange(announcedOut_[seat], true)) continue;
    media::Print("JUGADOR " + std::to_string(seat + 1) +
                 " ha perdido la conexión y sale de la partida" +
                 (relayed_ ? "; el servidor de salas que llevaba el enlace no responde" : ""));
  }
}

void NetPlay::AfterUpdate(TJuego& game) {
  FinishFrame(game, Status().frame);
}

void NetPlay::FinishFrame(TJuego& game, uint32_t frame) {
  if (nudgeFrame_ != 0 && frame == nudgeFrame_) game.timer->scaledElapsed += 1;
  if (const auto& report = CurrentMatchHooks().confirmedFrame) {
    if (rollback_) {
      reports_.Keep(frame) = field::CurrentPlayers();
    } else {
      report(frame, field::CurrentPlayers());
    }
  }
  if (frame == 0 || frame % net::kDigestEvery != 0) return;
  if (rollback_) {
    digests_.Keep(frame) = Digest(game);
  } else {
    lockstep_->RecordDigest(frame, Digest(game));
  }
}

uint64_t NetPlay::Digest(const TJuego& game) {
  return net::MatchDigest(*game.manager, *game.timer, {game.progress.scroll, game.progress.fade});
}

void NetPlay::Finish() {
  lockstep_->Finish();
}

void NetPlay::End() {
  using Outcome = net::Lockstep::Outcome;
  const Outcome outcome = lockstep_->GetOutcome();
  if (outcome == Outcome::kPlaying) lockstep_->Leave();
  timer_->StopFrameClock();
  if (rollback_) RouteSoundEffects(nullptr);
  manager_->buttonReader = nullptr;
  Status() = {};
  if (outcome == Outcome::kQuit) {
    const int quitter = lockstep_->QuitBy();
    const bool several = lockstep_->Setup().machines[quitter].count > 1;
    field::ShowNotice(PlayersOf({quitter}) + (several ? " han" : " ha") + " terminado la partida");
  } else if (outcome == Outcome::kDesync) {
    WriteDesyncLog();
    field::ShowNotice("Partida desincronizada");
  } else if (outcome == Outcome::kLeftBehind) {
    media::Print(kLeftBehindText);
    field::ShowNotice(kLeftBehindText);
  }
  lockstep_.reset();
}

void NetPlay::WriteDesyncLog() const {
  const auto path =
      std::filesystem::path(TConfiguracion::FilePath()).replace_filename(kDesyncLogName);
  std::ofstream(path) << lockstep_->DesyncLog();
  media::Print("registro de la desincronización: " + path.string());
}

}  // namespace game
