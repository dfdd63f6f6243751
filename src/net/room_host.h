#pragma once
// A host's room on a room server: registers the port the lobby plays from and gets the code to
// give to friends, keeps the room open, and opens this machine's router towards each joiner the
// server announces (or towards the relay port the server gives for one that cannot get through).
#include <optional>
#include <string>
#include <vector>

#include "net/endpoint.h"
#include "net/lobby.h"
#include "net/room_wire.h"

namespace net {

class RoomHost {
 public:
  enum class Phase { kRegistering, kOpen, kClosed, kFailed };

  explicit RoomHost(const IpPort& server) : server_(server) {}
  // After each service of the lobby that owns `endpoint`: answers the server and the joiners.
  void Service(Endpoint& endpoint);
  // No more joiners: the server forgets the room (its relayed links stay up).
  void Close(Endpoint& endpoint);

  Phase GetPhase() const { return phase_; }
  const std::string& Failure() const { return failure_; }
  std::optional<RoomCode> Code() const { return code_; }
  // True when the lobby links with a joiner at this address because the server relays it.
  bool Relayed(const Address& link) const;
  // True when the lobby links with any joiner through the server's relay.
  bool RelaysAny(const Lobby& lobby) const;
  // "directo" or "por el servidor", for a joiner linked at this address.
  std::string LinkWord(const Address& link) const;

 private:
  // Someone to punch towards for a while: a joiner's addresses, or a relay port.
  struct Target {
    int member = 0;
    std::vector<IpPort> addresses;
    double until = 0;
  };
  void OnMessage(Endpoint& endpoint, const Datagram& datagram);
  void Punch(Endpoint& endpoint, double nowMs);

  IpPort server_;
  Phase phase_ = Phase::kRegistering;
  std::string failure_;
  std::optional<RoomCode> code_;
  uint64_t secret_ = 0;
  double startedMs_ = -1;
  double lastSentMs_ = 0;
  double lastPunchMs_ = 0;
  std::vector<Target> targets_;
  std::vector<IpPort> relayPorts_;
};

}  // namespace net
