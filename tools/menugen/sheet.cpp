#include "sheet.h"

#include <cstdlib>
#include <sstream>

namespace menugen {
namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '|');) fields.push_back(Trim(field));
  return fields;
}

bool Number(const std::string& text, double& out) {
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

bool Colour(const std::string& text, uint32_t& out) {
  if (text.size() != 6 && text.size() != 8) return false;
  char* end = nullptr;
  unsigned long value = std::strtoul(text.c_str(), &end, 16);
  if (*end != '\0') return false;
  out = static_cast<uint32_t>(text.size() == 6 ? (0xFF000000ul | value) : value);
  return true;
}

bool Box(const std::vector<std::string>& fields, size_t from, Layer& layer) {
  return fields.size() >= from + 4 && Number(fields[from], layer.x) &&
         Number(fields[from + 1], layer.y) && Number(fields[from + 2], layer.width) &&
         Number(fields[from + 3], layer.height);
}

// Reads the fields of one layer line after its kind word; false when they do not fit.
bool ReadLayer(const std::vector<std::string>& f, Layer& layer) {
  const std::string& kind = f[0];
  if (kind == "plate") {
    layer.kind = LayerKind::kPlate;
    return (f.size() == 6 || f.size() == 7) && Box(f, 1, layer) && Colour(f[5], layer.colour) &&
           (f.size() == 6 || Number(f[6], layer.radius));
  }
  if (kind == "frame") {
    layer.kind = LayerKind::kFrame;
    return (f.size() == 5 || f.size() == 6) && Box(f, 1, layer) &&
           (f.size() == 5 || Number(f[5], layer.radius));
  }
  if (kind == "art") {
    layer.kind = LayerKind::kArt;
    layer.content = f.size() > 1 ? f[1] : "";
    if (f.size() < 6 || !Box(f, 2, layer) || layer.content.empty()) return false;
    for (size_t i = 6; i < f.size(); ++i) {
      size_t equals = f[i].find('=');
      if (equals == std::string::npos) return false;
      layer.substitutions.emplace_back(f[i].substr(0, equals), f[i].substr(equals + 1));
    }
    return true;
  }
  if (kind == "text") {
    layer.kind = LayerKind::kText;
    if (f.size() != 6) return false;
    std::string x = f[1];
    layer.centred = !x.empty() && x[0] == 'c';
    if (layer.centred) x = x.size() == 1 ? "-1" : x.substr(1);
    layer.content = f[5];
    return Number(x, layer.x) && Number(f[2], layer.y) && Number(f[3], layer.size) &&
           Colour(f[4], layer.colour) && !layer.content.empty();
  }
  return false;
}

}  // namespace

std::optional<std::vector<Picture>> ParseSheet(const std::string& text, std::string& error) {
  std::vector<Picture> pictures;
  std::istringstream in(text);
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::vector<std::string> f = Fields(trimmed);
    auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return std::nullopt;
    };
    if (f[0] == "image") {
      double width = 0, height = 0, scale = 1;
      if ((f.size() != 4 && f.size() != 5) || f[1].empty() || !Number(f[2], width) ||
          !Number(f[3], height) || width < 1 || height < 1 ||
          (f.size() == 5 && (!Number(f[4], scale) || scale < 1)))
        return fail("image takes a name, a width, a height and maybe a scale");
      pictures.push_back({f[1], static_cast<int>(width), static_cast<int>(height), scale, {}});
      continue;
    }
    if (pictures.empty()) return fail("'" + f[0] + "' before any image");
    Layer layer;
    if (!ReadLayer(f, layer)) return fail("cannot read this " + f[0] + " line");
    pictures.back().layers.push_back(layer);
  }
  return pictures;
}

}  // namespace menugen
