#pragma once
// A relayed link between a joiner and its host, for routers that give every destination a port
// of its own (no punch gets through those). Each side talks to a port of its own here; the port
// learns the side's address from its first datagram, which must come from the address the server
// already knows for it, and everything after it goes to the other side, within the room's share
// of the relay.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "net/datagram.h"
#include "server/room_table.h"

namespace server {

class RelayLink {
 public:
  // A link that carries nothing for this long is forgotten: a live match is never that quiet.
  static constexpr double kIdleLimitMs = 30000;
  enum Side { kJoiner, kHost };

  // Null, with `error` saying why, when no ports can be opened.
  static std::unique_ptr<RelayLink> Open(const Room& room, int member, std::string& error);

  int Member() const { return member_; }
  const net::RoomCode& Code() const { return code_; }
  uint16_t Port(Side side) const { return sides_[side].socket->Port(); }
  const net::DatagramSocket& Socket(Side side) const { return *sides_[side].socket; }
  // Passes on what came in on `side`'s port.
  void Forward(Side side, double nowMs);
  bool Idle(double nowMs) const { return nowMs - lastMs_ > kIdleLimitMs; }
  uint64_t Dropped() const { return dropped_; }

 private:
  struct End {
    std::unique_ptr<net::DatagramSocket> socket;
    uint32_t expectedIp = 0;
    std::optional<net::IpPort> latched;
  };
  RelayLink() = default;

  net::RoomCode code_{};
  int member_ = 0;
  std::array<End, 2> sides_;
  std::shared_ptr<Bandwidth> bandwidth_;
  double lastMs_ = 0;
  uint64_t dropped_ = 0;
};

}  // namespace server
