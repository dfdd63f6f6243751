// Every kDigestEvery frames each machine sends a digest of its match state after that frame. The
// first difference ends the match everywhere; the log written then holds the last confirmed
// frames' buttons and every digest still kept.
#include <cstdio>

#include "net/lockstep.h"

namespace net {

namespace {
constexpr uint32_t kKeptDigestFrames = 10 * kDigestEvery;
constexpr uint32_t kLoggedFrames = 120;

std::string Hex(uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
  return text;
}
}  // namespace

void Lockstep::RecordDigest(uint32_t frame, uint64_t digest) {
  digests_[frame][local_] = digest;
  ForgetOldDigests();
  ByteWriter out;
  out.U8(static_cast<uint8_t>(Message::kDigest)).U32(frame).U64(digest);
  SendToAll(out.Data(), Delivery::kReliable);
  CompareDigests(frame);
}

// Digests come only for frames up to a window ahead of this one's, and one older than the store
// is let go unread, so the store stays a window's worth.
Verdict Lockstep::OnDigest(const Arrival& arrival, const Bytes& message) {
  uint32_t frame = 0;
  uint64_t digest = 0;
  Verdict why = ReadDigest(message, arrival, frame, digest);
  if (!why.empty() || frame + kKeptDigestFrames < frame_) return why;
  digests_[frame][arrival.sender] = digest;
  ForgetOldDigests();
  CompareDigests(frame);
  return {};
}

Verdict Lockstep::OnDesyncMessage(const Arrival& arrival, const Bytes& message) {
  uint32_t frame = 0;
  Verdict why = ReadDesync(message, arrival, frame);
  if (why.empty()) OnDesync(frame);
  return why;
}

void Lockstep::ForgetOldDigests() {
  while (!digests_.empty() && digests_.begin()->first + kKeptDigestFrames < frame_) {
    digests_.erase(digests_.begin());
  }
}

void Lockstep::CompareDigests(uint32_t frame) {
  const auto& row = digests_[frame];
  if (!row[local_]) return;
  for (int m = 0; m < machineCount_; ++m) {
    if (!row[m] || *row[m] == *row[local_] || outcome_ != Outcome::kPlaying) continue;
    OnDesync(frame);
    ByteWriter out;
    out.U8(static_cast<uint8_t>(Message::kDesync)).U32(frame);
    SendToAll(out.Data(), Delivery::kReliable);
    endpoint_->Flush();
  }
}

void Lockstep::OnDesync(uint32_t frame) {
  if (outcome_ != Outcome::kPlaying) return;
  outcome_ = Outcome::kDesync;
  desyncFrame_ = frame;
}

std::string Lockstep::DesyncLog() const {
  std::string log = "Partida desincronizada en el fotograma " + std::to_string(desyncFrame_) +
                    "; este equipo es la máquina " + std::to_string(local_) + ".\n";
  log += "Resúmenes del estado (fotograma, luego uno por máquina; - si no llegó):\n";
  for (const auto& [frame, row] : digests_) {
    log += std::to_string(frame);
    for (int m = 0; m < machineCount_; ++m) log += " " + (row[m] ? Hex(*row[m], 16) : "-");
    log += "\n";
  }
  log += "Botones (fotograma, luego uno por máquina en hexadecimal; -- si no llegó):\n";
  const uint32_t first = frame_ > kLoggedFrames ? frame_ - kLoggedFrames : 0;
  // Only confirmed frames: those beyond were at most guessed here.
  for (uint32_t frame = first; frame < frame_; ++frame) {
    log += std::to_string(frame);
    for (int m = 0; m < machineCount_; ++m) {
      log += machines_[m].log.Has(frame) ? " " + Hex(machines_[m].log.At(frame), 2) : " --";
    }
    log += "\n";
  }
  return log;
}

}  // namespace net
