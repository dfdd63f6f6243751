#include "net/lockstep.h"

#include <algorithm>
#include <iostream>

namespace net {

namespace {
// While waiting, the newest buttons go out again this often, in case the last packet was lost. A
// little longer than a frame (16.7 ms): a machine playing on sends its buttons every frame
// anyway, and a resend just before each of those would nearly double its traffic.
constexpr double kResendMs = 20;
// How long the last reliable message may take to be acknowledged before the links are cut: long
// enough for a few resends over a slow, lossy line on a busy machine, so that the others hear
// why this machine left instead of waiting out its silence.
constexpr int kLastMessageWaitMs = 3000;
// Longer than any pause between two frames of a running game: time this machine was away.
constexpr double kOwnStallMs = 500;
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
  SubmitFor(frame_, buttons);
}

void Lockstep::SubmitFor(uint32_t playedFrame, uint8_t buttons) {
  machines_[local_].log.Set(playedFrame + setup_.inputDelay, buttons);
  SendInputs();
}

// Each machine gets every frame of this one's buttons it has not confirmed yet, and hears how far
// this one has its buttons.
void Lockstep::SendInputs() {
  if (NowMs() < holdUntil_) return;
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
    if (StopRequested() && outcome_ == Outcome::kPlaying) Leave();
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
  return Guess(frame_++);
}

FrameInput Lockstep::Guess(uint32_t frame) const {
  FrameInput input;
  for (int m = 0; m < machineCount_; ++m) {
    const Machine& machine = machines_[m];
    const MachineSeats& seats = setup_.machines[m];
    if (machine.dropped && frame == machine.dropFrame) {
      for (int k = 0; k < seats.count; ++k) input.seatsOut.push_back(seats.firstSeat + k);
    }
    if (machine.dropped && frame >= machine.dropFrame) continue;
    const InputLog& log = machine.log;
    uint8_t buttons = log.At(frame);
    if (!log.Has(frame) && log.Known() > 0) buttons = log.At(log.Known() - 1) & ~kPauseBit;
    for (int k = 0; k < seats.count; ++k) input.buttons[seats.firstSeat + k] = buttons >> k & 1;
    input.pause |= (buttons & kPauseBit) != 0;
  }
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

// A stop may come between two services or inside one, where ENet, waking, reports the links it
// gave up on: either way this machine's own absence is noticed before any of that is believed.
void Lockstep::Pump(int timeoutMs) {
  NoticeOwnStall(lastPump_);
  if (outcome_ == Outcome::kLeftBehind) return;
  const double listening = NowMs();
  std::vector<NetEvent> events = endpoint_->Service(timeoutMs);
  NoticeOwnStall(listening + timeoutMs);
  lastPump_ = NowMs();
  if (outcome_ == Outcome::kLeftBehind) return;
  for (NetEvent& event : events) {
    const int from = MachineOf(event.peer);
    if (from < 0) {
      // Nobody joins a match under way.
      if (event.kind == NetEvent::Kind::kConnected) endpoint_->DisconnectNow(event.peer);
    } else if (event.kind == NetEvent::Kind::kDisconnected) {
      OnDisconnected(from);
    } else if (event.kind == NetEvent::Kind::kReceived) {
      machines_[from].lastHeard = NowMs();
      Receive(from, event.data);
    }
  }
}

void Lockstep::NoticeOwnStall(double since) {
  const double now = NowMs();
  const double away = lastPump_ > 0 ? now - since : 0;
  if (away < kOwnStallMs || outcome_ != Outcome::kPlaying) return;
  for (Machine& machine : machines_) machine.lastHeard += away;
  if (away < kLeftBehindMs) return;
  std::cerr << "Red: este equipo no ha atendido la red en " << static_cast<int>(away / 1000)
            << " s; los demás siguen sin él" << std::endl;
  outcome_ = Outcome::kLeftBehind;
  for (Machine& machine : machines_) {
    endpoint_->DisconnectNow(machine.peer);
    machine.peer = nullptr;
  }
}

void Lockstep::Receive(int from, const Bytes& message) {
  const Arrival arrival{machineCount_, local_, from, frame_};
  Verdict why;
  switch (static_cast<Message>(KindOf(message))) {
    case Message::kInputs:
      why = OnInputs(arrival, message);
      break;
    case Message::kDigest:
      why = OnDigest(arrival, message);
      break;
    case Message::kDesync:
      why = OnDesyncMessage(arrival, message);
      break;
    case Message::kQuit:
      why = ReadQuit(message);
      if (why.empty() && outcome_ == Outcome::kPlaying) outcome_ = Outcome::kQuit, quitBy_ = from;
      break;
    case Message::kDone:
      why = OnDone(arrival, message);
      break;
    case Message::kLostQuery:
      why = OnLostQuery(arrival, message);
      break;
    case Message::kLostReport:
      why = OnLostReport(arrival, message);
      break;
    case Message::kDrop:
      why = OnDrop(arrival, message);
      break;
    case Message::kProbe:
    case Message::kEcho:
      break;  // the lobby's last round trips, still on their way
    default:
      why = "mensaje de tipo " + std::to_string(KindOf(message)) + " en plena partida";
  }
  if (!why.empty()) CutOff(from, why);
}

Verdict Lockstep::OnInputs(const Arrival& arrival, const Bytes& message) {
  Machine& machine = machines_[arrival.sender];
  InputsPacket packet;
  Verdict why =
      ReadInputs(message, arrival, machines_[local_].log.Known(), machine.log.Known(), packet);
  if (!why.empty()) return why;
  machine.confirmed = std::max(machine.confirmed, packet.confirmed);
  machine.log.Add(packet.first, packet.values);
  return {};
}

Verdict Lockstep::OnDone(const Arrival& arrival, const Bytes& message) {
  LastInputs last;
  Verdict why = ReadLastInputs(message, arrival, last);
  if (why.empty()) why = FollowsOn(last);
  if (!why.empty()) return why;
  machines_[last.machine].log.Add(last.First(), last.values);
  machines_[last.machine].finished = true;
  return {};
}

void Lockstep::CutOff(int m, const Verdict& why) {
  std::cerr << "Red: se desconecta al equipo " << m << " (JUGADOR "
            << setup_.machines[m].firstSeat + 1 << "): " << why << std::endl;
  endpoint_->DisconnectNow(machines_[m].peer);
  OnDisconnected(m);
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
