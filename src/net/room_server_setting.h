#pragma once
// The room server the menu uses, remembered in a small text file of its own beside the settings
// ("salas.cfg": one line, HOST or HOST:PORT), so wtf.cfg keeps its size and older games read it.
#include <optional>
#include <string>

#include "net/address.h"

namespace net {

inline constexpr const char* kRoomServerFile = "salas.cfg";

// "HOST" or "HOST:PORT", the port 27316 unless given; nothing when the text is not one of those.
std::optional<Address> ParseRoomServer(const std::string& text);
// The path of the file, beside wtf.cfg.
std::string RoomServerPath();
// The remembered server as written; empty when none is. A damaged file is named in a warning on
// standard output and read as none.
std::string LoadRoomServer();
// False when the file could not be written.
bool SaveRoomServer(const std::string& text);

}  // namespace net
