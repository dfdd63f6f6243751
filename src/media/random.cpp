// The game's random generator, kept bit-exact: a Park-Miller minimal standard step computed with
// Schrage's method, and a fraction built from two steps.
#include <cstdint>

#include "media/system.h"

namespace media {
namespace {

constexpr int32_t kModulus = 2147483647;
constexpr int32_t kMultiplier = 48271;
constexpr int32_t kQuotient = 44488;  // kModulus / kMultiplier
constexpr int32_t kRemainder = 3399;  // kModulus % kMultiplier
constexpr int32_t kInitialState = 4660;

RandomStream& GameStream() {
  static RandomStream stream;
  return stream;
}

}  // namespace

int32_t RandomStream::Step() {
  int32_t next = kMultiplier * (state_ % kQuotient) - kRemainder * (state_ / kQuotient);
  if (next < 0) next += kModulus;
  state_ = next;
  return state_;
}

void RandomStream::Seed(int32_t seed) {
  // Seeds whose value as a double is 0 or -2 would stall the generator: 0 and 0x80000000 mask to
  // 0, -1 and 0x7fffffff mask to the modulus itself.
  int32_t masked = seed & 0x7fffffff;
  state_ = (masked == 0 || masked == kModulus) ? kInitialState : masked;
}

double RandomStream::Fraction() {
  int32_t first = Step();
  int32_t second = Step();
  return ((first & 0x1ffffffc) + (second & 0x1ffffff8) / 134217728.0) / 536870912.0;
}

double RandomStream::Float(double low, double high) {
  double fraction = Fraction();
  if (high > low) return low + fraction * (high - low);
  return high + fraction * (low - high);
}

int RandomStream::Int(int low, int high) {
  double fraction = Fraction();
  int64_t span = static_cast<int64_t>(high) - low;
  if (span > 0) return static_cast<int>(low + fraction * static_cast<double>(span + 1));
  return static_cast<int>(high + fraction * static_cast<double>(1 - span));
}

void SeedRandom(int32_t seed) {
  GameStream().Seed(seed);
}

int32_t RandomState() {
  return GameStream().State();
}

double RandomFraction() {
  return GameStream().Fraction();
}

double RandomFloat(double low, double high) {
  return GameStream().Float(low, high);
}

int RandomInt(int low, int high) {
  return GameStream().Int(low, high);
}

}  // namespace media
