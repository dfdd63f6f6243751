#pragma once
// The one input code each player's seat holds in the settings. A person's is the button they
// bound: 1-3 the left, right and middle mouse buttons, 500 + port × 100 + button a joystick
// button, any other value a key by its virtual-key code. A seat handed to the computer keeps its
// strength there instead, so the settings file stays seven integers: 1000 easy, 1001 normal,
// 1002 hard.
#include <optional>

inline constexpr int kJoystickCodeBase = 500;
inline constexpr int kJoystickCodesPerPort = 100;

constexpr int JoystickCode(int port, int button) {
  return kJoystickCodeBase + port * kJoystickCodesPerPort + button;
}
constexpr int JoystickPortOf(int code) {
  return (code - kJoystickCodeBase) / kJoystickCodesPerPort;
}
constexpr int JoystickButtonOf(int code) {
  return code % kJoystickCodesPerPort;
}

enum class CpuStrength : int { kEasy = 0, kNormal = 1, kHard = 2 };

inline constexpr int kCpuSeatCode = 1000;
inline constexpr int kCpuStrengths = 3;

constexpr int CpuSeatCode(CpuStrength strength) {
  return kCpuSeatCode + static_cast<int>(strength);
}

constexpr bool IsCpuSeat(int code) {
  return code >= kCpuSeatCode && code < kCpuSeatCode + kCpuStrengths;
}

// The computer's strength for a seat's code; nothing for a person's.
constexpr std::optional<CpuStrength> SeatStrength(int code) {
  if (!IsCpuSeat(code)) return std::nullopt;
  return static_cast<CpuStrength>(code - kCpuSeatCode);
}
