#pragma once
// server/, above net/: the room server. Codes cannot be guessed in practice because each address
// gets only a few wrong ones a minute; the count is kept per address and forgotten a minute on.
#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace server {

class WrongCodes {
 public:
  static constexpr int kPerMinute = 10;
  static constexpr double kWindowMs = 60000;
  // Addresses followed at once; past this, an address not already followed may not try at all,
  // so a flood from many addresses costs a bounded amount of memory.
  static constexpr size_t kMaxFollowed = 200000;

  // True while `ip` may still try a code.
  bool MayTry(uint32_t ip, double nowMs);
  void Count(uint32_t ip, double nowMs);
  size_t Followed() const { return followed_.size(); }

 private:
  struct Tries {
    double since = 0;
    int count = 0;
  };
  void Forget(double nowMs);
  std::unordered_map<uint32_t, Tries> followed_;
};

}  // namespace server
