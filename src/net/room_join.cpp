#include "net/room_join.h"

#include <algorithm>

namespace net {

namespace {
constexpr double kPunchEveryMs = 100;
}  // namespace

std::unique_ptr<RoomJoin> RoomJoin::Start(const IpPort& server, const RoomCode& code,
                                          std::string& error) {
  auto endpoint = Endpoint::Open(0, error);
  if (!endpoint) return nullptr;
  return std::unique_ptr<RoomJoin>(new RoomJoin(std::move(endpoint), server, code));
}

RoomJoin::RoomJoin(std::unique_ptr<Endpoint> endpoint, const IpPort& server, const RoomCode& code)
    : endpoint_(std::move(endpoint)), server_(server), code_(code) {
  phaseStartMs_ = NowMs();
  lastSentMs_ = phaseStartMs_ - kRoomResendMs;
}

void RoomJoin::Fail(const std::string& why) {
  phase_ = Phase::kFailed;
  failure_ = why;
}

void RoomJoin::Service(int timeoutMs) {
  if (phase_ == Phase::kReady || phase_ == Phase::kFailed) return;
  endpoint_->Service(timeoutMs);
  for (const Datagram& datagram : endpoint_->TakeRaw()) OnMessage(datagram);
  const double now = NowMs();
  const double waited = now - phaseStartMs_;
  if (phase_ == Phase::kFinding) {
    if (waited > kRoomAnswerLimitMs) Fail(SilentServer(server_));
    Ask(RoomMessage::kFind, now);
  } else if (phase_ == Phase::kPunching) {
    if (waited > kDirectLimitMs) {
      phase_ = Phase::kRelaying;
      phaseStartMs_ = now;
      lastSentMs_ = now - kRoomResendMs;
    } else if (now - lastSentMs_ >= kPunchEveryMs) {
      lastSentMs_ = now;
      auto punch = RoomWriter(RoomMessage::kPunch);
      WriteCode(punch, code_);
      punch.U8(member_);
      for (const IpPort& address : hostAddresses_) endpoint_->SendRaw(address, punch.Data());
    }
  } else if (phase_ == Phase::kRelaying) {
    if (waited > kRoomAnswerLimitMs) Fail(SilentServer(server_));
    Ask(RoomMessage::kRelayAsk, now);
  }
}

// Requests are resent until answered, padded to the size of any answer.
void RoomJoin::Ask(RoomMessage kind, double nowMs) {
  if (phase_ == Phase::kFailed || nowMs - lastSentMs_ < kRoomResendMs) return;
  lastSentMs_ = nowMs;
  auto request = RoomWriter(kind);
  if (kind == RoomMessage::kFind) {
    request.U32(kRoomProtocol);
    WriteCode(request, code_);
    Whereabouts{{}, OwnAddresses(endpoint_->Port())}.Write(request);
  } else {
    Ticket().Write(request);
  }
  endpoint_->SendRaw(server_, Padded(std::move(request)));
}

void RoomJoin::OnMessage(const Datagram& datagram) {
  ByteReader in(datagram.data);
  const auto kind = RoomKind(in);
  if (!kind) return;
  const bool fromHost = std::find(hostAddresses_.begin(), hostAddresses_.end(), datagram.from) !=
                        hostAddresses_.end();
  if ((*kind == RoomMessage::kPunch || *kind == RoomMessage::kPunchBack) && fromHost &&
      phase_ == Phase::kPunching) {
    reached_ = datagram.from;
    phase_ = Phase::kReady;
    return;
  }
  if (datagram.from != server_) return;
  if (*kind == RoomMessage::kRefused && phase_ != Phase::kReady) {
    const std::string why = in.Text();
    Fail(in.Ok() ? why : "El servidor de salas no admite este equipo");
  } else if (*kind == RoomMessage::kFound && phase_ == Phase::kFinding) {
    OnFound(in);
  } else if (*kind == RoomMessage::kRelay && phase_ == Phase::kRelaying) {
    const int member = in.U8();
    const uint16_t port = in.U16();
    if (!in.Ok() || member != member_ || port == 0) return;
    reached_ = {server_.ip, port};
    relayed_ = true;
    phase_ = Phase::kReady;
  }
}

void RoomJoin::OnFound(ByteReader& in) {
  const int member = in.U8();
  const uint64_t secret = in.U64();
  Whereabouts host;
  if (!host.Read(in) || member < 1 || member >= kMaxMachines) return;
  member_ = member;
  secret_ = secret;
  hostAddresses_ = host.All();
  phase_ = Phase::kPunching;
  phaseStartMs_ = NowMs();
  lastSentMs_ = phaseStartMs_ - kPunchEveryMs;
}

std::unique_ptr<Lobby> RoomJoin::TakeLobby(int localPlayers, std::string& error) {
  if (phase_ != Phase::kReady || !endpoint_) {
    error = failure_.empty() ? "La sala aún no está lista" : failure_;
    return nullptr;
  }
  return Lobby::Join(std::move(endpoint_), reached_.AsAddress(), localPlayers, error, Ticket(),
                     relayed_);
}

}  // namespace net
