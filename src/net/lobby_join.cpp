// A joiner's side of the lobby: says hello to the host, follows the roster, and when the host
// starts, links up with the other joiners (the later of each pair calls; in a room, through the
// room server when no direct link comes up), measures its round trips and reports ready; the
// host's set-up then begins the match.
#include <algorithm>
#include <iostream>

#include "net/joiner_links.h"
#include "net/lobby.h"
#include "net/message_readers.h"
#include "net/messages.h"
#include "net/room_wire.h"

namespace net {

namespace {

// Nobody answering a call is said after a few seconds; once the host's link is up, its answer to
// the hello may take longer, resent over a slow, lossy line by a busy machine.
constexpr double kAnswerLimitMs = 5000;
constexpr double kHelloAnswerLimitMs = 15000;
// Another joiner that calls here says which it is as soon as its link is up; a slow, lossy line
// may take a while to carry it.
constexpr double kMeetLimitMs = 10000;

class JoinLobby : public Lobby {
 public:
  JoinLobby(std::unique_ptr<Endpoint> endpoint, Address host, int localPlayers,
            std::optional<RoomTicket> ticket, bool hostRelayed)
      : Lobby(std::move(endpoint)),
        host_(std::move(host)),
        localPlayers_(localPlayers),
        inRoom_(ticket.has_value()),
        hostRelayed_(hostRelayed),
        links_(std::move(ticket)) {
    calledAt_ = NowMs();
  }

  bool Call(std::string& error) {
    peers_[0] = endpoint_->Connect(host_, error);
    return peers_[0] != nullptr;
  }

  void ServiceNetwork(int timeoutMs) override {
    for (NetEvent& event : endpoint_->Service(timeoutMs)) {
      if (event.kind == NetEvent::Kind::kConnected) {
        OnConnected(event.peer);
      } else if (event.kind == NetEvent::Kind::kDisconnected) {
        OnLeft(event.peer);
      } else {
        OnMessage(event.peer, event.data);
      }
    }
    DropLateCallers();
    if (phase_ == Phase::kConnecting && NowMs() - calledAt_ > answerLimitMs_) {
      Fail("Nadie responde en " + host_.Text());
    }
    ServiceLinks();
    if (phase_ == Phase::kLinking) Link();
  }

  bool Start(int, int, std::string& error) override {
    error = "Solo el anfitrión empieza la partida";
    return false;
  }

 private:
  void OnConnected(PeerHandle peer) {
    if (peer == peers_[0]) {
      calledAt_ = NowMs();
      answerLimitMs_ = kHelloAnswerLimitMs;
      linked_[0] = true;
      ByteWriter hello;
      hello.U8(static_cast<uint8_t>(Message::kHello)).U32(kProtocol);
      LocalIdentity().Write(hello);
      Send(peer, hello.U8(localPlayers_));
      return;
    }
    bool called = false;
    for (int m = 1; m < kMaxMachines; ++m) {
      if (peers_[m] != peer) continue;
      called = linked_[m] = true;
      NoteLink(m);
      ByteWriter meet;
      Send(peer, meet.U8(static_cast<uint8_t>(Message::kMeet)).U8(localMachine_));
    }
    // A link another joiner made here must say which joiner it is soon, or it goes.
    if (!called) callers_.push_back({peer, NowMs() + kMeetLimitMs});
  }

  // Another joiner that goes is the host's business: it begins the start again without it.
  void OnLeft(PeerHandle peer) {
    if (phase_ == Phase::kStarted) return;
    if (peer == peers_[0]) {
      Fail(phase_ == Phase::kConnecting ? "Nadie responde en " + host_.Text()
                                        : "El anfitrión ha cerrado la partida");
    }
    for (int m = 1; m < kMaxMachines; ++m) {
      if (peers_[m] == peer) peers_[m] = nullptr, linked_[m] = false;
    }
  }

