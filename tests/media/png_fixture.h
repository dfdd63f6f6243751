#pragma once
// Writes test PNGs of any colour type and depth with libpng, into a temporary folder per test.
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace media_test {

struct PngSample {
  PngSample(int w, int h, int type, int depth, std::vector<uint8_t> bytes)
      : width(w), height(h), colorType(type), bitDepth(depth), rows(std::move(bytes)) {}

  int width = 1;
  int height = 1;
  int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  std::vector<uint8_t> rows;  // packed rows as stored in the file, top to bottom
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;  // tRNS entries for paletted files
};

bool WriteTestPng(const std::string& path, const PngSample& sample);

// A fresh folder under the system temp dir, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

}  // namespace media_test
