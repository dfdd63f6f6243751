#pragma once
// Reads a rig script: the skeleton of one kind of character, its named poses and the key frames
// of every animation, in a plain text a person can edit (see assets/characters/README.md).
#include <string>

#include "rig.h"

namespace chargen {

// Throws std::runtime_error naming the file and line of the first fault.
Rig LoadRigScript(const std::string& path);

}  // namespace chargen
