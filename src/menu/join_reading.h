#pragma once
// What the join page makes of the text typed into it. A room code is exactly four letters of the
// codes' alphabet, in any case, with nothing else but spaces around; everything else is read as a
// host's address, HOST or HOST:PORT. A machine on the home network whose name could be a code
// ("casa") is reached by writing its port too ("casa:27315"), which no code ever has. The page
// shows the reading as the player types, so the rule never surprises.
#include <optional>
#include <string>

#include "net/address.h"
#include "net/room_wire.h"

struct JoinReading {
  std::optional<net::RoomCode> code;
  std::optional<net::Address> address;  // only when the text is no code
  // The reading in the page's words: "Código de sala ABCD", "Dirección casa:27315", or nothing
  // for empty text or text that is neither.
  std::string Text() const;
};

JoinReading ReadJoinText(const std::string& text);
