// The host's side of the lobby: checks each joiner, keeps the roster, and starts the match once
// every joiner has linked up with the others and measured its round trips.
#include <algorithm>
#include <numeric>

#include "net/lobby.h"
#include "net/messages.h"

namespace net {

namespace {

// Linking fails only after this long without a step forward (an answer to a probe, a joiner
// ready), so that a slow line or a busy machine gets there, and a link that cannot be made is
// still reported.
constexpr double kLinkStallLimitMs = 20000;

class HostLobby : public Lobby {
 public:
  HostLobby(std::unique_ptr<Endpoint> endpoint, int localPlayers)
      : Lobby(std::move(endpoint)), identity_(LocalIdentity()) {
    phase_ = Phase::kWaiting;
    members_.push_back({localPlayers, ""});
  }

  void Service(int timeoutMs) override {
    for (NetEvent& event : endpoint_->Service(timeoutMs)) {
      if (event.kind == NetEvent::Kind::kDisconnected) {
        OnLeft(event.peer);
      } else if (event.kind == NetEvent::Kind::kReceived && !event.data.empty()) {
        ByteReader in(event.data);
        OnMessage(event, in);
      }
    }
    if (phase_ == Phase::kLinking) Link();
    if (phase_ == Phase::kLinking && startAt_ > 0 && NowMs() >= startAt_) phase_ = Phase::kStarted;
  }

  bool Start(int level, int players, std::string& error) override {
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

  void OnMessage(const NetEvent& event, ByteReader& in) {
    const auto kind = static_cast<Message>(in.U8());
    if (kind == Message::kHello) {
      OnHello(event.peer, in);
    } else if (kind == Message::kProbe) {
      OnProbe(event.peer, event);
    } else if (kind == Message::kEcho) {
      OnEcho(event.peer, in);
      lastLinkStep_ = NowMs();
    } else if (kind == Message::kReady && MachineOf(event.peer) > 0) {
      ready_[MachineOf(event.peer)] = true;
      lastLinkStep_ = NowMs();
      longestReported_ = std::max<double>(longestReported_, in.U16());
    }
  }

  void OnHello(PeerHandle peer, ByteReader& in) {
    const uint32_t protocol = in.U32();
    const Identity identity = Identity::Read(in);
    const int localPlayers = in.U8();
    std::string refusal;
    if (!in.Ok() || localPlayers < 1 || localPlayers > kMaxSeats) {
      refusal = "mensaje de saludo incorrecto";
    } else if (phase_ != Phase::kWaiting) {
      refusal = "la partida ya ha empezado";
    } else if (members_.size() >= static_cast<size_t>(kMaxMachines)) {
      refusal = "la partida está completa";
    } else if (protocol != kProtocol && identity.version == identity_.version) {
      refusal = "versión distinta del protocolo de red";
    } else {
      refusal = Refusal(identity_, identity);
    }
    if (!refusal.empty()) {
      notes_.push_back("No se admite a " + Endpoint::PeerAddress(peer).host + ": " + refusal);
      ByteWriter message;
      Send(peer, message.U8(static_cast<uint8_t>(Message::kRefuse)).Text(refusal));
      endpoint_->Flush();
      return;
    }
    peers_[members_.size()] = peer;
    members_.push_back({localPlayers, Endpoint::PeerAddress(peer).host});
    notes_.push_back("Se ha unido " + members_.back().address);
    SendRoster();
  }

  // Before the start a machine that leaves frees its number; after it, the start fails.
  void OnLeft(PeerHandle peer) {
    const int m = MachineOf(peer);
    if (m < 0) return;
    if (phase_ != Phase::kWaiting) {
      Fail("JUGADOR " + std::to_string(setup_.machines[m].firstSeat + 1) + " se ha ido");
      return;
    }
    notes_.push_back("Se ha ido " + members_[m].address);
    members_.erase(members_.begin() + m);
    std::copy(peers_.begin() + m + 1, peers_.end(), peers_.begin() + m);
    peers_.back() = nullptr;
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
    setup_.seed = static_cast<int32_t>(static_cast<int64_t>(NowMs()) & 0x7fffffff);
    setup_.inputDelay = InputDelayFor(std::max(LongestRoundTrip(), longestReported_));
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
