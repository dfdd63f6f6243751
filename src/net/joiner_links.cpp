#include "net/joiner_links.h"

#include <algorithm>

namespace net {

namespace {
constexpr double kPunchEveryMs = 100;
}  // namespace

void JoinerLinks::Open(int machine, const IpPort& address) {
  targets_.push_back({machine, address, address, false, NowMs(), 0});
}

std::vector<int> JoinerLinks::Service(Endpoint& endpoint,
                                      const std::array<bool, kMaxMachines>& linked) {
  std::vector<int> relayed;
  for (const Datagram& datagram : endpoint.TakeRaw()) OnMessage(datagram, relayed);
  const double now = NowMs();
  const bool punch = now - lastPunchMs_ >= kPunchEveryMs;
  if (punch) lastPunchMs_ = now;
  for (Target& target : targets_) {
    if (linked[target.machine]) continue;
    if (punch) endpoint.SendRaw(target.towards, RoomWriter(RoomMessage::kPunch).Data());
    if (ticket_ && !target.relayed && now - target.since > kDirectLimitMs) {
      Ask(endpoint, target, now);
    }
  }
  return relayed;
}

// Asked again until the server answers, padded like every request; a server silent for long
// leaves the pair without a link.
void JoinerLinks::Ask(Endpoint& endpoint, Target& target, double nowMs) {
  if (nowMs - target.since > kDirectLimitMs + kRoomAnswerLimitMs) {
    failure_ = SilentServer(ticket_->server);
    return;
  }
  if (nowMs - target.lastAskMs < kRoomResendMs) return;
  target.lastAskMs = nowMs;
  auto ask = RoomWriter(RoomMessage::kPairAsk);
  ticket_->Write(ask);
  WriteIpPort(ask, target.address);
  endpoint.SendRaw(ticket_->server, Padded(std::move(ask)));
}

void JoinerLinks::OnMessage(const Datagram& datagram, std::vector<int>& relayed) {
  ByteReader in(datagram.data);
  const auto kind = RoomKind(in);
  if (!ticket_ || datagram.from != ticket_->server || !kind) return;
  if (*kind == RoomMessage::kRefused) {
    const std::string why = in.Text();
    failure_ = in.Ok() ? why : "El servidor de salas no retransmite el enlace";
  } else if (*kind == RoomMessage::kPairRelay) {
    const IpPort asked = ReadIpPort(in);
    const uint16_t port = in.U16();
    if (!in.Ok() || port == 0) return;
    for (Target& target : targets_) {
      if (target.address != asked || target.relayed) continue;
      target.towards = {ticket_->server.ip, port};
      target.relayed = true;
      relayed.push_back(target.machine);
    }
  }
}

const JoinerLinks::Target* JoinerLinks::Find(int machine) const {
  const auto found =
      std::find_if(targets_.begin(), targets_.end(),
                   [machine](const Target& target) { return target.machine == machine; });
  return found == targets_.end() ? nullptr : &*found;
}

IpPort JoinerLinks::CallAddress(int machine) const {
  const Target* target = Find(machine);
  return target ? target->towards : IpPort{};
}

bool JoinerLinks::Relayed(int machine) const {
  const Target* target = Find(machine);
  return target && target->relayed;
}

}  // namespace net
