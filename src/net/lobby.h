#pragma once
// Before a networked match: the host listens, joiners connect and are checked (same version, same
// data), and everyone sees who has joined. When the host starts, the joiners link up with each
// other, every machine measures its round trips, and the host sends the set-up (seed, level,
// seats, input delay, rollback or lockstep) that begins the match on every machine.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/endpoint.h"
#include "net/identity.h"
#include "net/lockstep.h"
#include "net/match_setup.h"
#include "net/room_wire.h"
#include "net/stop_signal.h"

namespace net {

// A machine that plays ahead of the others' buttons shows its own a frame after they are pressed.
inline constexpr int kRollbackInputDelay = 1;

class Lobby {
 public:
  enum class Phase {
    kConnecting,  // a joiner on its way to the host
    kWaiting,     // in the lobby, waiting for the host to start
    kLinking,     // started: links and round trips are being made
    kStarted,     // the match can be taken
    kFailed,      // see Failure
  };

  struct Member {
    int localPlayers = 1;
    std::string address;  // as the host sees it; the host's own is empty
  };

  // Null, with `error` saying why, when the port cannot be opened.
  static std::unique_ptr<Lobby> Host(uint16_t port, int localPlayers, std::string& error);
  // `bindPort` 0 takes any free port; other joiners reach this machine there.
  static std::unique_ptr<Lobby> Join(const Address& host, uint16_t bindPort, int localPlayers,
                                     std::string& error);
  // The same on a port already open (a room's punches went out from it); with the room's ticket,
  // links with other joiners that do not come up directly go through the room server.
  // `hostRelayed`: the host is called at the port the server relays it through.
  static std::unique_ptr<Lobby> Join(std::unique_ptr<Endpoint> endpoint, const Address& host,
                                     int localPlayers, std::string& error,
                                     std::optional<RoomTicket> ticket = std::nullopt,
                                     bool hostRelayed = false);
  // Says goodbye to everyone still linked, so they know at once.
  virtual ~Lobby();

  // Services the network for up to timeoutMs. A signal to stop ends the lobby (see StopSignals).
  void Service(int timeoutMs);
  // Host only: starts a match of `players` on `level` once every machine gets a seat; false, with
  // `error` saying why, when it cannot.
  virtual bool Start(int level, int players, std::string& error) = 0;

  Phase GetPhase() const { return phase_; }
  const std::string& Failure() const { return failure_; }
  // By machine number: the host first, then the joiners in the order they joined.
  const std::vector<Member>& Members() const { return members_; }
  // Where a machine's datagrams come from, port included; empty for a machine not linked here.
  Address LinkAddress(int machine) const {
    return peers_[machine] ? Endpoint::PeerAddress(peers_[machine]) : Address{};
  }
  int LocalMachine() const { return localMachine_; }
  uint16_t Port() const { return endpoint_->Port(); }
  // The socket the lobby plays on, shared with a room's messages; null once the match took it.
  Endpoint* Transport() { return endpoint_.get(); }
  // What happened since the last call, for the screen to show: who joined or left, who was
  // refused and why.
  std::vector<std::string> TakeNotes() { return std::move(notes_); }
  // Host only: the input delay every machine plays with, in frames; 0 chooses it from the slowest
  // line measured, as a match where every frame waits for everyone needs.
  void SetInputDelay(int frames) { fixedInputDelay_ = frames; }
  // Host only: every machine waits for everyone's buttons on every frame instead of rolling back.
  void SetLockstep(bool lockstep) { setup_.lockstep = lockstep; }
  // Whether a link with another joiner goes through the room server's relay; the host's own
  // links are the room's to say.
  virtual bool RelaysAJoinerLink() const { return false; }
  // How this machine links with another: not at all (itself, one not in the lobby, or a joiner
  // before the host starts), still trying, directly, or through the room server's relay.
  enum class Link { kNone, kTrying, kDirect, kRelayed };
  // A link as every machine names it to its players: "directo", "por el servidor", ...; nothing
  // for kNone.
  static std::string LinkWord(Link link);
  static std::string LinkWord(bool relayed) {
    return LinkWord(relayed ? Link::kRelayed : Link::kDirect);
  }
  // Joiner only: the host and the other joiners; the host's own links are the room's to say.
  virtual Link LinkWith(int /*machine*/) const { return Link::kNone; }
  // Once started: the match, which takes over the links. Null before.
  std::unique_ptr<Lockstep> TakeMatch();

 protected:
  explicit Lobby(std::unique_ptr<Endpoint> endpoint) : endpoint_(std::move(endpoint)) {}
  virtual void ServiceNetwork(int timeoutMs) = 0;
  void Fail(const std::string& why);
  void Send(PeerHandle peer, const ByteWriter& message, Delivery how = Delivery::kReliable) {
    endpoint_->Send(peer, message.Data(), how);
  }
  // Round trips: probes go out every kProbeEveryMs to each peer until it has answered enough.
  void Probe(const std::vector<PeerHandle>& peers);
  // Echoes a probe; false when the message is no probe.
  bool OnProbe(PeerHandle from, const Bytes& message);
  // Counts an echo of one of this machine's probes; false when it is no such echo.
  bool OnEcho(PeerHandle from, const Bytes& message);
  bool ProbedEnough(PeerHandle peer) const;
  double LongestRoundTrip() const;
  // Links are made again from the start: nothing measured so far counts.
  void ForgetProbes() { probes_.clear(); }

  // Connections that are not (yet) machines of the lobby, each until its deadline: for a valid
  // hello or meeting, or to read its refusal.
  struct Caller {
    PeerHandle peer = nullptr;
    double deadline = 0;
    bool refused = false;
  };
  void DropLateCallers();
  // Still to say who it is: not refused.
  bool Calling(PeerHandle peer) const;
  void Forget(PeerHandle peer);

  StopSignals stopSignals_;
  std::unique_ptr<Endpoint> endpoint_;
  Phase phase_ = Phase::kConnecting;
  std::string failure_;
  std::vector<Member> members_;
  int localMachine_ = 0;
  std::array<PeerHandle, kMaxMachines> peers_{};  // by machine number
  MatchSetup setup_;
  std::vector<std::string> notes_;
  std::vector<Caller> callers_;
  int fixedInputDelay_ = 0;

 private:
  struct Probes {
    PeerHandle peer = nullptr;
    int sent = 0;
    int answers = 0;
    double first = 0;  // when the first probe went
    double longest = 0;
  };
  std::vector<Probes> probes_;
  double lastProbe_ = 0;
};

// Frames of input delay for a longest round trip: the buttons must cross the slowest line before
// they are played, and never fewer than two frames. Lines slower than kLongestRoundTripMs are
// refused (SlowLine), so the delay never exceeds kMaxInputDelay.
int InputDelayFor(double longestRoundTripMs);
// Why a line with this longest round trip is refused; empty when it is fast enough.
std::string SlowLine(double longestRoundTripMs);

}  // namespace net
