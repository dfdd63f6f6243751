// chargen: builds the character packages and animation sets from assets/characters.
//
//   chargen SOURCE_FOLDER OUTPUT_FOLDER
//
// reads player.rig, zombie.rig and looks.txt from SOURCE_FOLDER and writes
// OUTPUT_FOLDER/gfx/<look>.vgp for every look, OUTPUT_FOLDER/anim/animchr.vba and
// OUTPUT_FOLDER/anim/animzombie.vba. Exits 1 with a message naming the file on any fault.
#include <filesystem>
#include <iostream>
#include <set>
#include <stdexcept>

#include "look.h"
#include "output.h"
#include "parts.h"
#include "rig_script.h"

namespace {

using chargen::Rig;

// Every graph a key frame names (except "none" and the optional-part marker) must be in the
// package, or the game would silently skip that bone.
void CheckGraphs(const Rig& rig, const std::map<int, chargen::Graph>& graphs,
                 const std::string& name) {
  for (const auto& anim : rig.anims) {
    for (const auto& frame : anim.frames) {
      for (const auto& state : frame.states) {
        if (state.graph == 0 || state.graph == chargen::kOptionalPartGraph) continue;
        if (!graphs.count(state.graph)) {
          throw std::runtime_error(name + ": animation " + anim.name + " names graph " +
                                   std::to_string(state.graph) + ", which the look lacks");
        }
      }
    }
  }
}

void Generate(const std::filesystem::path& source, const std::filesystem::path& output) {
  const Rig player = chargen::LoadRigScript((source / "player.rig").string());
  const Rig zombie = chargen::LoadRigScript((source / "zombie.rig").string());
  const auto looks = chargen::LoadLooks((source / "looks.txt").string());
  std::filesystem::create_directories(output / "gfx");
  std::filesystem::create_directories(output / "anim");
  for (const chargen::Look& look : looks) {
    const Rig& rig = look.zombie ? zombie : player;
    const auto graphs = chargen::DrawLook(look, rig.mirrorOffset);
    CheckGraphs(rig, graphs, look.name);
    chargen::WritePackage(graphs, (output / "gfx" / (look.name + ".vgp")).string());
  }
  chargen::WriteAnimations(player, (output / "anim" / "animchr.vba").string());
  chargen::WriteAnimations(zombie, (output / "anim" / "animzombie.vba").string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: chargen SOURCE_FOLDER OUTPUT_FOLDER\n";
    return 1;
  }
  try {
    Generate(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "chargen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
