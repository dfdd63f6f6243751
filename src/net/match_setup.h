#pragma once
// What every machine of a networked match agrees on before its first frame: the host chooses the
// level, the player count, the random seed, the input delay and how the frames are played; the
// seats go to the host's local players first, then to each joiner's in the order they joined.
#include <cstdint>
#include <vector>

#include "net/bytes.h"

namespace net {

inline constexpr int kMaxMachines = 4;
inline constexpr int kMaxSeats = 4;

struct MachineSeats {
  int firstSeat = 0;
  int count = 0;
};

struct MatchSetup {
  int32_t seed = 0;
  int level = 0;
  int players = 2;
  int inputDelay = 2;  // frames between sampling a button and playing it, the same everywhere
  // Every frame waits for everyone's buttons; otherwise each is played at once on a guess and
  // played again when the guess was wrong. One way for all: a machine that waited would hold
  // back the others on every frame.
  bool lockstep = false;
  std::vector<MachineSeats> machines;  // by machine: 0 is the host, then the joiners in order
  int localMachine = 0;                // not sent: each machine fills in its own

  // The machine whose local players sit in `seat`; -1 for none.
  int MachineOfSeat(int seat) const;
  void Write(ByteWriter& out) const;
  // False when the bytes do not describe a playable match.
  bool Read(ByteReader& in);
};

// Seats in machine order, each machine taking as many of its local players as still fit.
std::vector<MachineSeats> AssignSeats(const std::vector<int>& localPlayers, int players);

}  // namespace net
