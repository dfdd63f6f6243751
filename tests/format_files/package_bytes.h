#pragma once
// VGP and FPG files for tests: a header, then records whose pixels follow a simple pattern.
#include <cstdint>
#include <utility>
#include <vector>

#include "format_files/file_bytes.h"

using PointList = std::vector<std::pair<int, int>>;

// The pattern every test record is filled with: distinct, opaque, easy to recompute.
inline uint32_t PatternPixel(int number, int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(number) << 16 | static_cast<uint32_t>(x) << 8 |
         static_cast<uint32_t>(y);
}

inline FileBytes VgpHeader() {
  return FileBytes().Text("VGP").Byte(1);
}

inline FileBytes& AddVgpRecordHead(FileBytes& file, int number, int width, int height,
                                   const PointList& points) {
  file.Int(number)
      .Int(width * height * 4)
      .Int(width)
      .Int(height)
      .Int(static_cast<int>(points.size()));
  for (const auto& [x, y] : points) file.Short(x).Short(y);
  return file;
}

inline FileBytes& AddVgpRecord(FileBytes& file, int number, int width, int height,
                               const PointList& points = {}) {
  AddVgpRecordHead(file, number, width, height, points);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = PatternPixel(number, x, y);
      file.Byte(pixel >> 24).Byte(pixel >> 16).Byte(pixel >> 8).Byte(pixel);
    }
  }
  return file;
}

inline FileBytes FpgHeader() {
  return FileBytes().Text("f16").Byte(0x1A).Byte(0x0D).Byte(0x0A).Byte(0x00).Byte(1);
}

// An FPG record of 5-6-5 pixels, all of them `pixel`, named `name` (up to 12 bytes).
inline FileBytes& AddFpgRecord(FileBytes& file, int code, int width, int height,
                               const PointList& points = {}, uint16_t pixel = 0xF800,
                               const std::string& name = "") {
  file.Int(code).Int(64 + static_cast<int>(points.size()) * 4 + width * height * 2);
  for (int i = 0; i < 32; ++i) file.Byte('d');
  for (int i = 0; i < 12; ++i) file.Byte(i < static_cast<int>(name.size()) ? name[i] : 0);
  file.Int(width).Int(height).Int(static_cast<int>(points.size()));
  for (const auto& [x, y] : points) file.Short(x).Short(y);
  for (int i = 0; i < width * height; ++i) file.Short(pixel);
  return file;
}
