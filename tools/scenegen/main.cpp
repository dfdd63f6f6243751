// Writes every scenery and play-field picture into the folder given on the command line.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "artkit.h"

namespace {

bool Render(const scenegen::Picture& picture, const std::filesystem::path& folder) {
  artkit::Canvas canvas(picture.width, picture.height);
  picture.draw(canvas.Cairo());
  std::filesystem::path path = folder / picture.file;
  if (!canvas.SavePNG(path.string())) {
    std::fprintf(stderr, "scenegen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scenegen <gfx folder>\n");
    return 2;
  }
  scenegen::Pictures pictures;
  scenegen::AddBosque(pictures);
  scenegen::AddCiudad(pictures);
  scenegen::AddMetro(pictures);
  scenegen::AddPlayfieldProps(pictures);
  scenegen::AddSigns(pictures);
  scenegen::AddSplash(pictures);
  scenegen::AddWinner(pictures);
  scenegen::AddDraw(pictures);
  for (const scenegen::Picture& picture : pictures) {
    if (!Render(picture, argv[1])) return 1;
  }
  return 0;
}
