#pragma once
// The room the instruments play in: a tempo-synced ping-pong echo and a small reverb, run over
// the loop as if it repeated forever, so their tails carry across the loop point.
#include "synth.h"

namespace musicgen {

// Returns the wet signal for the send buffer `send` (interleaved stereo, one loop long).
StereoLoop RoomResponse(const StereoLoop& send, const Score& score);

}  // namespace musicgen