  // The host's word is checked like anyone's; one that makes no sense ends the lobby here.
  void OnMessage(PeerHandle peer, const Bytes& message) {
    const auto kind = static_cast<Message>(KindOf(message));
    const bool fromHost = peer == peers_[0];
    Verdict why;
    if (kind == Message::kProbe) {
      if (!OnProbe(peer, message)) why = "sondeo incorrecto";
    } else if (kind == Message::kEcho) {
      OnEcho(peer, message);
    } else if (kind == Message::kMeet) {
      why = OnMeet(peer, message);
    } else if (EarlyForTheMatch(kind) && (phase_ == Phase::kLinking || phase_ == Phase::kStarted)) {
      // Another machine began on the set-up before this one; it sends again.
    } else if (!fromHost) {
      why = "mensaje de tipo " + std::to_string(KindOf(message)) + " de otro equipo";
    } else if (kind == Message::kRefuse) {
      std::string refusal;
      why = ReadRefuse(message, refusal);
      if (why.empty()) Fail("El anfitrión no admite este equipo: " + refusal);
    } else if (kind == Message::kRoster) {
      why = OnRoster(message);
    } else if (kind == Message::kPeers) {
      why = OnPeers(message);
    } else if (kind == Message::kStart) {
      why = OnStart(message);
    } else {
      why = "mensaje de tipo " + std::to_string(KindOf(message)) + " en la sala";
    }
    if (why.empty()) return;
    if (fromHost) return Fail("El anfitrión envió un mensaje incorrecto: " + why);
    std::cerr << "Red: se desconecta a " << Endpoint::PeerAddress(peer).host << ": " << why
              << std::endl;
    OnLeft(peer);
    endpoint_->DisconnectNow(peer);
  }

  // A roster while linking means the start begins again: the links made so far are let go.
  Verdict OnRoster(const Bytes& message) {
    int me = 0;
    std::vector<RosterEntry> roster;
    if (Verdict why = ReadRoster(message, me, roster); !why.empty()) return why;
    members_.clear();
    for (const RosterEntry& entry : roster) members_.push_back({entry.localPlayers, entry.address});
    localMachine_ = me;
    if (phase_ == Phase::kLinking) Unlink();
    if (phase_ == Phase::kConnecting) phase_ = Phase::kWaiting;
    return {};
  }

  void Unlink() {
    for (int m = 1; m < kMaxMachines; ++m) {
      endpoint_->DisconnectNow(peers_[m]);
      peers_[m] = nullptr;
      linked_[m] = false;
    }
    expected_ = 0;
    readySent_ = false;
    links_.Clear();
    ForgetProbes();
    phase_ = Phase::kWaiting;
  }

  // Calls every joiner numbered below this one; the ones above call here.
  Verdict OnPeers(const Bytes& message) {
    std::vector<PeerEntry> peers;
    if (Verdict why = ReadPeers(message, localMachine_, peers); !why.empty()) return why;
    if (phase_ != Phase::kWaiting) return "lista de enlaces fuera de lugar";
    expected_ = static_cast<int>(peers.size());
    for (const PeerEntry& peer : peers) {
      std::string error;
      if (peer.machine < localMachine_ &&
          !(peers_[peer.machine] = endpoint_->Connect(peer.address, error))) {
        Fail(error);
      }
      if (const auto where = Resolve(peer.address); where && peer.machine != localMachine_) {
        links_.Open(peer.machine, *where);
      }
    }
    phase_ = Phase::kLinking;
    return {};
  }

  // Behind a home router a call gets in only once something went out towards its sender, so both
  // sides of a pair keep sending datagrams (dropped at the other end) until the link is up. A
  // pair the relay takes over is called again at its port there.
  void ServiceLinks() {
    for (const int m : links_.Service(*endpoint_, linked_)) {
      if (m > localMachine_ || linked_[m]) continue;
      endpoint_->DisconnectNow(peers_[m]);
      std::string error;
      if (!(peers_[m] = endpoint_->Connect(links_.CallAddress(m).AsAddress(), error))) Fail(error);
    }
    if (!links_.Failure().empty() && phase_ == Phase::kLinking) Fail(links_.Failure());
  }

