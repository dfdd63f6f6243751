// Time sync. Each machine sees the others' frames only a one-way trip late, and hears as late how
// far they have its own buttons: the lead each side sees over the other carries the same trip,
// so half their difference is how far one truly runs ahead of the other.
#include <algorithm>

#include "net/lockstep.h"

namespace net {

double Lockstep::FramesAhead(uint32_t playedFrame) const {
  double most = 0;
  for (int m = 0; m < machineCount_; ++m) {
    const Machine& machine = machines_[m];
    if (m == local_ || !Present(m)) continue;
    const double theirs = static_cast<double>(machine.log.Known()) - setup_.inputDelay;
    const double leadHere = static_cast<double>(playedFrame) - theirs;
    const double leadThere = static_cast<double>(machine.log.Known()) - machine.confirmed;
    most = std::max(most, (leadHere - leadThere) / 2);
  }
  return most;
}

}  // namespace net
