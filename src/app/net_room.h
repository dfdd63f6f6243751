#pragma once
// Network play through a room server, from the command line: the joiner's search for a room by
// its code, and the host's room beside its lobby. Each says how its links go: direct, or
// through the server.
#include <memory>
#include <optional>
#include <string>

#include "app/startup.h"
#include "net/lobby.h"
#include "net/room_host.h"

namespace app {

// The lobby of the room `choice.code` names, once its host is reached (`relayed`: through the
// server's relay); null, with `error` saying why, when the code is wrong or the room closed,
// nobody answers, or Escape cancels.
std::unique_ptr<net::Lobby> JoinByCode(const NetChoice& choice, bool& relayed, std::string& error);

// The host's room on `choice.server`; nothing, with `error` saying why, when the server's name
// does not resolve.
std::optional<net::RoomHost> OpenRoom(const NetChoice& choice, std::string& error);
// After each service of the lobby: prints the code once it is known. False, with `error` saying
// why, when the server refused or never answered.
bool ServeRoom(net::RoomHost& room, net::Lobby& lobby, std::string& error);
// Closes the room as the match starts, and prints how each joiner is linked; true when any link
// goes through the server's relay.
bool CloseRoom(net::RoomHost& room, net::Lobby& lobby);

}  // namespace app
