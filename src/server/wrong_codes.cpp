#include "server/wrong_codes.h"

#include <iterator>

namespace server {

bool WrongCodes::MayTry(uint32_t ip, double nowMs) {
  const auto found = followed_.find(ip);
  if (found == followed_.end()) {
    if (followed_.size() >= kMaxFollowed) Forget(nowMs);
    return followed_.size() < kMaxFollowed;
  }
  return nowMs - found->second.since >= kWindowMs || found->second.count < kPerMinute;
}

void WrongCodes::Count(uint32_t ip, double nowMs) {
  if (followed_.size() >= kMaxFollowed && !followed_.count(ip)) return;
  Tries& tries = followed_[ip];
  if (tries.count == 0 || nowMs - tries.since >= kWindowMs) tries = {nowMs, 0};
  ++tries.count;
}

void WrongCodes::Forget(double nowMs) {
  for (auto it = followed_.begin(); it != followed_.end();) {
    it = nowMs - it->second.since >= kWindowMs ? followed_.erase(it) : std::next(it);
  }
}

}  // namespace server
