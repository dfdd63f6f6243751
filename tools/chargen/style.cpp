#include "style.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "artkit.h"

namespace chargen {

uint32_t Shade(uint32_t base) {
  const uint32_t dark = artkit::Shade(base, 0.72);
  const uint32_t blue = std::min<uint32_t>(255, (dark & 0xFF) + 12);
  return (dark & 0xFFFFFF00u) | blue;
}

static void Stroke(cairo_t* cr, const PathFn& path) {
  cairo_new_path(cr);
  path(cr);
  artkit::SetColor(cr, kInk);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void PaintShaded(cairo_t* cr, const PathFn& path, uint32_t base, double shiftX, double shiftY) {
  cairo_save(cr);
  cairo_new_path(cr);
  path(cr);
  artkit::SetColor(cr, Shade(base));
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  cairo_translate(cr, shiftX, shiftY);
  cairo_new_path(cr);
  path(cr);
  artkit::SetColor(cr, base);
  cairo_fill(cr);
  cairo_restore(cr);
  Stroke(cr, path);
}

void PaintFlat(cairo_t* cr, const PathFn& path, uint32_t base) {
  cairo_new_path(cr);
  path(cr);
  artkit::SetColor(cr, base);
  cairo_fill(cr);
  Stroke(cr, path);
}

void PaintInside(cairo_t* cr, const PathFn& clip, const PathFn& fill, uint32_t colour) {
  cairo_save(cr);
  cairo_new_path(cr);
  clip(cr);
  cairo_clip(cr);
  cairo_new_path(cr);
  fill(cr);
  artkit::SetColor(cr, colour);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CapsulePath(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1) {
  const double angle = std::atan2(y1 - y0, x1 - x0);
  const double half = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1, y1, r1, angle - half, angle + half);
  cairo_arc(cr, x0, y0, r0, angle + half, angle + 3 * half);
  cairo_close_path(cr);
}

void InkLine(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  artkit::SetColor(cr, kInk);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

}  // namespace chargen
