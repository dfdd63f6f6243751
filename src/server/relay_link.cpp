#include "server/relay_link.h"

#include "net/endpoint.h"

namespace server {

namespace {
// Datagrams taken from one port in one turn, so one busy link cannot hold up the rest.
constexpr int kMostPerTurn = 64;
}  // namespace

std::unique_ptr<RelayLink> RelayLink::Open(const Room& room, int member, std::string& error) {
  std::unique_ptr<RelayLink> link(new RelayLink());
  for (auto& end : link->sides_) {
    end.socket = net::DatagramSocket::Open(0, error);
    if (!end.socket) return nullptr;
  }
  link->code_ = room.code;
  link->member_ = member;
  link->sides_[kJoiner].expectedIp = room.joiners[member - 1].where.seen.ip;
  link->sides_[kHost].expectedIp = room.host.where.seen.ip;
  link->bandwidth_ = room.relay;
  link->lastMs_ = net::NowMs();
  return link;
}

void RelayLink::Forward(Side side, double nowMs) {
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
