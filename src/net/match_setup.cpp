#include "net/match_setup.h"

#include <algorithm>

#include "net/messages.h"

namespace net {

int MatchSetup::MachineOfSeat(int seat) const {
  for (size_t m = 0; m < machines.size(); ++m) {
    if (seat >= machines[m].firstSeat && seat < machines[m].firstSeat + machines[m].count) {
      return static_cast<int>(m);
    }
  }
  return -1;
}

void MatchSetup::Write(ByteWriter& out) const {
  out.U32(static_cast<uint32_t>(seed)).U8(level).U8(players).U16(inputDelay).U8(lockstep);
  out.U8(static_cast<uint32_t>(machines.size()));
  for (const MachineSeats& seats : machines) out.U8(seats.firstSeat).U8(seats.count);
}

bool MatchSetup::Read(ByteReader& in) {
  seed = static_cast<int32_t>(in.U32());
  level = in.U8();
  players = in.U8();
  inputDelay = in.U16();
  const int mode = in.U8();
  lockstep = mode == 1;
  const int count = in.U8();
  machines.clear();
  if (count < 2 || count > kMaxMachines) return false;
  int seated = 0;
  for (int m = 0; m < count && in.Ok(); ++m) {
    MachineSeats seats{in.U8(), in.U8()};
    if (seats.firstSeat != seated) return false;
    seated += seats.count;
    machines.push_back(seats);
  }
  return in.Ok() && level >= 0 && level <= 2 && players >= 2 && players <= kMaxSeats &&
         seated == players && inputDelay >= 1 && inputDelay <= kMaxInputDelay && mode <= 1;
}

std::vector<MachineSeats> AssignSeats(const std::vector<int>& localPlayers, int players) {
  std::vector<MachineSeats> seats;
  int next = 0;
  for (const int local : localPlayers) {
    const int count = std::clamp(players - next, 0, local);
    seats.push_back({next, count});
    next += count;
  }
  return seats;
}

}  // namespace net
