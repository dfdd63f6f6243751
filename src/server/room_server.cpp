#include "server/room_server.h"

#include <sys/resource.h>

#include <algorithm>
#include <random>

#include "net/endpoint.h"

namespace server {

namespace {
constexpr double kExpireEveryMs = 1000;
// Datagrams answered in one turn before the relay's ports get theirs.
constexpr int kMostPerTurn = 4096;

// Files open beside the relay's ports: the server's own socket, the standard streams, a few for
// the C library.
constexpr size_t kFilesBesideRelay = 32;

// Relayed links the open-files limit leaves room for, raised as far as the system lets it.
size_t LinksWithinFileLimit(size_t wanted) {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return wanted;
  const rlim_t needed = wanted * 2 + kFilesBesideRelay;
  if (limit.rlim_cur < needed) {
    limit.rlim_cur = std::min(needed, limit.rlim_max);
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
  }
  const size_t files = static_cast<size_t>(limit.rlim_cur);
  return files <= kFilesBesideRelay ? 0 : std::min(wanted, (files - kFilesBesideRelay) / 2);
}

// A joiner or host of another protocol is told so instead of being misread.
bool SameProtocol(net::ByteReader& in) {
  return in.U32() == net::kRoomProtocol && in.Ok();
}
}  // namespace

std::unique_ptr<RoomServer> RoomServer::Open(const ServerSettings& settings, std::string& error) {
  auto socket = net::DatagramSocket::Open(settings.port, error);
  auto readiness = socket ? Readiness::Open(error) : nullptr;
  if (!readiness || !readiness->Watch(socket->Handle(), kServerTag)) return nullptr;
  return std::unique_ptr<RoomServer>(
      new RoomServer(std::move(socket), std::move(readiness), settings));
}

RoomServer::RoomServer(std::unique_ptr<net::DatagramSocket> socket,
                       std::unique_ptr<Readiness> readiness, const ServerSettings& settings)
    : socket_(std::move(socket)),
      readiness_(std::move(readiness)),
      settings_(settings),
      rooms_(settings.maxRooms, settings.relayKbps, std::random_device{}(),
             settings.roomsPerAddress),
      relayCapacity_(LinksWithinFileLimit(
          settings.maxRelays ? settings.maxRelays
                             : std::max<size_t>(1, settings.maxRooms / kRoomsPerRelayedLink))) {}

// A relay port's tag is its link's address with the side in the lowest bit, which an object's
// address never uses; links are only let go after every tag of the turn has been read.
uint64_t RoomServer::Tag(const RelayLink& link, int side) {
  return reinterpret_cast<uintptr_t>(&link) | static_cast<uintptr_t>(side);
}

void RoomServer::Serve(int timeoutMs) {
  const auto ready = readiness_->Wait(timeoutMs);
  const double now = net::NowMs();
  for (const uint64_t tag : ready) {
    if (tag == kServerTag) {
      for (int i = 0; i < kMostPerTurn; ++i) {
        const auto datagram = socket_->Receive();
        if (!datagram) break;
        OnDatagram(*datagram, now);
      }
    } else {
      auto* link = reinterpret_cast<RelayLink*>(static_cast<uintptr_t>(tag & ~uint64_t{1}));
      link->Forward(static_cast<int>(tag & 1), now);
    }
  }
  if (now - lastExpiry_ >= kExpireEveryMs) ForgetIdle(now);
}

void RoomServer::ForgetIdle(double nowMs) {
  lastExpiry_ = nowMs;
  rooms_.Expire(nowMs);
  std::erase_if(links_, [nowMs](const auto& link) { return link->Idle(nowMs); });
}

void RoomServer::OnDatagram(const net::Datagram& datagram, double nowMs) {
  net::ByteReader in(datagram.data);
  const auto kind = net::RoomKind(in);
  if (!kind) return;
  switch (*kind) {
    case net::RoomMessage::kRegister:
      if (datagram.data.size() >= net::kRequestSize) OnRegister(datagram.from, in, nowMs);
      break;
    case net::RoomMessage::kFind:
      if (datagram.data.size() >= net::kRequestSize) OnFind(datagram.from, in, nowMs);
      break;
    case net::RoomMessage::kKeep:
      OnKeep(datagram.from, in, nowMs);
      break;
    case net::RoomMessage::kLeave:
      OnLeave(in);
      break;
    case net::RoomMessage::kRelayAsk:
      if (datagram.data.size() >= net::kRequestSize) OnRelayAsk(datagram.from, in);
      break;
    case net::RoomMessage::kPairAsk:
      if (datagram.data.size() >= net::kRequestSize) OnPairAsk(datagram.from, in);
      break;
    default:
      break;
  }
}

void RoomServer::Refuse(const net::IpPort& to, const std::string& why) {
  auto message = net::RoomWriter(net::RoomMessage::kRefused);
  // Never longer than the padded request it answers.
  message.Text(why.substr(0, net::kRequestSize - message.Data().size() - 1));
  socket_->Send(to, message.Data());
}

void RoomServer::OnRegister(const net::IpPort& from, net::ByteReader& in, double nowMs) {
  if (!SameProtocol(in)) {
    Refuse(from, "El servidor de salas es de otra versión");
    return;
  }
  net::Whereabouts host;
  if (!host.Read(in)) return;
  host.seen = from;
  if (rooms_.AddressFull(from.ip)) {
    Refuse(from, "Hay demasiadas salas abiertas desde esta dirección; cierra alguna");
    return;
  }
  const Room* room = rooms_.Open(host, nowMs);
  if (!room) {
    Refuse(from, "El servidor de salas está lleno; prueba más tarde");
    return;
  }
  auto answer = net::RoomWriter(net::RoomMessage::kRoom);
  net::WriteCode(answer, room->code);
  socket_->Send(from, answer.U64(room->host.secret).Data());
}

void RoomServer::OnKeep(const net::IpPort& from, net::ByteReader& in, double nowMs) {
  const net::RoomCode code = net::ReadCode(in);
  const uint64_t secret = in.U64();
  if (!in.Ok() || !rooms_.Keep(code, secret, nowMs)) return;
  // The same size as the word it answers: the host hears that its room is still there.
  auto answer = net::RoomWriter(net::RoomMessage::kRoom);
  net::WriteCode(answer, code);
  socket_->Send(from, answer.U64(secret).Data());
}

void RoomServer::OnLeave(net::ByteReader& in) {
  const net::RoomCode code = net::ReadCode(in);
  const uint64_t secret = in.U64();
  if (in.Ok()) rooms_.Close(code, secret);
}

void RoomServer::OnFind(const net::IpPort& from, net::ByteReader& in, double nowMs) {
  if (!SameProtocol(in)) {
    Refuse(from, "El servidor de salas es de otra versión");
    return;
  }
  const net::RoomCode code = net::ReadCode(in);
  net::Whereabouts joiner;
  if (!joiner.Read(in)) return;
  joiner.seen = from;
  if (!wrongCodes_.MayTry(from.ip, nowMs)) {
    Refuse(from, "Demasiados códigos equivocados; espera un minuto");
    return;
  }
  Room* room = rooms_.Find(code);
  if (!room) {
    wrongCodes_.Count(from.ip, nowMs);
    Refuse(from, "No hay ninguna sala " + net::CodeText(code));
    return;
  }
  const auto member = rooms_.Admit(*room, joiner);
  if (!member) {
    Refuse(from, "La sala " + net::CodeText(code) + " está llena");
    return;
  }
  const Member& admitted = room->joiners[*member - 1];
  auto found = net::RoomWriter(net::RoomMessage::kFound);
  found.U8(*member).U64(admitted.secret);
  room->host.where.Write(found);
  socket_->Send(from, found.Data());
  auto incoming = net::RoomWriter(net::RoomMessage::kIncoming);
  incoming.U8(*member);
  joiner.Write(incoming);
  socket_->Send(room->host.where.seen, incoming.Data());
}

Room* RoomServer::MemberRoom(net::ByteReader& in, int& member) {
  const net::RoomCode code = net::ReadCode(in);
  member = in.U8();
  const uint64_t secret = in.U64();
  Room* room = in.Ok() ? rooms_.Find(code) : nullptr;
  if (!room || member < 1 || member > static_cast<int>(room->joiners.size()) ||
      room->joiners[member - 1].secret != secret) {
    return nullptr;
  }
  return room;
}

void RoomServer::OnRelayAsk(const net::IpPort& from, net::ByteReader& in) {
  int member = 0;
  const Room* room = MemberRoom(in, member);
  if (!room) {
    Refuse(from, "Esa sala ya no existe");
    return;
  }
  if (const RelayLink* link = LinkBetween(*room, member, 0, from)) AnnounceRelay(*room, *link);
}

void RoomServer::OnPairAsk(const net::IpPort& from, net::ByteReader& in) {
  int member = 0;
  const Room* room = MemberRoom(in, member);
  const net::IpPort asked = net::ReadIpPort(in);
  if (!room || !in.Ok()) {
    Refuse(from, "Esa sala ya no existe");
    return;
  }
  const int other = MemberAt(*room, asked, member);
  if (other < 0) {
    Refuse(from, "Ese equipo no está en la sala " + net::CodeText(room->code));
    return;
  }
  const RelayLink* link = LinkBetween(*room, member, other, from);
  if (!link) return;
  // Only the asker hears: the other joiner asks too, its own punch having failed as well.
  auto answer = net::RoomWriter(net::RoomMessage::kPairRelay);
  net::WriteIpPort(answer, asked);
  socket_->Send(from, answer.U16(link->Port(link->SideOf(member))).Data());
}

RelayLink* RoomServer::LinkBetween(const Room& room, int a, int b, const net::IpPort& asker) {
  const auto known = std::find_if(links_.begin(), links_.end(),
                                  [&](const auto& link) { return link->Joins(room.code, a, b); });
  if (known != links_.end()) return known->get();
  std::string error;
  auto link = links_.size() < relayCapacity_ ? RelayLink::Open(room, a, b, error) : nullptr;
  for (int side = 0; link && side < 2; ++side) {
    if (!readiness_->Watch(link->Socket(side).Handle(), Tag(*link, side))) link.reset();
  }
  if (!link) {
    Refuse(asker, "El servidor de salas no puede retransmitir más partidas");
    return nullptr;
  }
  links_.push_back(std::move(link));
  return links_.back().get();
}

int RoomServer::MemberAt(const Room& room, const net::IpPort& address, int asker) const {
  for (int m = 0; m < room.Members(); ++m) {
    if (m != asker && room.MemberNumbered(m).where.seen == address) return m;
  }
  for (int m = 0; m < room.Members(); ++m) {
    const auto& local = room.MemberNumbered(m).where.local;
    if (m != asker && std::find(local.begin(), local.end(), address) != local.end()) return m;
  }
  for (const auto& link : links_) {
    const int joiner = link->Member(RelayLink::kJoiner);
    if (link->Code() == room.code && link->Member(RelayLink::kHost) == 0 &&
        link->Port(RelayLink::kHost) == address.port && joiner != asker) {
      return joiner;
    }
  }
  return OnlyMemberOn(room, address.ip, asker);
}

int RoomServer::OnlyMemberOn(const Room& room, uint32_t ip, int asker) const {
  int found = -1;
  for (int m = 0; m < room.Members(); ++m) {
    if (m == asker || room.MemberNumbered(m).where.seen.ip != ip) continue;
    if (found >= 0) return -1;
    found = m;
  }
  return found;
}

void RoomServer::AnnounceRelay(const Room& room, const RelayLink& link) {
  const int member = link.Member(RelayLink::kJoiner);
  auto toJoiner = net::RoomWriter(net::RoomMessage::kRelay);
  toJoiner.U8(member).U16(link.Port(RelayLink::kJoiner));
  socket_->Send(room.joiners[member - 1].where.seen, toJoiner.Data());
  auto toHost = net::RoomWriter(net::RoomMessage::kRelay);
  toHost.U8(member).U16(link.Port(RelayLink::kHost));
  socket_->Send(room.host.where.seen, toHost.Data());
}

}  // namespace server
