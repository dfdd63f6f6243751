#include "field/seats.h"

#include "core/key_names.h"
#include "media/input.h"

namespace field {

SeatStrengths ComputerSeats(const TConfiguracion& settings) {
  SeatStrengths seats;
  for (int slot = 0; slot < kMaxPlayers; ++slot) seats[slot] = settings.CpuSeat(slot);
  return seats;
}

int ComputerButton(int slot) {
  return JoystickCode(media::kComputerPadPort, slot);
}

int SeatButton(const TConfiguracion& settings, int slot) {
  return settings.CpuSeat(slot) ? ComputerButton(slot) : settings.GetKey(slot);
}

// The computer's strength shows in the options; on the field it is just the computer.
std::string SeatButtonName(std::optional<CpuStrength> computer, int key) {
  return computer ? "CPU" : KeyName(key);
}

int ReaderButton(const TConfiguracion& settings) {
  return settings.CpuSeat(0) ? TConfiguracion().GetKey(0) : settings.GetKey(0);
}

SeatStrengths TutorialSeats(const TConfiguracion& settings) {
  SeatStrengths seats = ComputerSeats(settings);
  seats[0] = std::nullopt;
  const int reader = ReaderButton(settings);
  for (int slot = 1; slot < kMaxPlayers; ++slot) {
    if (!seats[slot] && settings.GetKey(slot) == reader) seats[slot] = CpuStrength::kNormal;
  }
  return seats;
}

int TutorialSeatButton(const TConfiguracion& settings, int slot) {
  if (slot == 0) return ReaderButton(settings);
  return TutorialSeats(settings)[slot] ? ComputerButton(slot) : settings.GetKey(slot);
}

}  // namespace field
