#pragma once
// Plays an effect into mono samples at the music's sample rate and levels it: every effect comes
// out at its target loudness with its peaks below -3 dBFS, starting and ending in silence.
#include <vector>

#include "effect.h"

namespace sfxgen {

using Samples = std::vector<float>;

constexpr float kPeakCeiling = 0.70f;  // a hair under -3 dBFS, so 16-bit rounding stays below

Samples RenderEffect(const Effect& effect, int variant);

// Loudness in dB as the ear weighs a short sound: the K-weighted power of its loudest 200 ms.
float Loudness(const Samples& samples);
float Peak(const Samples& samples);

// Scales to `targetDb`, bending peaks softly under the ceiling (repeated, as bending lowers the
// loudness a little); a sound too peaky to reach the target stays under the ceiling regardless.
void Level(Samples& samples, float targetDb);

}  // namespace sfxgen