  bool RelaysAJoinerLink() const override {
    for (int m = 0; m < kMaxMachines; ++m) {
      if (links_.Relayed(m)) return true;
    }
    return false;
  }

  Link LinkWith(int machine) const override {
    const int machines = static_cast<int>(members_.size());
    if (machine < 0 || machine >= machines || machine == localMachine_) return Link::kNone;
    const bool relayed = machine == 0 ? hostRelayed_ : links_.Relayed(machine);
    if (linked_[machine]) return relayed ? Link::kRelayed : Link::kDirect;
    return machine == 0 || phase_ == Phase::kLinking ? Link::kTrying : Link::kNone;
  }

  // In a room every machine says how each of its links goes.
  void NoteLink(int m) {
    if (!inRoom_) return;
    notes_.push_back("Enlace con el EQUIPO " + std::to_string(m + 1) + ": " +
                     LinkWord(links_.Relayed(m)));
  }

  Verdict OnMeet(PeerHandle peer, const Bytes& message) {
    int m = 0;
    if (Verdict why = ReadMeet(message, localMachine_, m); !why.empty()) return why;
    if (phase_ == Phase::kStarted || peers_[m]) return "presentación fuera de lugar";
    Forget(peer);
    peers_[m] = peer;
    linked_[m] = true;
    NoteLink(m);
    return {};
  }

  // Once every link is up and every round trip measured, the host hears how long the slowest was.
  void Link() {
    std::vector<PeerHandle> linked;
    for (int m = 0; m < kMaxMachines; ++m) {
      if (linked_[m]) linked.push_back(peers_[m]);
    }
    if (static_cast<int>(linked.size()) < expected_ + 1) return;
    Probe(linked);
    if (readySent_ || !std::all_of(linked.begin(), linked.end(),
                                   [this](PeerHandle peer) { return ProbedEnough(peer); })) {
      return;
    }
    ByteWriter ready;
    Send(peers_[0], ready.U8(static_cast<uint8_t>(Message::kReady))
                        .U16(static_cast<uint32_t>(std::min(LongestRoundTrip(), 65535.0))));
    readySent_ = true;
  }

  Verdict OnStart(const Bytes& message) {
    MatchSetup setup;
    if (Verdict why = ReadStart(message, localMachine_, setup); !why.empty()) return why;
    if (phase_ != Phase::kLinking) return "partida fuera de lugar";
    setup.localMachine = localMachine_;
    setup_ = setup;
    phase_ = Phase::kStarted;
    return {};
  }

  Address host_;
  int localPlayers_;
  double calledAt_ = 0;  // when the host was called, then when its link came up
  double answerLimitMs_ = kAnswerLimitMs;
  int expected_ = 0;                         // other joiners to link with
  std::array<bool, kMaxMachines> linked_{};  // by machine: the link is up
  bool readySent_ = false;
  bool inRoom_;
  bool hostRelayed_;
  JoinerLinks links_;
};

}  // namespace

std::unique_ptr<Lobby> Lobby::Join(const Address& host, uint16_t bindPort, int localPlayers,
                                   std::string& error) {
  auto endpoint = Endpoint::Open(bindPort, error);
  if (!endpoint) return nullptr;
  return Join(std::move(endpoint), host, localPlayers, error);
}

std::unique_ptr<Lobby> Lobby::Join(std::unique_ptr<Endpoint> endpoint, const Address& host,
                                   int localPlayers, std::string& error,
                                   std::optional<RoomTicket> ticket, bool hostRelayed) {
  auto lobby = std::make_unique<JoinLobby>(std::move(endpoint), host, localPlayers,
                                           std::move(ticket), hostRelayed);
  if (!lobby->Call(error)) return nullptr;
  return lobby;
}

}  // namespace net
