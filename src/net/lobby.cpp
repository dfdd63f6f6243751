#include "net/lobby.h"

#include <algorithm>
#include <cmath>

#include "net/message_readers.h"

namespace net {

namespace {
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kFewestDelayFrames = 2;
constexpr double kProbeEveryMs = 25;
constexpr int kProbeAnswers = 8;
constexpr int kGoodbyeMs = 300;
}  // namespace

int InputDelayFor(double longestRoundTripMs) {
  const int crossing = static_cast<int>(std::ceil(longestRoundTripMs / 2 / kFrameMs));
  return std::max(kFewestDelayFrames, crossing + 1);
}

std::string SlowLine(double longestRoundTripMs) {
  if (longestRoundTripMs <= kLongestRoundTripMs) return {};
  return "La línea es demasiado lenta: ida y vuelta de " +
         std::to_string(static_cast<int>(longestRoundTripMs)) + " ms, el límite es " +
         std::to_string(static_cast<int>(kLongestRoundTripMs)) + " ms";
}

void Lobby::Service(int timeoutMs) {
  if (StopRequested()) Fail("Se ha pedido terminar");
  if (phase_ != Phase::kFailed) ServiceNetwork(timeoutMs);
}

Lobby::~Lobby() {
  if (endpoint_) endpoint_->DisconnectAll(kGoodbyeMs);
}

void Lobby::Fail(const std::string& why) {
  if (phase_ == Phase::kFailed) return;
  phase_ = Phase::kFailed;
  failure_ = why;
}

void Lobby::DropLateCallers() {
  const double now = NowMs();
  for (auto caller = callers_.begin(); caller != callers_.end();) {
    if (now < caller->deadline) {
      ++caller;
      continue;
    }
    endpoint_->DisconnectNow(caller->peer);
    caller = callers_.erase(caller);
  }
}

bool Lobby::Calling(PeerHandle peer) const {
  return std::any_of(callers_.begin(), callers_.end(), [peer](const Caller& caller) {
    return caller.peer == peer && !caller.refused;
  });
}

void Lobby::Forget(PeerHandle peer) {
  callers_.erase(std::remove_if(callers_.begin(), callers_.end(),
                                [peer](const Caller& caller) { return caller.peer == peer; }),
                 callers_.end());
}

std::unique_ptr<Lockstep> Lobby::TakeMatch() {
  if (phase_ != Phase::kStarted || !endpoint_) return nullptr;
  return std::make_unique<Lockstep>(std::move(endpoint_), peers_, setup_);
}

void Lobby::Probe(const std::vector<PeerHandle>& peers) {
  for (PeerHandle peer : peers) {
    const bool known = std::any_of(probes_.begin(), probes_.end(),
                                   [peer](const Probes& probes) { return probes.peer == peer; });
    if (!known) probes_.push_back({peer});
  }
  const double now = NowMs();
  if (now - lastProbe_ < kProbeEveryMs) return;
  lastProbe_ = now;
  ByteWriter probe;
  probe.U8(static_cast<uint8_t>(Message::kProbe)).U64(static_cast<uint64_t>(now * 1000));
  for (Probes& probes : probes_) {
    if (probes.answers >= kProbeAnswers) continue;
    if (probes.sent++ == 0) probes.first = now;
    Send(probes.peer, probe, Delivery::kUnsequenced);
  }
}

bool Lobby::OnProbe(PeerHandle from, const Bytes& message) {
  uint64_t sentUs = 0;
  if (!ReadProbe(message, sentUs).empty()) return false;
  Bytes echo = message;
  echo[0] = static_cast<uint8_t>(Message::kEcho);
  endpoint_->Send(from, echo, Delivery::kUnsequenced);
  return true;
}

// An echo counts once per probe sent, and only with a time this machine can have sent.
bool Lobby::OnEcho(PeerHandle from, const Bytes& message) {
  uint64_t sentUs = 0;
  if (!ReadProbe(message, sentUs).empty()) return false;
  const double sent = static_cast<double>(sentUs) / 1000;
  const double now = NowMs();
  for (Probes& probes : probes_) {
    if (probes.peer != from) continue;
    if (probes.answers >= probes.sent || sent < probes.first - 1 || sent > now) return false;
    ++probes.answers;
    probes.longest = std::max(probes.longest, now - sent);
    return true;
  }
  return false;
}

bool Lobby::ProbedEnough(PeerHandle peer) const {
  return std::any_of(probes_.begin(), probes_.end(), [peer](const Probes& probes) {
    return probes.peer == peer && probes.answers >= kProbeAnswers;
  });
}

double Lobby::LongestRoundTrip() const {
  double longest = 0;
  for (const Probes& probes : probes_) longest = std::max(longest, probes.longest);
  return longest;
}

std::string Lobby::LinkWord(Link link) {
  switch (link) {
    case Link::kTrying:
      return "buscando enlace...";
    case Link::kDirect:
      return "directo";
    case Link::kRelayed:
      return "por el servidor";
    case Link::kNone:
      break;
  }
  return "";
}

}  // namespace net
