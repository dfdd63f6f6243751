#include "app/net_room.h"

#include "field/notice.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "net/room_join.h"

namespace app {

namespace {
constexpr int kServiceMs = 16;

std::optional<net::IpPort> ResolveServer(const net::Address& server, std::string& error) {
  const auto found = net::Resolve(server);
  if (!found) error = "No se encuentra el servidor de salas " + server.host;
  return found;
}

void DrawSearch(const net::RoomCode& code, const net::RoomJoin& join) {
  media::SetClearColor(0, 0, 0);
  media::Clear();
  field::DrawNotice("Buscando la sala " + net::CodeText(code) + "...", 240);
  if (join.GetPhase() == net::RoomJoin::Phase::kRelaying) {
    field::DrawNotice("Sin enlace directo: por el servidor de salas", 320);
  }
  field::DrawNotice("Esc: cancelar", 520);
  media::Flip(0);
}
}  // namespace

std::unique_ptr<net::Lobby> JoinByCode(const NetChoice& choice, bool& relayed, std::string& error) {
  const auto server = ResolveServer(*choice.server, error);
  if (!server) return nullptr;
  auto join = net::RoomJoin::Start(*server, *choice.code, error);
  if (!join) return nullptr;
  media::FlushKeys();
  while (join->GetPhase() != net::RoomJoin::Phase::kReady) {
    join->Service(kServiceMs);
    if (join->GetPhase() == net::RoomJoin::Phase::kFailed) {
      error = join->Failure();
      return nullptr;
    }
    if (media::KeyDown(media::kKeyEscape)) {
      error = "Cancelado";
      return nullptr;
    }
    DrawSearch(*choice.code, *join);
  }
  relayed = join->Relayed();
  media::Print(std::string("Enlace con el anfitrión: ") +
               (relayed ? "por el servidor de salas" : "directo"));
  return join->TakeLobby(choice.localPlayers, error);
}

std::optional<net::RoomHost> OpenRoom(const NetChoice& choice, std::string& error) {
  const auto server = ResolveServer(*choice.server, error);
  if (!server) return std::nullopt;
  return net::RoomHost(*server);
}

bool ServeRoom(net::RoomHost& room, net::Lobby& lobby, std::string& error) {
  const bool known = room.Code().has_value();
  if (net::Endpoint* transport = lobby.Transport()) room.Service(*transport);
  if (!known && room.Code()) media::Print("Código de sala: " + net::CodeText(*room.Code()));
  if (room.GetPhase() != net::RoomHost::Phase::kFailed) return true;
  error = room.Failure();
  return false;
}

bool CloseRoom(net::RoomHost& room, net::Lobby& lobby) {
  if (net::Endpoint* transport = lobby.Transport()) room.Close(*transport);
  const int machines = static_cast<int>(lobby.Members().size());
  for (int m = 1; m < machines; ++m) {
    media::Print("Enlace con el EQUIPO " + std::to_string(m + 1) + ": " +
                 room.LinkWord(lobby.LinkAddress(m)));
  }
  return room.RelaysAny(lobby);
}

}  // namespace app
