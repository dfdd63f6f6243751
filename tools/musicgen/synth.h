#pragma once
// Renders a score into one loop of interleaved stereo float samples. Every sound that runs past
// the loop's end (a long release, the room's tail) wraps round to its start, so the loop joins
// without a seam.
#include <vector>

#include "score.h"

namespace musicgen {

constexpr int kSampleRate = 44100;

// A loop of interleaved left/right samples; its length in frames is exactly the song's steps.
using StereoLoop = std::vector<float>;

StereoLoop RenderScore(const Score& score);

// Scales the loop to the score's target RMS, taming peaks with a soft limiter first.
void Level(StereoLoop& loop, float targetRms);

float Rms(const StereoLoop& loop);

}  // namespace musicgen
