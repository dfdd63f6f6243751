#include "paint.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "artkit.h"

namespace menugen {
namespace {

constexpr double kOutlineWidth = 3;
constexpr double kHouseRadiusShare = 0.28;  // plate corner radius as a share of its height
constexpr double kMaxHouseRadius = 18;
constexpr double kTextOutlineShare = 0.12;  // text outline as a share of its size
constexpr double kMinTextOutline = 2.5;
constexpr double kShadeShare = 0.4;     // lower share of a plate drawn one shade darker
constexpr double kMaxShadeHeight = 24;  // ... but never a band taller than this on big panels

double Radius(const Layer& layer) {
  if (layer.radius >= 0) return layer.radius;
  return std::min(kMaxHouseRadius, layer.height * kHouseRadiusShare);
}

bool ReadArt(const std::string& path, const Layer& layer, std::string& svg) {
  std::ifstream in(path);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  svg = text.str();
  for (const auto& [key, value] : layer.substitutions) {
    const std::string mark = "${" + key + "}";
    for (size_t at; (at = svg.find(mark)) != std::string::npos;)
      svg.replace(at, mark.size(), value);
  }
  return true;
}

void PaintText(cairo_t* cairo, const Layer& layer, int canvasWidth) {
  double x = layer.x;
  if (layer.centred) {
    double centre = layer.x < 0 ? canvasWidth / 2.0 : layer.x;
    x = centre - artkit::TextWidth(cairo, layer.content, layer.size) / 2;
  }
  double outline = std::max(kMinTextOutline, layer.size * kTextOutlineShare);
  artkit::DrawOutlinedText(cairo, layer.content, x, layer.y, layer.size, layer.colour, kInk,
                           outline);
}

void PaintFrame(cairo_t* cairo, const Layer& layer) {
  cairo_save(cairo);
  cairo_new_path(cairo);
  const double half = kOutlineWidth / 2;
  artkit::RoundedRectPath(cairo, layer.x + half, layer.y + half, layer.width - kOutlineWidth,
                          layer.height - kOutlineWidth, Radius(layer) - half);
  cairo_set_line_width(cairo, kOutlineWidth);
  artkit::SetColor(cairo, kInk);
  cairo_stroke(cairo);
  cairo_restore(cairo);
}

}  // namespace

bool PaintPicture(const Picture& picture, const std::string& artFolder,
                  const std::string& outputFolder, std::string& error) {
  artkit::Canvas canvas(static_cast<int>(picture.width * picture.scale),
                        static_cast<int>(picture.height * picture.scale));
  cairo_t* cairo = canvas.Cairo();
  cairo_scale(cairo, picture.scale, picture.scale);
  for (const Layer& layer : picture.layers) {
    switch (layer.kind) {
      case LayerKind::kPlate:
        artkit::DrawPlate(cairo, layer.x, layer.y, layer.width, layer.height, Radius(layer),
                          layer.colour, kInk, kOutlineWidth,
                          1 - std::min(kShadeShare, kMaxShadeHeight / layer.height));
        break;
      case LayerKind::kFrame:
        PaintFrame(cairo, layer);
        break;
      case LayerKind::kText:
        PaintText(cairo, layer, picture.width);
        break;
      case LayerKind::kArt: {
        std::string path = artFolder + "/" + layer.content, svg;
        if (!ReadArt(path, layer, svg) ||
            !artkit::DrawSvgString(cairo, svg, layer.x, layer.y, layer.width, layer.height)) {
          error = picture.name + ": cannot draw " + path;
          return false;
        }
        break;
      }
    }
  }
  if (!canvas.SavePNG(outputFolder + "/" + picture.name)) {
    error = "cannot write " + outputFolder + "/" + picture.name;
    return false;
  }
  return true;
}

}  // namespace menugen
