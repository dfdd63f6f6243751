// menugen SHEET OUTPUT_FOLDER: paints every picture the menu sheet lists; the SVG art it names
// is read from the sheet's own folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "paint.h"
#include "sheet.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: menugen SHEET OUTPUT_FOLDER\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "menugen: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  auto pictures = menugen::ParseSheet(text.str(), error);
  if (!pictures) {
    std::fprintf(stderr, "menugen: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::filesystem::path sheetFolder = std::filesystem::path(argv[1]).parent_path();
  std::string artFolder = sheetFolder.empty() ? std::string(".") : sheetFolder.string();
  std::filesystem::create_directories(argv[2]);
  for (const menugen::Picture& picture : *pictures) {
    if (!menugen::PaintPicture(picture, artFolder, argv[2], error)) {
      std::fprintf(stderr, "menugen: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
