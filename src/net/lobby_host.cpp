// The host's side of the lobby: checks each joiner, keeps the roster, and starts the match once
// every joiner has linked up with the others and measured its round trips.
#include <algorithm>
#include <iostream>

#include "net/lobby.h"
#include "net/message_readers.h"

namespace net {

namespace {

// Linking fails only after this long without a step forward (an answer to a probe, a joiner
// ready), so that a slow line or a busy machine gets there, and a link that cannot be made is
// still reported.
constexpr double kLinkStallLimitMs = 20000;
// A connection must say a valid hello this soon; a refused one has this long to read why.
constexpr double kHelloLimitMs = 3000;
constexpr double kRefusalReadMs = 1000;
// A joiner the host has not heard from for this long has gone, whatever ENet thinks; one silent
// for the shorter time gets no seat in a match starting now.
constexpr double kJoinerSilenceMs = 6000;
constexpr double kSeatSilenceMs = 2000;

class HostLobby : public Lobby {
 public:
  HostLobby(std::unique_ptr<Endpoint> endpoint, int localPlayers)
      : Lobby(std::move(endpoint)), identity_(LocalIdentity()) {
    phase_ = Phase::kWaiting;
    members_.push_back({localPlayers, ""});
  }

  void ServiceNetwork(int timeoutMs) override {
    for (NetEvent& event : endpoint_->Service(timeoutMs)) {
      if (event.kind == NetEvent::Kind::kConnected) {
        OnCalled(event.peer);
      } else if (event.kind == NetEvent::Kind::kDisconnected) {
        Forget(event.peer);
        OnLeft(event.peer);
      } else {
        OnMessage(event.peer, event.data);
      }
    }
    DropLateCallers();
    DropSilentJoiners(kJoinerSilenceMs);
    if (phase_ == Phase::kLinking) Link();
    if (phase_ == Phase::kLinking && startAt_ > 0 && NowMs() >= startAt_) phase_ = Phase::kStarted;
  }

  bool Start(int level, int players, std::string& error) override {
    if (phase_ == Phase::kWaiting) DropSilentJoiners(kSeatSilenceMs);
    const int machines = static_cast<int>(members_.size());
    int seats = 0;
    for (const Member& member : members_) seats += member.localPlayers;
    if (phase_ != Phase::kWaiting || machines < 2) {
      error = "Aún no se ha unido nadie";
    } else if (players < 2 || players > std::min(kMaxSeats, seats) ||
               SeatsFor(players).back().count == 0) {
      error = "Con " + std::to_string(machines) + " equipos y " + std::to_string(seats) +
              " jugadores no se puede jugar a " + std::to_string(players) +
              ": cada equipo necesita un sitio";
    } else {
      setup_.level = level;
      setup_.players = players;
      setup_.machines = SeatsFor(players);
      SendPeers();
      phase_ = Phase::kLinking;
      lastLinkStep_ = NowMs();
      return true;
    }
    return false;
  }

 private:
  // The seats of each machine in joining order: the last one that joined gets the last seats.
  std::vector<MachineSeats> SeatsFor(int players) const {
    std::vector<int> locals;
    for (const Member& member : members_) locals.push_back(member.localPlayers);
    return AssignSeats(locals, players);
  }

  int MachineOf(PeerHandle peer) const {
    for (size_t m = 1; m < members_.size(); ++m) {
      if (peers_[m] == peer) return static_cast<int>(m);
    }
    return -1;
  }

  // Every connection gets a slot only until its hello is due, and one slot stays free for a
  // newcomer: when the last one is taken, the oldest caller that has not said hello gives it up.
  void OnCalled(PeerHandle peer) {
    callers_.push_back({peer, NowMs() + kHelloLimitMs});
    size_t taken = callers_.size() + members_.size() - 1;
    while (taken-- >= static_cast<size_t>(Endpoint::kMaxPeers) && callers_.size() > 1) {
      endpoint_->DisconnectNow(callers_.front().peer);
      callers_.erase(callers_.begin());
    }
  }

