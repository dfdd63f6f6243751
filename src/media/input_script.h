#pragma once
// The headless runner's input script: timed events read from a text file, one a line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/input.h"

namespace media {

struct ScriptEvent {
  enum class Kind { kKey, kMouseMove, kMouseButton, kJoystick, kChar, kClose };
  uint32_t ms = 0;
  Kind kind = Kind::kClose;
  int a = 0;  // key code, mouse x, mouse button, joystick port or character code
  int b = 0;  // mouse y or joystick button
  bool down = false;
};

// Events in time order (lines with equal times keep their order). Prints a message naming the
// file and the line and returns nothing when the file cannot be read or a line is malformed.
// "MS char C" takes a character code, or a single non-digit character.
std::optional<std::vector<ScriptEvent>> ReadInputScript(const std::string& path);

void ApplyScriptEvent(const ScriptEvent& event, InputState& input);

}  // namespace media
