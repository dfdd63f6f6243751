#include "artkit.h"

namespace artkit {

static void SelectFont(cairo_t* cairo, double size) {
  cairo_select_font_face(cairo, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cairo, size);
}

void DrawOutlinedText(cairo_t* cairo, const std::string& text, double x, double y, double size,
                      uint32_t fill, uint32_t outline, double outlineWidth) {
  cairo_save(cairo);
  SelectFont(cairo, size);
  cairo_new_path(cairo);
  cairo_move_to(cairo, x, y);
  cairo_text_path(cairo, text.c_str());
  // The stroke straddles the glyph edge, so twice the width leaves outlineWidth outside.
  cairo_set_line_width(cairo, outlineWidth * 2);
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
  SetColor(cairo, outline);
  cairo_stroke_preserve(cairo);
  SetColor(cairo, fill);
  cairo_fill(cairo);
  cairo_restore(cairo);
}

void DrawCentredText(cairo_t* cairo, const std::string& text, double cx, double y, double size,
                     uint32_t fill, uint32_t outline, double outlineWidth) {
  DrawOutlinedText(cairo, text, cx - TextWidth(cairo, text, size) / 2, y, size, fill, outline,
                   outlineWidth);
}

double TextWidth(cairo_t* cairo, const std::string& text, double size) {
  cairo_save(cairo);
  SelectFont(cairo, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cairo, text.c_str(), &extents);
  cairo_restore(cairo);
  return extents.x_advance;
}

}  // namespace artkit
