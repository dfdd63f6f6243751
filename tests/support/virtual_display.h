#pragma once
// A virtual X server for tests of the real window.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "support/subprocess.h"

// An Xvfb server on a display number it picks itself; not running when Xvfb is missing or fails.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp"},
                 StdoutTo("/dev/null"));
    close(fds[1]);
    pollfd ready = {fds[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&ready, 1, 10000) == 1 && read(fds[0], number, sizeof number - 1) > 0) {
      display_ = ":" + std::string(number, strcspn(number, "\n"));
    }
    close(fds[0]);
  }
  ~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    WaitFor(pid_, std::chrono::seconds(5));
  }
  bool Running() const { return !display_.empty(); }
  const std::string& Name() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};
