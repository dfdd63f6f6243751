#pragma once
// The headless backend: the same 800 x 600 surface and rasterizer as the window, a virtual
// millisecond clock that sleeping and flip pacing advance without real waiting, and input read
// from a script.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "media/backend.h"

namespace media {

struct HeadlessOptions {
  // Path of an input script, one event a line, applied once the virtual clock reaches MS:
  // "MS key VK down|up" (VK 1-255), "MS mouse X Y", "MS button B down|up" (B 1-3),
  // "MS joy PORT BUTTON down|up", "MS char C" (a code 1-255 or one non-digit character),
  // "MS close" (the window's close box). '#' starts a comment line. Empty: no script.
  std::string inputScript;
  // Saves the first frame presented at or after each virtual millisecond.
  std::vector<std::pair<uint32_t, std::string>> shots;
  // Reaching this virtual time ends the program with status 0; 0 means no limit.
  uint32_t stopAfterMs = 0;
  // Records the mix of music and sounds there as a WAV file, on the virtual clock. Empty: none.
  std::string audioFile;
  // Called after every presented frame with the virtual time (traces hook in here).
  std::function<void(uint32_t ms)> onPresent;
};

// Null, after printing a message that names the file (and line), when the script cannot be read
// or the recording cannot be written.
std::unique_ptr<Backend> MakeHeadlessBackend(HeadlessOptions options);

}  // namespace media
