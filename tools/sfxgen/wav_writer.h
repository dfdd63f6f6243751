#pragma once
// Writes mono samples as a 16-bit PCM WAV file at the music's sample rate. Rounding is the only
// step, so the same samples always give the same bytes.
#include <string>

#include "render.h"

namespace sfxgen {

// False (with `error` set) when the file cannot be written.
bool WriteWav(const std::string& path, const Samples& samples, std::string& error);

}  // namespace sfxgen
