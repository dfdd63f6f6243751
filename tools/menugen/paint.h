#pragma once
// Paints a sheet picture with the house look and writes it as a PNG.
#include <string>

#include "sheet.h"

namespace menugen {

constexpr uint32_t kInk = 0xFF1B1424;  // the dark of every outline

// `artFolder` holds the SVG files the art layers name. False with `error` set on a fault.
bool PaintPicture(const Picture& picture, const std::string& artFolder,
                  const std::string& outputFolder, std::string& error);

}  // namespace menugen
