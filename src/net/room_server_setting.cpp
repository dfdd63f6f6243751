#include "net/room_server_setting.h"

#include <filesystem>
#include <fstream>

#include "core/configuracion.h"
#include "media/system.h"
#include "net/room_wire.h"

namespace net {

namespace {
constexpr size_t kLongestText = 100;
}  // namespace

std::optional<Address> ParseRoomServer(const std::string& text) {
  auto address = ParseAddress(text);
  if (address && text.find(':') == std::string::npos) address->port = kRoomServerPort;
  return address;
}

std::string RoomServerPath() {
  return (std::filesystem::path(TConfiguracion::FilePath()).parent_path() / kRoomServerFile)
      .string();
}

std::string LoadRoomServer() {
  std::ifstream file(RoomServerPath());
  if (!file) return "";
  std::string text;
  std::getline(file, text);
  if (text.size() > kLongestText || !ParseRoomServer(text)) {
    media::Print("AVISO : " + RoomServerPath() +
                 " no tiene un servidor de salas válido; se ignora");
    return "";
  }
  return text;
}

bool SaveRoomServer(const std::string& text) {
  std::ofstream file(RoomServerPath(), std::ios::trunc);
  file << text << '\n';
  return static_cast<bool>(file.flush());
}

}  // namespace net
