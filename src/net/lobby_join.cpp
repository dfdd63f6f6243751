// A joiner's side of the lobby: says hello to the host, follows the roster, and when the host
// starts, links up with the other joiners (the later of each pair calls), measures its round
// trips and reports ready; the host's set-up then begins the match.
#include <algorithm>

#include "net/lobby.h"
#include "net/messages.h"
#include "net/room_wire.h"

namespace net {

namespace {

// Nobody answering a call is said after a few seconds; once the host's link is up, its answer to
// the hello may take longer, resent over a slow, lossy line by a busy machine.
constexpr double kAnswerLimitMs = 5000;
constexpr double kHelloAnswerLimitMs = 15000;

class JoinLobby : public Lobby {
 public:
  JoinLobby(std::unique_ptr<Endpoint> endpoint, Address host, int localPlayers)
      : Lobby(std::move(endpoint)), host_(std::move(host)), localPlayers_(localPlayers) {
    calledAt_ = NowMs();
  }

  bool Call(std::string& error) {
    peers_[0] = endpoint_->Connect(host_, error);
    return peers_[0] != nullptr;
  }

  void Service(int timeoutMs) override {
    for (NetEvent& event : endpoint_->Service(timeoutMs)) {
      if (event.kind == NetEvent::Kind::kConnected) {
        OnConnected(event.peer);
      } else if (event.kind == NetEvent::Kind::kDisconnected) {
        OnLeft(event.peer);
      } else if (!event.data.empty()) {
        ByteReader in(event.data);
        OnMessage(event, in);
      }
    }
    if (phase_ == Phase::kConnecting && NowMs() - calledAt_ > answerLimitMs_) {
      Fail("Nadie responde en " + host_.Text());
    }
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
    for (int m = 1; m < kMaxMachines; ++m) {
      if (peers_[m] != peer) continue;
      linked_[m] = true;
      ByteWriter meet;
      Send(peer, meet.U8(static_cast<uint8_t>(Message::kMeet)).U8(localMachine_));
    }
  }

  void OnLeft(PeerHandle peer) {
    if (phase_ == Phase::kStarted) return;
    if (peer == peers_[0]) {
      Fail(phase_ == Phase::kConnecting ? "Nadie responde en " + host_.Text()
                                        : "El anfitrión ha cerrado la partida");
    } else if (std::find(peers_.begin(), peers_.end(), peer) != peers_.end()) {
      Fail("Otro equipo se ha ido");
    }
  }

  void OnMessage(const NetEvent& event, ByteReader& in) {
    switch (static_cast<Message>(in.U8())) {
      case Message::kRefuse:
        Fail("El anfitrión no admite este equipo: " + in.Text());
        break;
      case Message::kRoster:
        if (event.peer == peers_[0]) OnRoster(in);
        break;
      case Message::kPeers:
        if (event.peer == peers_[0]) OnPeers(in);
        break;
      case Message::kMeet:
        OnMeet(event.peer, in);
        break;
      case Message::kProbe:
        OnProbe(event.peer, event);
        break;
      case Message::kEcho:
        OnEcho(event.peer, in);
        break;
      case Message::kStart:
        if (event.peer == peers_[0]) OnStart(in);
        break;
      default:
        break;
    }
  }

  void OnRoster(ByteReader& in) {
    const int me = in.U8();
    const int count = in.U8();
    std::vector<Member> members;
    for (int m = 0; m < count && in.Ok(); ++m) {
      Member member;
      member.localPlayers = in.U8();
      member.address = in.Text();
      members.push_back(member);
    }
    if (!in.Ok() || me < 1 || me >= count || count > kMaxMachines) return;
    members_ = std::move(members);
    localMachine_ = me;
    if (phase_ == Phase::kConnecting) phase_ = Phase::kWaiting;
  }

  // Calls every joiner numbered below this one; the ones above call here.
  void OnPeers(ByteReader& in) {
    const int count = in.U8();
    expected_ = 0;
    for (int i = 0; i < count && in.Ok(); ++i) {
      const int m = in.U8();
      Address address;
      address.host = in.Text();
      address.port = in.U16();
      if (!in.Ok() || m < 1 || m >= kMaxMachines || m == localMachine_) continue;
      ++expected_;
      std::string error;
      if (m < localMachine_ && !(peers_[m] = endpoint_->Connect(address, error))) Fail(error);
      if (m > localMachine_) OpenRouterTowards(address);
    }
    if (phase_ == Phase::kWaiting) phase_ = Phase::kLinking;
  }

  // A joiner numbered above this one calls here; behind a home router its call gets in only once
  // something went out towards it, so a datagram goes first (it is dropped at the other end).
  void OpenRouterTowards(const Address& address) {
    if (const auto where = Resolve(address)) {
      endpoint_->SendRaw(*where, RoomWriter(RoomMessage::kPunch).Data());
    }
  }

  void OnMeet(PeerHandle peer, ByteReader& in) {
    const int m = in.U8();
    if (!in.Ok() || m <= localMachine_ || m >= kMaxMachines) return;
    peers_[m] = peer;
    linked_[m] = true;
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

  void OnStart(ByteReader& in) {
    MatchSetup setup;
    if (!setup.Read(in) || localMachine_ >= static_cast<int>(setup.machines.size())) {
      Fail("El anfitrión envió una partida incorrecta");
      return;
    }
    setup.localMachine = localMachine_;
    setup_ = setup;
    phase_ = Phase::kStarted;
  }

  Address host_;
  int localPlayers_;
  double calledAt_ = 0;  // when the host was called, then when its link came up
  double answerLimitMs_ = kAnswerLimitMs;
  int expected_ = 0;                         // other joiners to link with
  std::array<bool, kMaxMachines> linked_{};  // by machine: the link is up
  bool readySent_ = false;
};

}  // namespace

std::unique_ptr<Lobby> Lobby::Join(const Address& host, uint16_t bindPort, int localPlayers,
                                   std::string& error) {
  auto endpoint = Endpoint::Open(bindPort, error);
  if (!endpoint) return nullptr;
  return Join(std::move(endpoint), host, localPlayers, error);
}

std::unique_ptr<Lobby> Lobby::Join(std::unique_ptr<Endpoint> endpoint, const Address& host,
                                   int localPlayers, std::string& error) {
  auto lobby = std::make_unique<JoinLobby>(std::move(endpoint), host, localPlayers);
  if (!lobby->Call(error)) return nullptr;
  return lobby;
}

}  // namespace net