  // A joiner gone quiet has gone: before the start its seat is freed, while linking the start
  // begins again without it.
  void DropSilentJoiners(double limitMs) {
    if (phase_ != Phase::kWaiting && (phase_ != Phase::kLinking || startAt_ > 0)) return;
    for (size_t m = members_.size() - 1; m >= 1; --m) {
      if (Endpoint::SilentMs(peers_[m]) <= limitMs) continue;
      const PeerHandle peer = peers_[m];
      OnLeft(peer);
      endpoint_->DisconnectNow(peer);
    }
  }

  void OnMessage(PeerHandle peer, const Bytes& message) {
    const auto kind = static_cast<Message>(KindOf(message));
    const int m = MachineOf(peer);
    if (m < 0 && !Calling(peer)) return;
    if (m < 0 && kind != Message::kHello) return CutOff(peer, "habla sin haber saludado");
    Verdict why;
    if (kind == Message::kHello) {
      why = m < 0 ? OnHello(peer, message) : "segundo saludo por la misma conexión";
    } else if (kind == Message::kProbe) {
      if (!OnProbe(peer, message)) why = "sondeo incorrecto";
    } else if (kind == Message::kEcho) {
      // Only a link measured well enough is a step forward; more echoes keep nothing alive.
      const bool was = ProbedEnough(peer);
      if (OnEcho(peer, message) && !was && ProbedEnough(peer)) lastLinkStep_ = NowMs();
    } else if (kind == Message::kReady) {
      why = OnReady(m, message);
    } else if (EarlyForTheMatch(kind) && startAt_ > 0) {
      // A joiner that began on the set-up plays before this machine does; it sends again.
    } else {
      why = "mensaje de tipo " + std::to_string(KindOf(message)) + " en la sala";
    }
    if (!why.empty()) CutOff(peer, why);
  }

  Verdict OnReady(int m, const Bytes& message) {
    double longest = 0;
    Verdict why = ReadReady(message, longest);
    if (!why.empty()) return why;
    if (phase_ != Phase::kLinking || ready_[m]) return "aviso de enlaces listos fuera de lugar";
    ready_[m] = true;
    lastLinkStep_ = NowMs();
    longestReported_ = std::max(longestReported_, longest);
    return {};
  }

  void CutOff(PeerHandle peer, const Verdict& why) {
    std::cerr << "Red: se desconecta a " << Endpoint::PeerAddress(peer).host << ": " << why
              << std::endl;
    Forget(peer);
    OnLeft(peer);
    endpoint_->DisconnectNow(peer);
  }

  Verdict OnHello(PeerHandle peer, const Bytes& message) {
    HelloMessage hello;
    if (Verdict why = ReadHello(message, hello); !why.empty()) return why;
    Forget(peer);
    const Identity& identity = hello.identity;
    std::string refusal;
    if (phase_ != Phase::kWaiting) {
      refusal = "la partida ya ha empezado";
    } else if (members_.size() >= static_cast<size_t>(kMaxMachines)) {
      refusal = "la partida está completa";
    } else if (hello.protocol != kProtocol && identity.version == identity_.version) {
      refusal = "versión distinta del protocolo de red";
    } else {
      refusal = Refusal(identity_, identity);
    }
    if (!refusal.empty()) {
      notes_.push_back("No se admite a " + Endpoint::PeerAddress(peer).host + ": " + refusal);
      Refuse(peer, refusal);
      return {};
    }
    peers_[members_.size()] = peer;
    members_.push_back({hello.localPlayers, Endpoint::PeerAddress(peer).host});
    notes_.push_back("Se ha unido " + members_.back().address);
    SendRoster();
    return {};
  }

