#pragma once
// Which of the server's many sockets have datagrams waiting, at a cost that follows the ready
// ones rather than all of them: a server relaying thousands of links must not look at each of
// them every turn. A socket is watched until it is closed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace server {

class Readiness {
 public:
  // Null, with `error` saying why, when the system refuses.
  static std::unique_ptr<Readiness> Open(std::string& error);
  ~Readiness();
  Readiness(const Readiness&) = delete;
  Readiness& operator=(const Readiness&) = delete;

  // Watches the socket, telling it by `tag` when it is ready; false when the system refuses.
  bool Watch(int handle, uint64_t tag);
  // Waits up to timeoutMs; the tags of the sockets with datagrams waiting.
  std::vector<uint64_t> Wait(int timeoutMs);

 private:
  explicit Readiness(int handle) : handle_(handle) {}
  int handle_;
};

}  // namespace server
