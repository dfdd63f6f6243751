#include "server/readiness.h"

#include <sys/epoll.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace server {

namespace {
// Ready sockets taken in one wait; more are simply taken on the next.
constexpr int kMostAtOnce = 256;
}  // namespace

std::unique_ptr<Readiness> Readiness::Open(std::string& error) {
  const int handle = epoll_create1(EPOLL_CLOEXEC);
  if (handle < 0) {
    error = std::string("No se pueden vigilar los puertos del servidor: ") + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<Readiness>(new Readiness(handle));
}

Readiness::~Readiness() {
  close(handle_);
}

bool Readiness::Watch(int handle, uint64_t tag) {
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.u64 = tag;
  return epoll_ctl(handle_, EPOLL_CTL_ADD, handle, &event) == 0;
}

std::vector<uint64_t> Readiness::Wait(int timeoutMs) {
  std::array<epoll_event, kMostAtOnce> events{};
  const int got = epoll_wait(handle_, events.data(), kMostAtOnce, timeoutMs);
  std::vector<uint64_t> tags;
  for (int i = 0; i < got; ++i) tags.push_back(events[i].data.u64);
  return tags;
}

}  // namespace server
