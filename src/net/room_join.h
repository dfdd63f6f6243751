#pragma once
// A joiner's way into a room by its code: asks the room server where the host is, punches
// towards it (the host punches back at the same time, told by the server), and when no direct
// link comes up within a few seconds, asks the server to relay. Then the lobby takes over the
// same socket, so the routers keep the openings the punches made.
#include <memory>
#include <string>
#include <vector>

#include "net/endpoint.h"
#include "net/lobby.h"
#include "net/room_wire.h"

namespace net {

class RoomJoin {
 public:
  enum class Phase { kFinding, kPunching, kRelaying, kReady, kFailed };
  static constexpr double kDirectLimitMs = 3000;

  // Null, with `error` saying why, when no port can be opened.
  static std::unique_ptr<RoomJoin> Start(const IpPort& server, const RoomCode& code,
                                         std::string& error);
  // Services the socket for up to timeoutMs and moves on.
  void Service(int timeoutMs);

  Phase GetPhase() const { return phase_; }
  const std::string& Failure() const { return failure_; }
  bool Relayed() const { return relayed_; }
  // Once ready: the lobby on this socket, calling the host where the punch or the relay reached.
  std::unique_ptr<Lobby> TakeLobby(int localPlayers, std::string& error);

 private:
  RoomJoin(std::unique_ptr<Endpoint> endpoint, const IpPort& server, const RoomCode& code);
  void OnMessage(const Datagram& datagram);
  void OnFound(ByteReader& in);
  void Ask(RoomMessage kind, double nowMs);
  void Fail(const std::string& why);
  RoomTicket Ticket() const { return {server_, code_, member_, secret_}; }

  std::unique_ptr<Endpoint> endpoint_;
  IpPort server_;
  RoomCode code_;
  Phase phase_ = Phase::kFinding;
  std::string failure_;
  int member_ = 0;
  uint64_t secret_ = 0;
  std::vector<IpPort> hostAddresses_;
  IpPort reached_;
  bool relayed_ = false;
  double phaseStartMs_ = 0;
  double lastSentMs_ = 0;
};

}  // namespace net
