#pragma once
// The room server: hosts open rooms and get a code, joiners give the code and learn where the
// host is, both are told to punch towards each other, and a joiner whose punch fails gets a relay.
// Every datagram is checked; anything that is not a well-formed request is dropped unanswered.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/datagram.h"
#include "net/room_wire.h"
#include "server/relay_link.h"
#include "server/room_table.h"
#include "server/wrong_codes.h"

namespace server {

struct ServerSettings {
  uint16_t port = net::kRoomServerPort;
  size_t maxRooms = 20000;
  int relayKbps = 256;  // each room's share of the relay
};

class RoomServer {
 public:
  // Relayed links at once: two ports each, well within a process's usual open files.
  static constexpr size_t kMaxRelayLinks = 200;

  // Null, with `error` saying why, when the port cannot be opened.
  static std::unique_ptr<RoomServer> Open(const ServerSettings& settings, std::string& error);
  uint16_t Port() const { return socket_->Port(); }
  // Waits up to timeoutMs for datagrams and answers everything that came.
  void Serve(int timeoutMs);
  size_t Rooms() const { return rooms_.Count(); }
  size_t RelayLinks() const { return links_.size(); }

 private:
  RoomServer(std::unique_ptr<net::DatagramSocket> socket, const ServerSettings& settings);
  void OnDatagram(const net::Datagram& datagram, double nowMs);
  void OnRegister(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnFind(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnKeep(const net::IpPort& from, net::ByteReader& in, double nowMs);
  void OnLeave(net::ByteReader& in);
  void OnRelayAsk(const net::IpPort& from, net::ByteReader& in);
  // Tells both ends of a relayed link which port to talk to.
  void AnnounceRelay(const Room& room, const RelayLink& link);
  void Refuse(const net::IpPort& to, const std::string& why);
  // The room and member a joiner's request names, with the right secret; null otherwise.
  Room* MemberRoom(net::ByteReader& in, int& member);
  void ForgetIdle(double nowMs);

  std::unique_ptr<net::DatagramSocket> socket_;
  ServerSettings settings_;
  RoomTable rooms_;
  WrongCodes wrongCodes_;
  std::vector<std::unique_ptr<RelayLink>> links_;
  double lastExpiry_ = 0;
};

}  // namespace server
