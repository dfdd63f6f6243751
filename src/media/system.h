#pragma once
// Time, random numbers, messages and ending the program.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace media {

// A run-time error nothing in the game handles: the program's entry point writes its text to
// standard error and ends with status 255.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Thrown by End and Exit so that the entry point unwinds and returns the status.
struct ProgramExit {
  int status;
};

uint32_t Milliseconds();  // the 32-bit millisecond clock (virtual under the headless backend)
void Sleep(int ms);       // negative does nothing

// The game's own generator, bit-exact (Park-Miller minimal standard, two-step fraction).
void SeedRandom(int32_t seed);
double RandomFraction();                      // [0, 1)
double RandomFloat(double low, double high);  // bounds in either order
int RandomInt(int low, int high);             // both ends included, either order
int32_t RandomState();  // where the game's stream stands: machines that play together compare it
// A stream of its own with the same generator, for choices that must not disturb the game's
// (computer players, cosmetic effects). The functions above use one such stream.
class RandomStream {
 public:
  explicit RandomStream(int32_t seed = 0) { Seed(seed); }
  void Seed(int32_t seed);
  double Fraction();
  double Float(double low, double high);
  int Int(int low, int high);
  int32_t State() const { return state_; }

 private:
  int32_t Step();
  int32_t state_;
};

void Notify(const std::string& text, bool serious = false);  // modal box; nothing without a display
void Print(const std::string& text);               // text and a line break to standard output
void Write(const std::string& text);               // text, no line break, flushed
[[noreturn]] void Raise(const std::string& text);  // throws RuntimeError
[[noreturn]] void End();                           // ends with status 0
[[noreturn]] void Exit(int status);                // ends with the given status

}  // namespace media
