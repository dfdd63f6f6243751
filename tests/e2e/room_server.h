#pragma once
// A room server for the network tests: started on a free port, stopped when the test ends.
#include <signal.h>

#include "net_runners.h"

namespace e2e {

inline const std::string kRoomServer = std::string(SKULL_BUILD_DIR) + "/skullgnawer-server";

class RoomServerProcess {
 public:
  RoomServerProcess(const fs::path& root, std::vector<std::string> prefix = {})
      : out_(root / "server.txt") {
    prefix.insert(prefix.end(), {kRoomServer, "--port", "0"});
    pid_ = Spawn(prefix, StdoutTo(out_.string()));
  }
  ~RoomServerProcess() { Stop(); }
  // The port it listens on, once it says.
  std::string Port() const { return AwaitLine(out_, R"(Servidor de salas en el puerto (\d+))"); }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    WaitFor(pid_, 10s);
    pid_ = -1;
  }

 private:
  fs::path out_;
  pid_t pid_ = -1;
};

// The code a hosting runner was given, once it says.
inline std::string RoomCode(const Runner& host) {
  return AwaitLine(host.Out(), R"(Código de sala: ([A-Z]{4}))");
}

}  // namespace e2e
