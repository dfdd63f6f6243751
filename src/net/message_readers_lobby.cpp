// The lobby's messages: a hello, the host's answers, and the links' probes.
#include <array>

#include "net/message_readers.h"

namespace net {

Verdict ReadHello(const Bytes& message, HelloMessage& hello) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kHello}, in); !why.empty()) return why;
  hello.protocol = in.U32();
  if (!Identity::Read(in, hello.identity)) return "saludo cortado o con demasiados archivos";
  hello.localPlayers = in.U8();
  if (Verdict why = WholeMessage(in, "saludo"); !why.empty()) return why;
  if (hello.localPlayers < 1 || hello.localPlayers > kMaxSeats) {
    return "saludo con " + std::to_string(hello.localPlayers) + " jugadores locales";
  }
  return {};
}

Verdict ReadRefuse(const Bytes& message, std::string& why) {
  ByteReader in(message);
  if (Verdict verdict = OpenMessage(message, {Message::kRefuse}, in); !verdict.empty())
    return verdict;
  why = in.Text();
  return WholeMessage(in, "rechazo");
}

Verdict ReadRoster(const Bytes& message, int& me, std::vector<RosterEntry>& members) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kRoster}, in); !why.empty()) return why;
  me = in.U8();
  const int count = in.U8();
  if (count < 2 || count > kMaxMachines) return "lista de equipos de " + std::to_string(count);
  if (me < 1 || me >= count) return "número de equipo fuera de la lista";
  members.clear();
  for (int m = 0; m < count && in.Ok(); ++m) {
    RosterEntry member;
    member.localPlayers = in.U8();
    member.address = in.Text();
    if (member.localPlayers < 1 || member.localPlayers > kMaxSeats) {
      return "equipo con " + std::to_string(member.localPlayers) + " jugadores locales";
    }
    members.push_back(member);
  }
  return WholeMessage(in, "lista de equipos");
}

Verdict ReadPeers(const Bytes& message, int localMachine, std::vector<PeerEntry>& peers) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kPeers}, in); !why.empty()) return why;
  const int count = in.U8();
  if (count >= kMaxMachines) return "demasiados equipos que enlazar";
  peers.clear();
  std::array<bool, kMaxMachines> named{};
  for (int i = 0; i < count && in.Ok(); ++i) {
    PeerEntry peer;
    peer.machine = in.U8();
    peer.address.host = in.Text();
    peer.address.port = in.U16();
    if (!in.Ok()) break;
    if (peer.machine < 1 || peer.machine >= kMaxMachines || named[peer.machine]) {
      return "equipo " + std::to_string(peer.machine) + " imposible en la lista de enlaces";
    }
    if (peer.address.host.empty() || peer.address.port == 0) return "dirección vacía";
    named[peer.machine] = true;
    if (peer.machine != localMachine) peers.push_back(peer);
  }
  if (Verdict why = WholeMessage(in, "lista de enlaces"); !why.empty()) return why;
  if (!named[localMachine]) return "la lista de enlaces no incluye este equipo";
  return {};
}

Verdict ReadMeet(const Bytes& message, int localMachine, int& machine) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kMeet}, in); !why.empty()) return why;
  machine = in.U8();
  if (Verdict why = WholeMessage(in, "presentación"); !why.empty()) return why;
  // Only the later joiner of a pair calls.
  if (machine <= localMachine || machine >= kMaxMachines) {
    return "presentación del equipo " + std::to_string(machine);
  }
  return {};
}

Verdict ReadProbe(const Bytes& message, uint64_t& sentUs) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kProbe, Message::kEcho}, in); !why.empty()) {
    return why;
  }
  sentUs = in.U64();
  return WholeMessage(in, "sondeo");
}

Verdict ReadReady(const Bytes& message, double& longestRoundTripMs) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kReady}, in); !why.empty()) return why;
  longestRoundTripMs = in.U16();
  return WholeMessage(in, "aviso de enlaces listos");
}

Verdict ReadStart(const Bytes& message, int localMachine, MatchSetup& setup) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kStart}, in); !why.empty()) return why;
  if (!setup.Read(in) || !in.AtEnd()) return "partida imposible";
  if (localMachine >= static_cast<int>(setup.machines.size())) {
    return "la partida no incluye este equipo";
  }
  return {};
}

}  // namespace net
