#pragma once
// Figures a maker wants from a real run, printed to standard error when the program ends if the
// environment variable SKULLGNAWER_STATS is set: how long the first frame took from launch, the
// frame rate kept, and the peak resident memory.
#include <cstdint>

namespace media {

// Called for every presented frame with the backend's clock.
void CountPresentedFrame(uint32_t ms);

}  // namespace media
