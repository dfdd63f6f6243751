#include "server/relay_link.h"

#include "net/endpoint.h"

namespace server {

namespace {
// Datagrams taken from one port in one turn, so one busy link cannot hold up the rest.
constexpr int kMostPerTurn = 64;
}  // namespace

std::unique_ptr<RelayLink> RelayLink::Open(const Room& room, int first, int second,
                                           std::string& error) {
  std::unique_ptr<RelayLink> link(new RelayLink());
  const std::array<int, 2> members{first, second};
  for (int side = 0; side < 2; ++side) {
    End& end = link->sides_[side];
    end.socket = net::DatagramSocket::Open(0, error);
    if (!end.socket) return nullptr;
    end.member = members[side];
    end.expectedIp = room.MemberNumbered(members[side]).where.seen.ip;
  }
  link->code_ = room.code;
  link->bandwidth_ = room.relay;
  link->lastMs_ = net::NowMs();
  return link;
}

bool RelayLink::Joins(const net::RoomCode& code, int a, int b) const {
  return code == code_ && SideOf(a) >= 0 && SideOf(b) >= 0 && a != b;
}

int RelayLink::SideOf(int member) const {
  if (sides_[0].member == member) return 0;
  return sides_[1].member == member ? 1 : -1;
}

void RelayLink::Forward(int side, double nowMs) {
  End& from = sides_[side];
  End& to = sides_[1 - side];
  for (int i = 0; i < kMostPerTurn; ++i) {
    const auto datagram = from.socket->Receive();
    if (!datagram) return;
    if (datagram->from.ip != from.expectedIp) continue;
    if (!from.latched) from.latched = datagram->from;
    if (datagram->from != *from.latched) continue;
    lastMs_ = nowMs;
    // Room messages are the sides opening their routers towards this port: nothing to pass on.
    if (net::LooksLikeRoomMessage(datagram->data.data(), datagram->data.size())) continue;
    if (!to.latched || !bandwidth_->Spend(datagram->data.size(), nowMs)) {
      ++dropped_;
      continue;
    }
    to.socket->Send(*to.latched, datagram->data);
  }
}

}  // namespace server
