#include "net/room_host.h"

#include <algorithm>

namespace net {

namespace {
// Often enough that the server never takes the room for abandoned.
constexpr double kKeepEveryMs = 5000;
constexpr double kPunchEveryMs = 100;
constexpr double kPunchForMs = 8000;
}  // namespace

void RoomHost::Service(Endpoint& endpoint) {
  const double now = NowMs();
  if (startedMs_ < 0) startedMs_ = now;
  for (const Datagram& datagram : endpoint.TakeRaw()) OnMessage(endpoint, datagram);
  if (phase_ == Phase::kRegistering && now - startedMs_ > kRoomAnswerLimitMs) {
    phase_ = Phase::kFailed;
    failure_ = SilentServer(server_);
  }
  if (phase_ == Phase::kRegistering && now - lastSentMs_ >= kRoomResendMs) {
    lastSentMs_ = now;
    auto request = RoomWriter(RoomMessage::kRegister);
    request.U32(kRoomProtocol);
    Whereabouts{{}, OwnAddresses(endpoint.Port())}.Write(request);
    endpoint.SendRaw(server_, Padded(std::move(request)));
  }
  if (phase_ == Phase::kOpen && now - lastSentMs_ >= kKeepEveryMs) {
    lastSentMs_ = now;
    auto keep = RoomWriter(RoomMessage::kKeep);
    WriteCode(keep, *code_);
    endpoint.SendRaw(server_, keep.U64(secret_).Data());
  }
  Punch(endpoint, now);
}

void RoomHost::Close(Endpoint& endpoint) {
  if (phase_ != Phase::kOpen) return;
  auto leave = RoomWriter(RoomMessage::kLeave);
  WriteCode(leave, *code_);
  endpoint.SendRaw(server_, leave.U64(secret_).Data());
  phase_ = Phase::kClosed;
}

void RoomHost::OnMessage(Endpoint& endpoint, const Datagram& datagram) {
  ByteReader in(datagram.data);
  const auto kind = RoomKind(in);
  if (kind == RoomMessage::kPunch) {
    const RoomCode code = ReadCode(in);
    if (in.Ok() && code == code_)
      endpoint.SendRaw(datagram.from, RoomWriter(RoomMessage::kPunchBack).Data());
    return;
  }
  if (datagram.from != server_ || !kind) return;
  if (*kind == RoomMessage::kRoom && phase_ == Phase::kRegistering) {
    const RoomCode code = ReadCode(in);
    const uint64_t secret = in.U64();
    if (!in.Ok() || !ParseRoomCode(CodeText(code))) return;
    code_ = code;
    secret_ = secret;
    phase_ = Phase::kOpen;
  } else if (*kind == RoomMessage::kRefused && phase_ == Phase::kRegistering) {
    const std::string why = in.Text();
    phase_ = Phase::kFailed;
    failure_ = in.Ok() ? why : "El servidor de salas no admite la sala";
  } else if (*kind == RoomMessage::kIncoming && phase_ == Phase::kOpen) {
    Target target;
    target.member = in.U8();
    Whereabouts joiner;
    if (!joiner.Read(in)) return;
    target.addresses = joiner.All();
    target.until = NowMs() + kPunchForMs;
    targets_.push_back(target);
  } else if (*kind == RoomMessage::kRelay && phase_ == Phase::kOpen) {
    const int member = in.U8();
    const IpPort relay{server_.ip, in.U16()};
    if (!in.Ok()) return;
    if (std::find(relayPorts_.begin(), relayPorts_.end(), relay) == relayPorts_.end()) {
      relayPorts_.push_back(relay);
    }
    targets_.push_back({member, {relay}, NowMs() + kPunchForMs});
  }
}

// Each datagram towards a joiner opens this machine's router for that joiner's answer.
void RoomHost::Punch(Endpoint& endpoint, double nowMs) {
  std::erase_if(targets_, [nowMs](const Target& target) { return nowMs > target.until; });
  if (targets_.empty() || nowMs - lastPunchMs_ < kPunchEveryMs || !code_) return;
  lastPunchMs_ = nowMs;
  for (const Target& target : targets_) {
    auto punch = RoomWriter(RoomMessage::kPunch);
    WriteCode(punch, *code_);
    punch.U8(target.member);
    for (const IpPort& address : target.addresses) endpoint.SendRaw(address, punch.Data());
  }
}

bool RoomHost::Relayed(const Address& link) const {
  return std::any_of(relayPorts_.begin(), relayPorts_.end(), [&](const IpPort& relay) {
    return relay.Host() == link.host && relay.port == link.port;
  });
}

bool RoomHost::RelaysAny(const Lobby& lobby) const {
  for (size_t m = 1; m < lobby.Members().size(); ++m) {
    if (Relayed(lobby.LinkAddress(static_cast<int>(m)))) return true;
  }
  return false;
}

std::string RoomHost::LinkWord(const Address& link) const {
  return Lobby::LinkWord(Relayed(link));
}

}  // namespace net
