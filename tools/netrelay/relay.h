#pragma once
// A relay that stands for the internet between up to four machines on the loopback. It gives each
// machine a public port of its own: the first is the host's, known beforehand; a machine that
// writes to any public port for the first time is given the next free one. A datagram from
// machine A to the public port of machine B leaves the relay from A's public port towards B, so
// every machine sees the others at their public ports, as behind a simple home router. On the way
// a share of the datagrams is dropped and the rest are held back for a random time.
#include <netinet/in.h>

#include <cstdint>
#include <random>
#include <vector>

namespace relay {

struct Settings {
  uint16_t hostPort = 0;  // the host's real port on 127.0.0.1
  double lossShare = 0.1;
  int delayLowMs = 60;
  int delayHighMs = 100;
  double seconds = 120;  // the relay ends after this long whatever happens
  uint32_t seed = 1;
};

class Relay {
 public:
  static constexpr int kMachines = 4;

  // False (with errno set) when a socket cannot be made.
  bool Open(const Settings& settings);
  ~Relay();
  uint16_t PublicPort(int machine) const;
  // Forwards until the time is up.
  void Run();

  uint64_t forwarded = 0;
  uint64_t dropped = 0;

 private:
  struct Held {
    double due;
    int fromMachine;
    sockaddr_in to;
    std::vector<uint8_t> bytes;
  };

  void Receive(int publicMachine);
  int MachineAt(const sockaddr_in& address);
  void SendDue(double now);
  double NextDue() const;

  Settings settings_;
  int sockets_[kMachines] = {-1, -1, -1, -1};
  sockaddr_in real_[kMachines] = {};
  bool known_[kMachines] = {};
  std::vector<Held> held_;
  std::mt19937 random_;
};

double NowMs();

}  // namespace relay
