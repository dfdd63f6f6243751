#pragma once
// The menu sheet: a readable list of every menu picture and the layers it is painted from.
//
//   image | Jugar.png | 216 | 72 [| 2]      a transparent canvas, later lines paint on it; with a
//                                               scale, the file holds it that many times larger
//   plate | x | y | w | h | colour [| radius]   a rounded plate with outline and shade step
//   frame | x | y | w | h [| radius]           only the outline of such a plate
//   art   | file.svg | x | y | w | h [| key=value ...]   an SVG from the sheet's folder, with
//                                               every "${key}" in it replaced by value
//   text  | x | baseline | size | colour | words   outlined bold text; x "c" centres it on the
//                                               canvas, "c240" centres it on x 240
// Colours are rrggbb or aarrggbb in hex.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace menugen {

enum class LayerKind { kPlate, kFrame, kArt, kText };

struct Layer {
  LayerKind kind = LayerKind::kPlate;
  double x = 0, y = 0, width = 0, height = 0;
  double radius = -1;  // -1: the house radius for the plate's height
  uint32_t colour = 0xFFFFFFFF;
  bool centred = false;  // text: x is the centre, not the left edge
  double size = 0;       // text size in px
  std::string content;   // text words or SVG file name
  std::vector<std::pair<std::string, std::string>> substitutions;  // art only
};

struct Picture {
  std::string name;
  int width = 0;  // the design size, in which the layers are given
  int height = 0;
  double scale = 1;  // the file is painted this many times larger
  std::vector<Layer> layers;
};

// On a fault returns nothing and sets `error` to a line-numbered reason.
std::optional<std::vector<Picture>> ParseSheet(const std::string& text, std::string& error);

}  // namespace menugen
