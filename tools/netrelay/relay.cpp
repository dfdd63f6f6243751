#include "relay.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace relay {

namespace {

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

bool Same(const sockaddr_in& a, const sockaddr_in& b) {
  return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
}

}  // namespace

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool Relay::Open(const Settings& settings) {
  settings_ = settings;
  random_.seed(settings.seed);
  real_[0] = Loopback(settings.hostPort);
  known_[0] = true;
  for (int& socket : sockets_) {
    socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in any = Loopback(0);
    if (socket < 0 || bind(socket, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
      return false;
    }
  }
  return true;
}

Relay::~Relay() {
  for (int socket : sockets_) {
    if (socket >= 0) close(socket);
  }
}

uint16_t Relay::PublicPort(int machine) const {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  getsockname(sockets_[machine], reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

int Relay::MachineAt(const sockaddr_in& address) {
  for (int m = 0; m < kMachines; ++m) {
    if (known_[m] && Same(real_[m], address)) return m;
  }
  for (int m = 1; m < kMachines; ++m) {
    if (known_[m]) continue;
    known_[m] = true;
    real_[m] = address;
    return m;
  }
  return -1;
}

void Relay::Receive(int publicMachine) {
  std::vector<uint8_t> bytes(65536);
  sockaddr_in from{};
  socklen_t size = sizeof from;
  const ssize_t got = recvfrom(sockets_[publicMachine], bytes.data(), bytes.size(), 0,
                               reinterpret_cast<sockaddr*>(&from), &size);
  if (got < 0 || from.sin_addr.s_addr != htonl(INADDR_LOOPBACK)) return;
  const int sender = MachineAt(from);
  if (sender < 0 || sender == publicMachine || !known_[publicMachine]) return;
  if (std::uniform_real_distribution<double>(0, 1)(random_) < settings_.lossShare) {
    ++dropped;
    return;
  }
  bytes.resize(static_cast<size_t>(got));
  const int delay =
      std::uniform_int_distribution<int>(settings_.delayLowMs, settings_.delayHighMs)(random_);
  held_.push_back({NowMs() + delay, sender, real_[publicMachine], std::move(bytes)});
}

void Relay::SendDue(double now) {
  for (auto it = held_.begin(); it != held_.end();) {
    if (it->due > now) {
      ++it;
      continue;
    }
    sendto(sockets_[it->fromMachine], it->bytes.data(), it->bytes.size(), 0,
           reinterpret_cast<const sockaddr*>(&it->to), sizeof it->to);
    ++forwarded;
    it = held_.erase(it);
  }
}

double Relay::NextDue() const {
  double next = NowMs() + 50;
  for (const Held& held : held_) next = std::min(next, held.due);
  return next;
}

void Relay::Run() {
  const double end = NowMs() + settings_.seconds * 1000;
  pollfd polled[kMachines];
  for (int m = 0; m < kMachines; ++m) polled[m] = {sockets_[m], POLLIN, 0};
  for (double now = NowMs(); now < end; now = NowMs()) {
    const int wait = std::max(0, static_cast<int>(NextDue() - now));
    if (poll(polled, kMachines, wait) > 0) {
      for (int m = 0; m < kMachines; ++m) {
        if (polled[m].revents & POLLIN) Receive(m);
      }
    }
    SendDue(NowMs());
  }
}

}  // namespace relay
