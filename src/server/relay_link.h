#pragma once
// A relayed link between two machines of a room (the host and a joiner, or two joiners), for
// routers that give every destination a port of its own (no punch gets through those). Each side
// talks to a port of its own here; the port learns the side's address from its first datagram,
// which must come from the address the server already knows for it, and everything after it goes
// to the other side, within the room's share of the relay.
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
  // The host-joiner links name the joiner's side first.
  enum Side { kJoiner, kHost };

  // The link between two members of the room (0: the host); null, with `error` saying why, when
  // no ports can be opened.
  static std::unique_ptr<RelayLink> Open(const Room& room, int first, int second,
                                         std::string& error);

  const net::RoomCode& Code() const { return code_; }
  int Member(int side) const { return sides_[side].member; }
  // True for the link between these two members of the room, either way round.
  bool Joins(const net::RoomCode& code, int a, int b) const;
  // The side of this member; -1 when it is not on the link.
  int SideOf(int member) const;
  uint16_t Port(int side) const { return sides_[side].socket->Port(); }
  const net::DatagramSocket& Socket(int side) const { return *sides_[side].socket; }
  // Passes on what came in on `side`'s port.
  void Forward(int side, double nowMs);
  bool Idle(double nowMs) const { return nowMs - lastMs_ > kIdleLimitMs; }
  uint64_t Dropped() const { return dropped_; }

 private:
  struct End {
    std::unique_ptr<net::DatagramSocket> socket;
    int member = 0;
    uint32_t expectedIp = 0;
    std::optional<net::IpPort> latched;
  };
  RelayLink() = default;

  net::RoomCode code_{};
  std::array<End, 2> sides_;
  std::shared_ptr<Bandwidth> bandwidth_;
  double lastMs_ = 0;
  uint64_t dropped_ = 0;
};

}  // namespace server
