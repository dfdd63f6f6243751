#pragma once
// A look: the colours, clothes, hair and build of one character package, read from a looks file
// (assets/characters/looks.txt) so that a colour or a hat is changed without touching code.
#include <cstdint>
#include <string>
#include <vector>

namespace chargen {

struct Look {
  std::string name;     // the package file name without ".vgp" (chr0, zombie3, ...)
  bool zombie = false;  // zombie looks have torn clothes, a zombie face and an optional part
  uint32_t skin = 0xFFF1C48F;
  uint32_t shirt = 0xFFCC3333;
  uint32_t accent = 0xFFFFFFFF;  // pattern, tie or collar colour
  uint32_t trousers = 0xFF2C3E70;
  uint32_t shoes = 0xFF3B2B22;
  uint32_t hair = 0xFF4A2C17;
  uint32_t hat = 0xFFFFFFFF;
  std::string pattern = "plain";    // plain, stripes, dots, chevron, tie, vest, apron, zip
  std::string hairStyle = "short";  // short, spiky, long, mohawk, bald, curly, bun, combover
  std::string hatStyle = "none";    // none, cap, beanie, headband
  std::string prop = "axe";         // zombies: the optional part shown on one zombie in four
  float build = 1;                  // torso width factor
  float belly = 0;                  // extra belly in pixels
  float limbs = 1;                  // limb thickness factor
  bool skirt = false;
};

// Throws std::runtime_error naming the file and line of the first fault.
std::vector<Look> LoadLooks(const std::string& path);

}  // namespace chargen
