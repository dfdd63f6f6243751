#include "app/net_start.h"

#include <numeric>

#include "app/net_room.h"
#include "app/state_loop.h"
#include "core/sistema.h"
#include "field/notice.h"
#include "game/juego.h"
#include "game/net_play.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "net/lobby.h"

namespace app {

namespace {

// The network is serviced between frames for about a frame's time; the lobby takes no time of
// the game's clock, so a scripted run's times count from the match.
constexpr int kServiceMs = 16;

int SeatsOffered(const net::Lobby& lobby) {
  int seats = 0;
  for (const auto& member : lobby.Members()) seats += member.localPlayers;
  return seats;
}

std::string Headline(const net::Lobby& lobby, const NetChoice& choice,
                     const std::optional<net::RoomHost>& room) {
  if (room && room->Code()) return "Código de sala: " + net::CodeText(*room->Code());
  if (choice.hosting) return "Anfitrión en el puerto " + std::to_string(lobby.Port());
  if (lobby.GetPhase() == net::Lobby::Phase::kConnecting) {
    return "Conectando con " + choice.host.Text() + "...";
  }
  return "Esperando a que el anfitrión empiece";
}

void DrawLobby(const net::Lobby& lobby, const NetChoice& choice,
               const std::optional<net::RoomHost>& room, const std::string& note) {
  media::SetClearColor(0, 0, 0);
  media::Clear();
  field::DrawNotice(Headline(lobby, choice, room), 200);
  field::DrawNotice("Equipos: " + std::to_string(lobby.Members().size()) +
                        ", jugadores: " + std::to_string(SeatsOffered(lobby)),
                    280);
  if (!note.empty()) field::DrawNotice(note, 360);
  field::DrawNotice("Esc: cancelar", 520);
  media::Flip(0);
}

// Until the match starts; null when it cannot or Escape cancels. `relayed` says whether any of
// this machine's links goes through the room server's relay.
std::unique_ptr<net::Lockstep> AwaitMatch(const NetChoice& choice, const MatchChoice& match,
                                          bool& relayed) {
  std::string error;
  std::unique_ptr<net::Lobby> lobby;
  std::optional<net::RoomHost> room;
  if (choice.hosting) {
    lobby = net::Lobby::Host(choice.port, choice.localPlayers, error);
    if (lobby && choice.server && !(room = OpenRoom(choice, error))) lobby.reset();
  } else {
    lobby = choice.code ? JoinByCode(choice, relayed, error)
                        : net::Lobby::Join(choice.host, 0, choice.localPlayers, error);
  }
  if (!lobby) {
    field::ShowNotice(error);
    return nullptr;
  }
  if (choice.hosting) {
    media::Print("Esperando jugadores en el puerto " + std::to_string(lobby->Port()));
    const int rollbackDelay = choice.lockstep ? 0 : net::kRollbackInputDelay;
    lobby->SetInputDelay(choice.inputDelay > 0 ? choice.inputDelay : rollbackDelay);
    lobby->SetLockstep(choice.lockstep);
  }
  media::FlushKeys();
  std::string note;
  while (lobby->GetPhase() != net::Lobby::Phase::kStarted) {
    lobby->Service(kServiceMs);
    for (const std::string& happened : lobby->TakeNotes()) media::Print(note = happened);
    if (room && !ServeRoom(*room, *lobby, error)) {
      field::ShowNotice(error);
      return nullptr;
    }
    if (lobby->GetPhase() == net::Lobby::Phase::kFailed) {
      field::ShowNotice(lobby->Failure());
      return nullptr;
    }
    if (media::KeyDown(media::kKeyEscape)) return nullptr;
    if (choice.hosting && lobby->GetPhase() == net::Lobby::Phase::kWaiting &&
        lobby->Members().size() >= 2 && SeatsOffered(*lobby) >= match.players &&
        !lobby->Start(match.level, match.players, error)) {
      media::Print(note = error);
    }
    DrawLobby(*lobby, choice, room, note);
  }
  if (room) relayed = CloseRoom(*room, *lobby);
  relayed = relayed || lobby->RelaysAJoinerLink();
  return lobby->TakeMatch();
}

}  // namespace

void HandOver(TJuego& game, std::unique_ptr<net::Lockstep> match, int localPlayers,
              uint32_t nudgeAfter, bool relayed) {
  TConfiguracion& settings = *game.system->GetConfig();
  const net::MatchSetup& setup = match->Setup();
  ChooseMatch(settings, setup.level, setup.players);
  const net::MachineSeats& seats = setup.machines[setup.localMachine];
  media::Print("Partida en red: nivel " + std::to_string(setup.level) + ", " +
               std::to_string(setup.players) + " jugadores, retraso de " +
               std::to_string(setup.inputDelay) + " fotogramas, " +
               (setup.lockstep ? "cada fotograma espera a todos" : "con vuelta atrás") +
               "; este equipo juega como JUGADOR " + std::to_string(seats.firstSeat + 1));
  game.net = std::make_shared<game::NetPlay>(std::move(match), settings, localPlayers);
  if (nudgeAfter != 0) game.net->NudgeAfter(nudgeAfter);
  if (relayed) game.net->ThroughRelay();
}

bool PlayNetMatch(TJuego& game, const NetChoice& choice, const MatchChoice& match) {
  bool relayed = false;
  auto lockstep = AwaitMatch(choice, match, relayed);
  if (!lockstep) return false;
  HandOver(game, std::move(lockstep), choice.localPlayers, choice.nudgeAfter, relayed);
  if (choice.holdMs > 0) game.net->HoldPacketsAt(choice.holdFrame, choice.holdMs);
  RunOneMatch(game);
  game.net.reset();
  return true;
}

}  // namespace app
