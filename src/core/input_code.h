#pragma once
// A player's seat is held by a person, through the input code they bound, or by the computer.
// A computer seat keeps its strength where a person's code would be, so the settings file stays
// seven integers: 1000 easy, 1001 normal, 1002 hard.
#include <optional>

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
