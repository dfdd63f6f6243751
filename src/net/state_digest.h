#pragma once
// The digest machines compare every kDigestEvery frames: every entity's kind, state, position,
// speeds and animation, the clock, the random stream and the manager's own fields, by their bits.
#include <cstdint>
#include <initializer_list>

class TAdministrador;
class TTimer;

namespace net {

// `more` adds the screen's own values (the panorama's scroll, for one).
uint64_t MatchDigest(const TAdministrador& manager, const TTimer& timer,
                     std::initializer_list<float> more = {});

}  // namespace net
