#pragma once
// The keys the end-to-end scripts press, in the runner's key codes, taken from the game's own
// table so a script and the game cannot disagree.
#include "media/input.h"

namespace e2e {

inline constexpr int kKeyEnter = media::kKeyEnter;
inline constexpr int kKeyEscape = media::kKeyEscape;
inline constexpr int kKeyF10 = media::kKeyF10;
// The buttons the default settings give players 1 and 2 on every machine: Q and Z.
inline constexpr int kKeyPlayerOne = media::kKeyA + ('Q' - 'A');
inline constexpr int kKeyPlayerTwo = media::kKeyA + ('Z' - 'A');

}  // namespace e2e
