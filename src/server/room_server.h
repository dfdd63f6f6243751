#pragma once
// The room server: hosts open rooms and get a code, joiners give the code and learn where the
// host is, both are told to punch towards each other, and any pair of the room (host and joiner,
// or two joiners) whose punch fails gets a relay. Every datagram is checked; anything that is not a
// well-formed request is dropped unanswered.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/datagram.h"
#include "net/room_wire.h"
#include "server/readiness.h"
#include "server/relay_link.h"
#include "server/room_table.h"
#include "server/wrong_codes.h"

namespace server {

// Most pairs of machines link directly. One core relays 80,000 to 190,000 datagrams a second, 700
// to 1,500 relayed links in play (about 60 datagrams a second each way), so a server holding
// 10,000 rooms relays up to a tenth as many links unless told otherwise.
inline constexpr size_t kRoomsPerRelayedLink = 10;

struct ServerSettings {
  uint16_t port = net::kRoomServerPort;
  size_t maxRooms = 20000;
  // Relayed links at once, two ports each; 0: one for every kRoomsPerRelayedLink rooms.
  size_t maxRelays = 0;
  // Each room's share of the relay: a room of four machines relayed pair by pair has six links
  // of some 6 KB/s each.
  int relayKbps = 512;
  size_t roomsPerAddress = RoomTable::kRoomsPerAddress;
};

class RoomServer {
 public:
  // Null, with `error` saying why, when the port cannot be opened.
  static std::unique_ptr<RoomServer> Open(const ServerSettings& settings, std::string& error);
  uint16_t Port() const { return socket_->Port(); }
  // Relayed links it can hold at once: as many as asked, unless the open-files limit allows fewer.
  size_t RelayCapacity() const { return relayCapacity_; }
  // Waits up to timeoutMs for datagrams and answers everything that came.
  void Serve(int timeoutMs);
  size_t Rooms() const { return rooms_.Count(); }
  size_t RelayLinks() const { return links_.size(); }

 private:
  static constexpr uint64_t kServerTag = 0;
  static uint64_t Tag(const RelayLink& link, int side);

  RoomServer(std::unique_ptr<net::DatagramSocket> socket, std::unique_ptr<Readiness> readiness,
             const ServerSettings& settings);
  void OnDatagram(const net::Datagram& datagram, double nowMs);
  void OnRegister(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnFind(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnKeep(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnLeave(net::ByteReader& in);
  void OnRelayAsk(const net::IpPort& from, net::ByteReader& in);
  void OnPairAsk(const net::IpPort& from, net::ByteReader& in);
  // The link between two members of the room, opened when there is none; null, with the asker
  // told why, when the relay is full.
  RelayLink* LinkBetween(const Room& room, int a, int b, const net::IpPort& asker);
  // Tells both ends of a relayed host-joiner link which port to talk to.
  void AnnounceRelay(const Room& room, const RelayLink& link);
  // The member a joiner reaches at `address` as the host gave it: where the member is seen, one
  // of its own addresses, the host's side of its relayed link, or else the only member on that
  // address's machine. -1 for none but `asker`.
  int MemberAt(const Room& room, const net::IpPort& address, int asker) const;
  // A router that gives every destination its own port shows the host another port than the
  // server; the member is then known by its public address alone, if no other member shares it.
  int OnlyMemberOn(const Room& room, uint32_t ip, int asker) const;
  void Refuse(const net::IpPort& to, const std::string& why);
  // The room and member a joiner's request names, with the right secret; null otherwise.
  Room* MemberRoom(net::ByteReader& in, int& member);
  void ForgetIdle(double nowMs);

  std::unique_ptr<net::DatagramSocket> socket_;
  std::unique_ptr<Readiness> readiness_;
  ServerSettings settings_;
  RoomTable rooms_;
  WrongCodes wrongCodes_;
  std::vector<std::unique_ptr<RelayLink>> links_;
  size_t relayCapacity_ = 0;
  double lastExpiry_ = 0;
};

}  // namespace server
