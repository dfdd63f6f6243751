#pragma once
// The windowed backend: an SDL window presenting the surface (resizable, letterboxed, Alt+Enter
// full screen), SDL audio feeding the mixer, and joysticks.
#include <memory>

#include "media/backend.h"

namespace media {

std::unique_ptr<Backend> MakeWindowedBackend();

}  // namespace media
