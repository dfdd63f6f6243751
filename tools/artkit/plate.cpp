#include <algorithm>
#include <cmath>

#include "artkit.h"

namespace artkit {

namespace {
constexpr double kShadeStep = 0.78;  // how much darker the lower part of a plate is
}

void RoundedRectPath(cairo_t* cairo, double x, double y, double width, double height,
                     double radius) {
  radius = std::clamp(radius, 0.0, std::min(width, height) / 2);
  cairo_new_sub_path(cairo);
  cairo_arc(cairo, x + width - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cairo, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
  cairo_arc(cairo, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cairo, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cairo);
}

uint32_t Shade(uint32_t argb, double factor) {
  auto channel = [&](int shift) {
    const double c = ((argb >> shift) & 0xFF) * factor;
    return static_cast<uint32_t>(std::clamp(std::lround(c), 0L, 255L)) << shift;
  };
  return (argb & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

void DrawPlate(cairo_t* cairo, double x, double y, double width, double height, double radius,
               uint32_t fill, uint32_t outline, double outlineWidth, double shadeFrom) {
  const double half = outlineWidth / 2;
  auto outlinePath = [&] {
    cairo_new_path(cairo);
    RoundedRectPath(cairo, x + half, y + half, width - outlineWidth, height - outlineWidth,
                    radius - half);
  };
  cairo_save(cairo);
  outlinePath();
  cairo_clip(cairo);
  SetColor(cairo, fill);
  cairo_paint(cairo);
  cairo_rectangle(cairo, x, y + height * shadeFrom, width, height);
  cairo_clip(cairo);
  SetColor(cairo, Shade(fill, kShadeStep));
  cairo_paint(cairo);
  cairo_restore(cairo);
  cairo_save(cairo);
  outlinePath();
  cairo_set_line_width(cairo, outlineWidth);
  // Mitred corners keep a square plate (radius 0) opaque to its very corner pixels.
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
  SetColor(cairo, outline);
  cairo_stroke(cairo);
  cairo_restore(cairo);
}

}  // namespace artkit
