// Writes every scenery and play-field picture into the folder given on the command line.
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"

namespace {

bool Render(const scenegen::Picture& picture, const std::filesystem::path& folder) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
  cairo_t* cr = cairo_create(surface);
  picture.draw(cr);
  cairo_destroy(cr);
  std::filesystem::path path = folder / picture.file;
  std::filesystem::create_directories(path.parent_path());
  cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "scenegen: cannot write %s: %s\n", path.c_str(),
                 cairo_status_to_string(status));
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
  scenegen::AddSplash(pictures);
  scenegen::AddWinner(pictures);
  for (const scenegen::Picture& picture : pictures) {
    if (!Render(picture, argv[1])) return 1;
  }
  return 0;
}
