#pragma once
// Who plays each seat of a match: a person with the button they bound, or a bot of the strength
// the settings give the seat. A bot's player gets a button of the computer's pad of its own, so
// that two bots never share a button and no person's button moves a bot's player.
#include <array>
#include <optional>
#include <string>

#include "core/configuracion.h"

namespace field {

using SeatStrengths = std::array<std::optional<CpuStrength>, kMaxPlayers>;

// The computer's seats among the settings' four, by strength.
SeatStrengths ComputerSeats(const TConfiguracion& settings);
// The computer's pad button the bot of `slot` presses.
int ComputerButton(int slot);
// The button the player of `slot` is given.
int SeatButton(const TConfiguracion& settings, int slot);
// The name of the button a seat plays with, as the player's tag shows it: the person's button,
// or "CPU".
std::string SeatButtonName(std::optional<CpuStrength> computer, int key);
// The tutorial is always read by a person: when the computer holds seat 1, its reader plays
// with the default button of player 1.
int ReaderButton(const TConfiguracion& settings);
// The tutorial's seats: the reader's is a person's, and a seat whose person would share the
// reader's button goes to the computer, so that the reader's button moves the reader alone.
SeatStrengths TutorialSeats(const TConfiguracion& settings);
// The button the player of `slot` is given in the tutorial.
int TutorialSeatButton(const TConfiguracion& settings, int slot);

}  // namespace field
