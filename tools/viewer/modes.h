#pragma once
// The viewer's modes: each takes the words after the mode name and returns the exit status.
#include <string>

namespace viewer {

// strip PACKAGE.vgp ANIMS.vba INDEX OUT.png [--frames N] [--loop] [--mirror] [--part G]
//       [--angle DEG] [--zoom Z]
// One animation of one package as a row of frames spread over its length.
int RunStrip(int argc, char** argv);

// sheet OUT.png ANIMS.vba INDEXES PACKAGE.vgp... [--at FRACTION] [--part G] [--zoom Z]
// A contact sheet: one row per package, one column per animation of the comma-separated list,
// each posed at FRACTION of its length (default 0.3).
int RunSheet(int argc, char** argv);

// panorama DATA_FOLDER LEVEL OUT.png SCROLL... [--players N]
// The level's panorama as a match draws it at each scroll position, one frame under the other,
// with N players (default 4) running on the ground line.
int RunPanorama(int argc, char** argv);

}  // namespace viewer
