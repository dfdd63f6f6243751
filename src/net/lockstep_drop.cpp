// A machine silent for ten seconds, or one whose link closed, is taken out of the match. Every
// other machine has stopped at the first frame it lacks that machine's buttons for, but not all
// at the same one, so the coordinator (the lowest-numbered machine still playing) asks everyone
// what they have, takes the longest run of buttons, and names the frame after it as the one from
// which the silent machine's players leave play.
#include <algorithm>

#include "net/lockstep.h"

namespace net {

namespace {
constexpr double kReportWaitMs =
    3000;  // a machine that does not answer the round is not waited for
}  // namespace

bool Lockstep::Present(int m) const {
  const Machine& machine = machines_[m];
  return m == local_ || (machine.peer && !machine.silent && !machine.dropped && !machine.finished);
}

int Lockstep::Coordinator() const {
  for (int m = 0; m < machineCount_; ++m) {
    if (Present(m)) return m;
  }
  return local_;
}

void Lockstep::WatchSilence() {
  if (outcome_ != Outcome::kPlaying) return;
  const double now = NowMs();
  for (int m = 0; m < machineCount_; ++m) {
    Machine& machine = machines_[m];
    if (Present(m) && m != local_ && now - machine.lastHeard > kSilenceLimitMs) OnDisconnected(m);
  }
  if (dropping_ < 0 && Coordinator() == local_) {
    for (int m = 0; m < machineCount_; ++m) {
      if (machines_[m].silent && !machines_[m].dropped) {
        StartDropRound(m);
        break;
      }
    }
  }
  if (dropping_ < 0) return;
  bool everyone = true;
  for (int m = 0; m < machineCount_; ++m) everyone &= reported_[m] || !Present(m);
  if (everyone || now - dropStarted_ > kReportWaitMs) EndDropRound();
}

void Lockstep::OnDisconnected(int m) {
  Machine& machine = machines_[m];
  machine.peer = nullptr;
  if (!machine.finished && !machine.dropped) machine.silent = true;
}

void Lockstep::StartDropRound(int m) {
  dropping_ = m;
  dropStarted_ = NowMs();
  reported_ = {};
  reported_[local_] = true;
  ByteWriter query;
  query.U8(static_cast<uint8_t>(Message::kLostQuery)).U8(m);
  for (int other = 0; other < machineCount_; ++other) {
    if (Present(other)) SendTo(other, query.Data(), Delivery::kReliable);
  }
}

void Lockstep::OnLostQuery(int from, ByteReader& in) {
  const int m = in.U8();
  if (!in.Ok() || m >= machineCount_ || m == local_) return;
  OnDisconnected(m);
  SendTo(from, InputsMessage(Message::kLostReport, m), Delivery::kReliable);
}

void Lockstep::OnLostReport(int from, ByteReader& in) {
  uint32_t firstMissing = 0;
  if (dropping_ < 0 || ReadInputs(in, firstMissing) != dropping_) return;
  reported_[from] = true;
}

void Lockstep::EndDropRound() {
  const int m = dropping_;
  dropping_ = -1;
  for (int other = 0; other < machineCount_; ++other) {
    if (Present(other)) SendTo(other, InputsMessage(Message::kDrop, m), Delivery::kReliable);
  }
  machines_[m].dropped = true;
  machines_[m].dropFrame = machines_[m].log.Known();
}

void Lockstep::OnDrop(ByteReader& in) {
  uint32_t firstMissing = 0;
  const int m = ReadInputs(in, firstMissing);
  if (m < 0 || m == local_) return;
  OnDisconnected(m);
  machines_[m].dropped = true;
  machines_[m].dropFrame = firstMissing;
}

Bytes Lockstep::InputsMessage(Message kind, int m) const {
  const InputLog& log = machines_[m].log;
  const uint32_t count = std::min(kCarriedFrames, log.Known());
  ByteWriter out;
  out.U8(static_cast<uint8_t>(kind)).U8(m).U32(log.Known()).U8(count);
  for (uint32_t frame = log.Known() - count; frame < log.Known(); ++frame) out.U8(log.At(frame));
  return out.Take();
}

int Lockstep::ReadInputs(ByteReader& in, uint32_t& firstMissing) {
  const int m = in.U8();
  firstMissing = in.U32();
  const uint32_t count = in.U8();
  if (!in.Ok() || m >= machineCount_ || count > firstMissing) return -1;
  for (uint32_t frame = firstMissing - count; frame < firstMissing; ++frame) {
    const uint8_t value = in.U8();
    if (in.Ok() && m != local_) machines_[m].log.Set(frame, value);
  }
  return in.Ok() ? m : -1;
}

}  // namespace net
