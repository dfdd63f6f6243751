#include "net/lockstep.h"

#include <algorithm>

namespace net {

namespace {
// While waiting, the newest buttons go out again this often, in case the last packet was lost.
constexpr double kResendMs = 16;
// How long the last reliable message may take to be acknowledged before the links are cut: long
// enough for a few resends over a slow, lossy line on a busy machine, so that the others hear
// why this machine left instead of waiting out its silence.
constexpr int kLastMessageWaitMs = 3000;
}  // namespace

Lockstep::Lockstep(std::unique_ptr<Endpoint> endpoint, std::array<PeerHandle, kMaxMachines> peers,
                   MatchSetup setup)
    : endpoint_(std::move(endpoint)), setup_(std::move(setup)) {
  machineCount_ = static_cast<int>(setup_.machines.size());
  local_ = setup_.localMachine;
  const double now = NowMs();
  for (int m = 0; m < machineCount_; ++m) {
    machines_[m].peer = m == local_ ? nullptr : peers[m];
    machines_[m].lastHeard = now;
    machines_[m].confirmed = setup_.inputDelay;
    // Nothing is pressed before the first sampled buttons arrive.
    for (int frame = 0; frame < setup_.inputDelay; ++frame) machines_[m].log.Set(frame, 0);
  }
}

Lockstep::~Lockstep() {
  if (outcome_ == Outcome::kPlaying) {
    Leave();
  } else {
    endpoint_->DisconnectAll(kLastMessageWaitMs);
  }
}

void Lockstep::Submit(uint8_t buttons) {
  machines_[local_].log.Set(frame_ + setup_.inputDelay, buttons);
  SendInputs();
}

// Each machine gets every frame of this one's buttons it has not confirmed yet, and hears how far
// this one has its buttons.
void Lockstep::SendInputs() {
  const InputLog& own = machines_[local_].log;
  for (int m = 0; m < machineCount_; ++m) {
    if (!machines_[m].peer) continue;
    ByteWriter out;
    out.U8(static_cast<uint8_t>(Message::kInputs)).U16(machines_[m].log.Known() & 0xffff);
    EncodeFrom(own, machines_[m].confirmed, out);
    SendTo(m, out.Data(), Delivery::kSequenced);
  }
  endpoint_->Flush();
  lastSent_ = NowMs();
}

bool Lockstep::Ready(int timeoutMs) {
  const double end = NowMs() + timeoutMs;
  for (;;) {
    Pump(0);
    WatchSilence();
    if (outcome_ != Outcome::kPlaying || Missing().empty()) return true;
    const double now = NowMs();
    if (now - lastSent_ >= kResendMs) SendInputs();
    if (now >= end) return false;
    Pump(static_cast<int>(std::min(end - now, kResendMs)) + 1);
  }
}

FrameInput Lockstep::Take() {
  FrameInput input;
  for (int m = 0; m < machineCount_; ++m) {
    const Machine& machine = machines_[m];
    const MachineSeats& seats = setup_.machines[m];
    if (machine.dropped && frame_ == machine.dropFrame) {
      for (int k = 0; k < seats.count; ++k) input.seatsOut.push_back(seats.firstSeat + k);
    }
    if (machine.dropped && frame_ >= machine.dropFrame) continue;
    const uint8_t buttons = machine.log.At(frame_);
    for (int k = 0; k < seats.count; ++k) input.buttons[seats.firstSeat + k] = buttons >> k & 1;
    input.pause |= (buttons & kPauseBit) != 0;
  }
  ++frame_;
  return input;
}

bool Lockstep::Needed(int m) const {
  const Machine& machine = machines_[m];
  return !(machine.dropped && frame_ >= machine.dropFrame) && !machine.log.Has(frame_);
}

std::vector<int> Lockstep::Missing() const {
  std::vector<int> missing;
  for (int m = 0; m < machineCount_; ++m) {
    if (Needed(m)) missing.push_back(m);
  }
  return missing;
}

void Lockstep::Pump(int timeoutMs) {
  for (NetEvent& event : endpoint_->Service(timeoutMs)) {
    const int from = MachineOf(event.peer);
    if (from < 0) continue;
    if (event.kind == NetEvent::Kind::kDisconnected) {
      OnDisconnected(from);
    } else if (event.kind == NetEvent::Kind::kReceived) {
      machines_[from].lastHeard = NowMs();
      ByteReader in(event.data);
      Receive(from, in);
    }
  }
}

void Lockstep::Receive(int from, ByteReader& in) {
  switch (static_cast<Message>(in.U8())) {
    case Message::kInputs:
      OnInputs(from, in);
      break;
    case Message::kDigest:
      OnDigest(from, in);
      break;
    case Message::kDesync:
      OnDesync(in.U32());
      break;
    case Message::kQuit:
      if (outcome_ == Outcome::kPlaying) outcome_ = Outcome::kQuit, quitBy_ = from;
      break;
    case Message::kDone: {
      uint32_t firstMissing = 0;
      if (ReadInputs(in, firstMissing) == from) machines_[from].finished = true;
      break;
    }
    case Message::kLostQuery:
      OnLostQuery(from, in);
      break;
    case Message::kLostReport:
      OnLostReport(from, in);
      break;
    case Message::kDrop:
      OnDrop(in);
      break;
    default:
      break;
  }
}

void Lockstep::OnInputs(int from, ByteReader& in) {
  Machine& machine = machines_[from];
  const uint32_t ownKnown = machines_[local_].log.Known();
  const uint32_t confirmed = NearestFrame(in.U16(), ownKnown);
  if (in.Ok() && confirmed <= ownKnown) machine.confirmed = std::max(machine.confirmed, confirmed);
  DecodeInto(in, machine.log);
}

int Lockstep::MachineOf(PeerHandle peer) const {
  for (int m = 0; m < machineCount_; ++m) {
    if (peer && machines_[m].peer == peer) return m;
  }
  return -1;
}

void Lockstep::SendTo(int machine, const Bytes& bytes, Delivery how) {
  if (machines_[machine].peer) endpoint_->Send(machines_[machine].peer, bytes, how);
}

void Lockstep::SendToAll(const Bytes& bytes, Delivery how) {
  for (int m = 0; m < machineCount_; ++m) SendTo(m, bytes, how);
}

void Lockstep::Leave() {
  if (outcome_ == Outcome::kPlaying) outcome_ = Outcome::kLeft;
  SendToAll({static_cast<uint8_t>(Message::kQuit)}, Delivery::kReliable);
  endpoint_->DisconnectAll(kLastMessageWaitMs);
}

void Lockstep::Finish() {
  if (outcome_ == Outcome::kPlaying) outcome_ = Outcome::kLeft;
  SendToAll(InputsMessage(Message::kDone, local_), Delivery::kReliable);
  endpoint_->DisconnectAll(kLastMessageWaitMs);
}

}  // namespace net
