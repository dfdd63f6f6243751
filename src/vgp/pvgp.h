#pragma once
// A package of bare pixel buffers instead of images, for code that only reads pixels.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/image.h"

// A standalone pixel buffer: width x height ARGB values, rows top to bottom.
struct Pixmap {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  media::PixelBuffer Buffer() { return {pixels.data(), width, height}; }
};
using PixmapPtr = std::shared_ptr<Pixmap>;

class PVGP;
using PVGPPtr = std::shared_ptr<PVGP>;

class PVGP {
 public:
  static PVGPPtr Create() { return std::make_shared<PVGP>(); }
  // Points are read past and not kept; slots the file does not fill hold null.
  static PVGPPtr LoadFPG(const std::string& path);
  static PVGPPtr LoadVGP(const std::string& path);
  void Clear();  // drops every pixel buffer; count is kept

  int32_t count = 0;
  std::vector<PixmapPtr> pixmaps;

 private:
  void Load(const std::string& path, bool fpg);
};
