#pragma once
// Writes the generated data through the game's own writers, so the build exercises the code
// that reads it back.
#include <map>
#include <string>

#include "graph.h"
#include "rig.h"

namespace chargen {

// A VGP package: every graph with one point, its handle. Fails (ends the program) like the
// game's writer when the file cannot be created.
void WritePackage(const std::map<int, Graph>& graphs, const std::string& path);

// A VBA animation set: the bone tree and every animation in index order. Throws
// std::runtime_error when an index below the highest is left undefined.
void WriteAnimations(const Rig& rig, const std::string& path);

}  // namespace chargen
