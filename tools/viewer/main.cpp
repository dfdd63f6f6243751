// viewer: pictures of the game's data for people to look at.
//
//   viewer MODE ARGUMENTS...
//
// Modes are listed below; each prints its own usage when called without arguments.
#include <cstring>
#include <iostream>
#include <stdexcept>

#include "media/trig.h"
#include "modes.h"

namespace {

struct Mode {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* summary;
};

constexpr Mode kModes[] = {
    {"strip", viewer::RunStrip, "one animation of one package as a row of frames"},
    {"sheet", viewer::RunSheet, "packages by animations, one pose each (contact sheet)"},
    {"panorama", viewer::RunPanorama, "a level's layers composed as a match draws them"},
};

}  // namespace

int main(int argc, char** argv) {
  FillTrigTables();  // the game's posing reads them
  for (const Mode& mode : kModes) {
    if (argc >= 2 && std::strcmp(argv[1], mode.name) == 0) {
      try {
        return mode.run(argc - 2, argv + 2);
      } catch (const std::exception& error) {
        std::cerr << "viewer " << mode.name << ": " << error.what() << "\n";
        return 1;
      }
    }
  }
  std::cerr << "usage: viewer MODE ARGUMENTS...\n";
  for (const Mode& mode : kModes) std::cerr << "  " << mode.name << ": " << mode.summary << "\n";
  return 1;
}
