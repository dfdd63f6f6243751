#pragma once
// The names shown for the input codes players bind: mouse buttons 1-3, keys by virtual-key code,
// joystick buttons as 500 + port * 100 + button. Texts are Latin-1, as the built-in font draws
// them.
#include <array>
#include <string>

#include "core/input_code.h"

constexpr int kKeyNameCount = 227;  // codes 0-226

// Unnamed codes hold the empty text. Filled once at start-up by BuildKeyNames.
extern std::array<std::string, kKeyNameCount> keyNames;

void BuildKeyNames();

// The text for any input code, in Spanish as the rest of the game: a computer seat by its strength
// ("CPU normal"), a joystick code as "Mando P botón B" (both counted from 1), a named code by the
// table, anything else (including codes past the table) as "Tecla " and the code in decimal.
std::string KeyName(int code);
