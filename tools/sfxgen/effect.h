#pragma once
// A sound effect as the synthesiser plays it: a few layers, each one note of an instrument of the
// music's synthesiser with its own start and hold, rendered once (no loop) into mono samples.
// Any value of a layer may list alternatives "a|b|c", one per variant of the effect, so that a
// sound heard often can come in two or three slightly different takes.
#include <optional>
#include <string>
#include <vector>

#include "score.h"

namespace sfxgen {

struct Layer {
  musicgen::Instrument instrument;
  musicgen::Note note;
  float at = 0;        // seconds from the effect's start
  float hold = 0.05f;  // seconds the note is held before its release
};

// A single echo of the whole effect, fed back on itself: a cheap sense of space.
struct Echo {
  float seconds = 0;  // 0: none
  float feedback = 0;
  float mix = 0;
};

struct Effect {
  float length = 0.5f;   // seconds rendered; the last moments are faded to silence
  float loudness = -18;  // target loudness in dB (K-weighted, loudest 200 ms)
  int variants = 1;
  Echo echo;
  std::vector<Layer> layers;
};

// The effect as variant `variant` (0-based) plays it. On a fault returns nothing and sets `error`
// to a line-numbered reason; a variant beyond the effect's count is a fault too.
std::optional<Effect> ParseEffect(const std::string& text, int variant, std::string& error);

}  // namespace sfxgen
