// The network panel's room codes: the room server typed on the first page, a room opened beside
// the host's lobby (its code shown big), and a code looked up before a joiner's lobby.
#include "menu/submenu_net.h"
#include "net/room_server_setting.h"

namespace {
std::optional<net::IpPort> FindServer(const std::string& text, std::string& status) {
  const auto address = net::ParseRoomServer(text);
  const auto found = address ? net::Resolve(*address) : std::nullopt;
  if (!found) status = "No se encuentra el servidor de salas " + text;
  return found;
}
}  // namespace

void TSubMenuNet::TypeServer() {
  if (TypeInto(roomServer)) RememberServer();
}

bool TSubMenuNet::RememberServer() {
  if (!roomServer.empty() && !net::ParseRoomServer(roomServer)) {
    status = "Escribe el servidor de salas así: salas.example.org o salas.example.org:27316";
    return false;
  }
  if (roomServer != net::LoadRoomServer() && !net::SaveRoomServer(roomServer)) {
    status = "No se pudo guardar " + net::RoomServerPath();
  }
  return true;
}

// Without a room server, or with one that cannot be found, hosting goes on for the local network.
void TSubMenuNet::OpenRoom() {
  room.reset();
  if (roomServer.empty()) return;
  if (const auto server = FindServer(roomServer, status)) room.emplace(*server);
}

void TSubMenuNet::ServiceRoom() {
  if (net::Endpoint* transport = lobby->Transport()) room->Service(*transport);
  if (room->GetPhase() == net::RoomHost::Phase::kFailed) {
    status = room->Failure();
    room.reset();
  }
}

void TSubMenuNet::JoinByCode(const net::RoomCode& code) {
  if (roomServer.empty()) {
    status = "Para unirte con un código, escribe el servidor de salas en la página anterior";
    return;
  }
  const auto server = FindServer(roomServer, status);
  if (!server) return;
  std::string error;
  finding = net::RoomJoin::Start(*server, code, error);
  status = finding ? "Buscando la sala " + net::CodeText(code) + "..." : error;
}

void TSubMenuNet::ServiceFinding() {
  finding->Service(0);
  if (finding->GetPhase() == net::RoomJoin::Phase::kFailed) {
    status = finding->Failure();
    finding.reset();
  } else if (finding->GetPhase() == net::RoomJoin::Phase::kRelaying) {
    status = "Sin enlace directo: por el servidor de salas...";
  } else if (finding->GetPhase() == net::RoomJoin::Phase::kReady) {
    relayed = finding->Relayed();
    std::string error;
    lobby = finding->TakeLobby(localPlayers, error);
    status = lobby ? "Conectando con la sala..." : error;
    finding.reset();
  }
}

std::string TSubMenuNet::LinkOf(int machine) const {
  return room && lobby ? " (" + room->LinkWord(lobby->LinkAddress(machine)) + ")" : "";
}
