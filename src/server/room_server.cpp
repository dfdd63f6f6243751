#include "server/room_server.h"

#include <algorithm>
#include <random>

#include "net/endpoint.h"

namespace server {

namespace {
constexpr double kExpireEveryMs = 1000;
// Datagrams answered in one turn before the relay's ports get theirs.
constexpr int kMostPerTurn = 4096;

// A joiner or host of another protocol is told so instead of being misread.
bool SameProtocol(net::ByteReader& in) {
  return in.U32() == net::kRoomProtocol && in.Ok();
}
}  // namespace

std::unique_ptr<RoomServer> RoomServer::Open(const ServerSettings& settings, std::string& error) {
  auto socket = net::DatagramSocket::Open(settings.port, error);
  if (!socket) return nullptr;
  return std::unique_ptr<RoomServer>(new RoomServer(std::move(socket), settings));
}

RoomServer::RoomServer(std::unique_ptr<net::DatagramSocket> socket, const ServerSettings& settings)
    : socket_(std::move(socket)),
      settings_(settings),
      rooms_(settings.maxRooms, settings.relayKbps, std::random_device{}()) {}

void RoomServer::Serve(int timeoutMs) {
  std::vector<const net::DatagramSocket*> sockets{socket_.get()};
  for (const auto& link : links_) {
    sockets.push_back(&link->Socket(RelayLink::kJoiner));
    sockets.push_back(&link->Socket(RelayLink::kHost));
  }
  const auto ready = net::WaitForAny(sockets, timeoutMs);
  const double now = net::NowMs();
  for (const size_t index : ready) {
    if (index == 0) {
      for (int i = 0; i < kMostPerTurn; ++i) {
        const auto datagram = socket_->Receive();
        if (!datagram) break;
        OnDatagram(*datagram, now);
      }
    } else {
      const auto side = (index - 1) % 2 == 0 ? RelayLink::kJoiner : RelayLink::kHost;
      links_[(index - 1) / 2]->Forward(side, now);
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
  Room* room = MemberRoom(in, member);
  if (!room) {
    Refuse(from, "Esa sala ya no existe");
    return;
  }
  const auto known = std::find_if(links_.begin(), links_.end(), [&](const auto& link) {
    return link->Code() == room->code && link->Member() == member;
  });
  if (known != links_.end()) {
    AnnounceRelay(*room, **known);
    return;
  }
  std::string error;
  auto link = links_.size() < kMaxRelayLinks ? RelayLink::Open(*room, member, error) : nullptr;
  if (!link) {
    Refuse(from, "El servidor de salas no puede retransmitir más partidas");
    return;
  }
  links_.push_back(std::move(link));
  AnnounceRelay(*room, *links_.back());
}

void RoomServer::AnnounceRelay(const Room& room, const RelayLink& link) {
  auto toJoiner = net::RoomWriter(net::RoomMessage::kRelay);
  toJoiner.U8(link.Member()).U16(link.Port(RelayLink::kJoiner));
  socket_->Send(room.joiners[link.Member() - 1].where.seen, toJoiner.Data());
  auto toHost = net::RoomWriter(net::RoomMessage::kRelay);
  toHost.U8(link.Member()).U16(link.Port(RelayLink::kHost));
  socket_->Send(room.host.where.seen, toHost.Data());
}

}  // namespace server
