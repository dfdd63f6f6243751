// skullgnawer-server [--port N] [--max-rooms N] [--max-relays N] [--relay-kbps N]
// The room server: prints the port it listens on, then serves until it is stopped.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "net/address.h"
#include "server/room_server.h"

namespace {

constexpr const char* kUsage =
    "usage: skullgnawer-server [--port N] [--max-rooms N] [--max-relays N] [--relay-kbps N]";
constexpr int kTurnMs = 100;
constexpr long kMostRooms = 1000000;
constexpr long kMostKbps = 100000;

volatile std::sig_atomic_t stopping = 0;

bool Number(const std::string& text, long low, long high, long& value) {
  try {
    size_t used = 0;
    value = std::stol(text, &used);
    return used == text.size() && value >= low && value <= high;
  } catch (const std::exception&) {
    return false;
  }
}

bool Parse(int argc, char** argv, server::ServerSettings& settings) {
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[i + 1];
    long number = 0;
    if (name == "--port") {
      const auto port = net::ParsePort(value, true);
      if (!port) return false;
      settings.port = *port;
    } else if (name == "--max-rooms" && Number(value, 1, kMostRooms, number)) {
      settings.maxRooms = static_cast<size_t>(number);
    } else if (name == "--max-relays" && Number(value, 1, kMostRooms, number)) {
      settings.maxRelays = static_cast<size_t>(number);
    } else if (name == "--relay-kbps" && Number(value, 1, kMostKbps, number)) {
      settings.relayKbps = static_cast<int>(number);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  server::ServerSettings settings;
  if (!Parse(argc, argv, settings)) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  std::string error;
  auto rooms = server::RoomServer::Open(settings, error);
  if (!rooms) {
    std::cerr << error << '\n';
    return 1;
  }
  std::signal(SIGTERM, [](int) { stopping = 1; });
  std::signal(SIGINT, [](int) { stopping = 1; });
  std::cout << "Servidor de salas en el puerto " << rooms->Port() << std::endl;
  std::cout << "Hasta " << settings.maxRooms << " salas y " << rooms->RelayCapacity()
            << " enlaces por el servidor a la vez" << std::endl;
  while (!stopping) rooms->Serve(kTurnMs);
  return 0;
}
