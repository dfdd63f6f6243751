#pragma once
// A joiner's links with the other joiners once the host starts. Both sides of a pair send a
// datagram towards each other every so often until the link is up, so that both home routers
// open (one alone is easily lost, or sent before the other router listens). In a room, a pair
// whose direct link has not come up within kDirectLimitMs is relayed by the room server: each
// side asks for a port of its own there and talks to the other through it.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "net/endpoint.h"
#include "net/match_setup.h"
#include "net/room_wire.h"

namespace net {

class JoinerLinks {
 public:
  static constexpr double kDirectLimitMs = 3000;

  // Without a ticket (a lobby joined by address) the links are only ever direct.
  explicit JoinerLinks(std::optional<RoomTicket> ticket) : ticket_(std::move(ticket)) {}
  // Begins opening the way to the joiner the host says is at `address`.
  void Open(int machine, const IpPort& address);
  // Every link is let go: the start begins again.
  void Clear() { targets_.clear(); }
  // Punches, asks the server and reads its answers; the machines now reached through the relay.
  std::vector<int> Service(Endpoint& endpoint, const std::array<bool, kMaxMachines>& linked);
  // Where to call the machine now: as the host gave it, or the relay's port.
  IpPort CallAddress(int machine) const;
  bool Relayed(int machine) const;
  // Why a link can be made neither way; empty while it may yet be.
  const std::string& Failure() const { return failure_; }

 private:
  struct Target {
    int machine = 0;
    IpPort address;  // as the host gave it
    IpPort towards;  // where the punches go: that address, then the relay's port
    bool relayed = false;
    double since = 0;
    double lastAskMs = 0;
  };
  // A relay port the server gave adds its machine to `relayed`.
  void OnMessage(const Datagram& datagram, std::vector<int>& relayed);
  void Ask(Endpoint& endpoint, Target& target, double nowMs);
  const Target* Find(int machine) const;

  std::optional<RoomTicket> ticket_;
  std::vector<Target> targets_;
  std::string failure_;
  double lastPunchMs_ = 0;
};

}  // namespace net
