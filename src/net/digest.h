#pragma once
// A 64-bit FNV-1a digest: cheap, and the same on every machine for the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace net {

class Digest {
 public:
  void Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * kPrime;
  }
  // Numbers go in by their bits, so a float that differs in its last bit changes the digest.
  template <typename Number>
  void Add(Number number) {
    Add(&number, sizeof number);
  }
  uint64_t Value() const { return value_; }

 private:
  static constexpr uint64_t kPrime = 0x100000001b3ull;
  uint64_t value_ = 0xcbf29ce484222325ull;
};

}  // namespace net
