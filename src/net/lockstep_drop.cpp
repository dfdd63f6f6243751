// A machine silent for ten seconds, or one whose link closed, is taken out of the match. Every
// other machine has stopped at the first frame it lacks that machine's buttons for, but not all
// at the same one, so the coordinator (the lowest-numbered machine still playing) asks everyone
// what they have, takes the longest run of buttons, and names the frame after it as the one from
// which the silent machine's players leave play. A link can close at one end only: a machine
// that loses its link to another tells the coordinator, and the coordinator's word drops a
// machine everywhere, even where it is still heard, so that no machine waits for ever on another
// that waits on it. When the coordinator still hears the machine said to be lost, the teller is
// the one taken out: no machine's word can take out another that is plainly there.
#include <algorithm>
#include <iostream>

#include "net/lockstep.h"

namespace net {

namespace {
constexpr double kReportWaitMs =
    3000;  // a machine that does not answer the round is not waited for
// Why a machine still heard here is cut off in a round the coordinator began.
constexpr const char* kGivenUp = "quien coordina lo da por perdido";
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
  TellCoordinator();
  if (dropping_ < 0 && Coordinator() == local_) {
    if (const int m = ToDrop(); m >= 0) StartDropRound(m);
  }
  if (dropping_ < 0) return;
  bool everyone = true;
  for (int m = 0; m < machineCount_; ++m) everyone &= reported_[m] || !Present(m);
  if (everyone) {
    EndDropRound();
  } else if (now - dropStarted_ > kReportWaitMs) {
    // The others still hear a machine below this one: to them it coordinates, and it will take
    // this machine out, which cannot hear it, within its silence. Dropping it here would only
    // part the matches. Asked again later, in case an answer was lost.
    if (dropping_ < local_) {
      dropping_ = -1;
    } else {
      EndDropRound();
    }
  }
}

void Lockstep::OnDisconnected(int m) {
  Machine& machine = machines_[m];
  machine.peer = nullptr;
  if (!machine.finished && !machine.dropped) machine.silent = true;
}

int Lockstep::ToDrop() const {
  for (int m = 0; m < machineCount_; ++m) {
    const Machine& machine = machines_[m];
    if (machine.dropped || machine.finished) continue;
    if (machine.silent) return m;
    // Not heard here for a while: its silence will settle it.
    if (Quiet(m)) continue;
    for (int teller = 0; teller < machineCount_; ++teller) {
      if ((machine.lostBy >> teller & 1) && Present(teller)) return teller;
    }
  }
  return -1;
}

void Lockstep::TellCoordinator() {
  const int coordinator = Coordinator();
  if (coordinator == local_) return;
  for (int m = 0; m < machineCount_; ++m) {
    Machine& machine = machines_[m];
    if (!machine.silent || machine.dropped || machine.toldCoordinator == coordinator) continue;
    machine.toldCoordinator = coordinator;
    ByteWriter lost;
    lost.U8(static_cast<uint8_t>(Message::kLostQuery)).U8(m);
    SendTo(coordinator, lost.Data(), Delivery::kReliable);
  }
}

// A machine still heard here (one that lost a link the others keep) is cut off first, so that
// its buttons stop coming in while the others say what they have.
void Lockstep::StartDropRound(int m) {
  if (machines_[m].peer) CutOff(m, "ha perdido el enlace con un equipo que aquí se oye");
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

bool Lockstep::Quiet(int m) const {
  const Machine& machine = machines_[m];
  return !machine.peer || machine.silent || NowMs() - machine.lastHeard > kSilenceLimitMs / 2;
}

Verdict Lockstep::CoordinatorsWord(int from, int m) const {
  for (int below = 0; below < from; ++below) {
    if (below != m && below != local_ && !Quiet(below)) {
      return "decide sobre el equipo " + std::to_string(m) + " sin ser quien coordina";
    }
  }
  return {};
}

bool Lockstep::Coordinates(int from) const {
  for (int below = 0; below < from; ++below) {
    if (below == local_ || !Quiet(below)) return false;
  }
  return true;
}

// From a machine above this one, the question says it lost its link to `m`: it asks only the
// machine it takes for the coordinator. From below, a question about a machine still heard here
// is answered only when it comes from the true coordinator: a machine that merely thinks it
// coordinates may have lost its link to that machine alone, and the coordinator settles that.
Verdict Lockstep::OnLostQuery(const Arrival& arrival, const Bytes& message) {
  int m = 0;
  Verdict why = ReadLostQuery(message, arrival, m);
  if (!why.empty()) return why;
  if (local_ < arrival.sender) {
    machines_[m].lostBy |= 1 << arrival.sender;
    return {};
  }
  if (why = CoordinatorsWord(arrival.sender, m); !why.empty()) return why;
  if (!Quiet(m) && !Coordinates(arrival.sender)) return {};
  if (machines_[m].peer) CutOff(m, kGivenUp);
  OnDisconnected(m);
  SendTo(arrival.sender, InputsMessage(Message::kLostReport, m), Delivery::kReliable);
  return {};
}

// A report that comes after its round ended is no fault of the sender.
Verdict Lockstep::OnLostReport(const Arrival& arrival, const Bytes& message) {
  LastInputs last;
  Verdict why = ReadLastInputs(message, arrival, last);
  if (!why.empty() || dropping_ < 0 || last.machine != dropping_) return why;
  machines_[last.machine].log.Add(last.First(), last.values);
  reported_[arrival.sender] = true;
  return {};
}

void Lockstep::EndDropRound() {
  const int m = dropping_;
  dropping_ = -1;
  for (int other = 0; other < machineCount_; ++other) {
    if (Present(other)) SendTo(other, InputsMessage(Message::kDrop, m), Delivery::kReliable);
  }
  machines_[m].dropped = true;
  machines_[m].dropFrame = machines_[m].log.Known();
  for (int other = 0; other < machineCount_; ++other) {
    if (other != local_ && !machines_[other].dropped && !machines_[other].finished) return;
  }
  std::cerr << "Red: se han perdido los enlaces con todos los demás equipos; este sigue solo"
            << std::endl;
}

Verdict Lockstep::OnDrop(const Arrival& arrival, const Bytes& message) {
  LastInputs last;
  Verdict why = ReadLastInputs(message, arrival, last);
  if (why.empty()) why = CoordinatorsWord(arrival.sender, last.machine);
  if (!why.empty()) return why;
  const int m = last.machine;
  if (!Quiet(m) && !Coordinates(arrival.sender)) return {};
  if (Verdict gap = FollowsOn(last); !gap.empty()) return gap;
  machines_[m].log.Add(last.First(), last.values);
  if (machines_[m].peer) CutOff(m, kGivenUp);
  OnDisconnected(m);
  machines_[m].dropped = true;
  machines_[m].dropFrame = last.firstMissing;
  return {};
}

Bytes Lockstep::InputsMessage(Message kind, int m) const {
  const InputLog& log = machines_[m].log;
  const uint32_t count = std::min(kCarriedFrames, log.Known());
  ByteWriter out;
  out.U8(static_cast<uint8_t>(kind)).U8(m).U32(log.Known()).U8(count);
  for (uint32_t frame = log.Known() - count; frame < log.Known(); ++frame) out.U8(log.At(frame));
  return out.Take();
}

Verdict Lockstep::FollowsOn(const LastInputs& last) const {
  const uint32_t first = last.First();
  const uint32_t known = machines_[last.machine].log.Known();
  if (first <= known) return {};
  return "los últimos botones del equipo " + std::to_string(last.machine) +
         " empiezan en el fotograma " + std::to_string(first) + " y aquí se tienen hasta el " +
         std::to_string(known);
}

}  // namespace net