  // The refusal is sent, then the link closed; one that lingers loses its slot soon after.
  void Refuse(PeerHandle peer, const std::string& refusal) {
    ByteWriter message;
    Send(peer, message.U8(static_cast<uint8_t>(Message::kRefuse)).Text(refusal));
    endpoint_->DisconnectLater(peer);
    callers_.push_back({peer, NowMs() + kRefusalReadMs, true});
  }

  // Before the set-up goes out a machine that leaves frees its number, and a start under way
  // begins again without it; after that the match takes it out like any silent machine.
  void OnLeft(PeerHandle peer) {
    const int m = MachineOf(peer);
    if (m < 0 || phase_ == Phase::kFailed || startAt_ > 0) return;
    notes_.push_back("Se ha ido " + members_[m].address);
    members_.erase(members_.begin() + m);
    std::copy(peers_.begin() + m + 1, peers_.end(), peers_.begin() + m);
    peers_.back() = nullptr;
    if (phase_ == Phase::kLinking) {
      phase_ = Phase::kWaiting;
      ready_ = {};
      longestReported_ = 0;
      ForgetProbes();
    }
    SendRoster();
  }

  void SendRoster() {
    for (size_t m = 1; m < members_.size(); ++m) {
      ByteWriter roster;
      roster.U8(static_cast<uint8_t>(Message::kRoster)).U8(m).U8(members_.size());
      for (const Member& member : members_) roster.U8(member.localPlayers).Text(member.address);
      Send(peers_[m], roster);
    }
  }

  // Each joiner learns where the others are; the later one of each pair makes the link.
  void SendPeers() {
    ByteWriter peers;
    peers.U8(static_cast<uint8_t>(Message::kPeers)).U8(members_.size() - 1);
    for (size_t m = 1; m < members_.size(); ++m) {
      const Address address = Endpoint::PeerAddress(peers_[m]);
      peers.U8(m).Text(address.host).U16(address.port);
    }
    for (size_t m = 1; m < members_.size(); ++m) Send(peers_[m], peers);
  }

  // Once every joiner is ready and the host has measured its own round trips, the set-up goes
  // out; the host itself begins half its longest round trip later, about when the set-up lands.
  void Link() {
    std::vector<PeerHandle> joiners(peers_.begin() + 1, peers_.begin() + members_.size());
    Probe(joiners);
    if (startAt_ > 0) return;
    bool all = true;
    for (size_t m = 1; m < members_.size(); ++m) all &= ready_[m] && ProbedEnough(peers_[m]);
    if (!all) {
      if (NowMs() - lastLinkStep_ > kLinkStallLimitMs) Fail("Los equipos no consiguen conectarse");
      return;
    }
    const double longest = std::max(LongestRoundTrip(), longestReported_);
    if (const std::string slow = SlowLine(longest); !slow.empty()) {
      for (size_t m = 1; m < members_.size(); ++m) Refuse(peers_[m], slow);
      Fail(slow);
      return;
    }
    setup_.seed = static_cast<int32_t>(static_cast<int64_t>(NowMs()) & 0x7fffffff);
    setup_.inputDelay = InputDelayFor(longest);
    ByteWriter start;
    start.U8(static_cast<uint8_t>(Message::kStart));
    setup_.Write(start);
    for (size_t m = 1; m < members_.size(); ++m) Send(peers_[m], start);
    endpoint_->Flush();
    setup_.localMachine = 0;
    startAt_ = NowMs() + LongestRoundTrip() / 2;
  }

  Identity identity_;
  std::array<bool, kMaxMachines> ready_{};
  double longestReported_ = 0;
  double lastLinkStep_ = 0;
  double startAt_ = 0;
};

}  // namespace

std::unique_ptr<Lobby> Lobby::Host(uint16_t port, int localPlayers, std::string& error) {
  auto endpoint = Endpoint::Open(port, error);
  if (!endpoint) return nullptr;
  return std::make_unique<HostLobby>(std::move(endpoint), localPlayers);
}

}  // namespace net
