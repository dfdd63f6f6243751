#include "motifs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scenegen {

void SkyGradient(cairo_t* cr, const std::vector<std::pair<double, Color>>& stops) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kScreenHeight);
  for (const auto& [y, c] : stops)
    cairo_pattern_add_color_stop_rgb(gradient, y / kScreenHeight, c.r, c.g, c.b);
  cairo_set_source(cr, gradient);
  cairo_paint(cr);
  cairo_pattern_destroy(gradient);
}

void Stars(cairo_t* cr, Rng& rng, int count, double maxY, Color color) {
  for (int i = 0; i < count; ++i) {
    double x = rng.Uniform(0, kPanelWidth), y = rng.Uniform(8, maxY), r = rng.Uniform(1.5, 4);
    double alpha = rng.Uniform(0.5, 1);
    Wrapped(cr, [&] {
      cairo_move_to(cr, x - r, y);
      cairo_curve_to(cr, x, y, x, y, x, y - r);
      cairo_curve_to(cr, x, y, x, y, x + r, y);
      cairo_curve_to(cr, x, y, x, y, x, y + r);
      cairo_curve_to(cr, x, y, x, y, x - r, y);
      cairo_close_path(cr);
      SetColor(cr, {color.r, color.g, color.b, alpha});
      cairo_fill(cr);
    });
  }
}

void Moon(cairo_t* cr, double cx, double cy, double radius, const Depth& depth) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, radius, cx, cy, radius * 2.2);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.97, 0.8, 0.35);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.97, 0.8, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, cy, radius * 2.2, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  depth.FillOutlined(cr, Rgb(0xf7efc4));
  Color crater = Rgb(0xd9cf9c);
  artkit::EllipsePath(cr, cx - radius * 0.35, cy - radius * 0.2, radius * 0.18, radius * 0.15);
  artkit::EllipsePath(cr, cx + radius * 0.3, cy + radius * 0.35, radius * 0.24, radius * 0.18);
  artkit::EllipsePath(cr, cx + radius * 0.25, cy - radius * 0.45, radius * 0.1, radius * 0.09);
  SetColor(cr, depth.Tint(crater));
  cairo_fill(cr);
}

void Bat(cairo_t* cr, double cx, double cy, double size, const Depth& depth) {
  double s = size / 2;
  cairo_move_to(cr, cx, cy - s * 0.15);
  cairo_curve_to(cr, cx - s * 0.3, cy - s * 0.5, cx - s * 0.8, cy - s * 0.5, cx - s, cy - s * 0.2);
  cairo_curve_to(cr, cx - s * 0.8, cy, cx - s * 0.7, cy + s * 0.1, cx - s * 0.55, cy + s * 0.25);
  cairo_curve_to(cr, cx - s * 0.45, cy + s * 0.05, cx - s * 0.3, cy + s * 0.1, cx - s * 0.2,
                 cy + s * 0.25);
  cairo_line_to(cr, cx, cy + s * 0.15);
  cairo_line_to(cr, cx + s * 0.2, cy + s * 0.25);
  cairo_curve_to(cr, cx + s * 0.3, cy + s * 0.1, cx + s * 0.45, cy + s * 0.05, cx + s * 0.55,
                 cy + s * 0.25);
  cairo_curve_to(cr, cx + s * 0.7, cy + s * 0.1, cx + s * 0.8, cy, cx + s, cy - s * 0.2);
  cairo_curve_to(cr, cx + s * 0.8, cy - s * 0.5, cx + s * 0.3, cy - s * 0.5, cx, cy - s * 0.15);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x2a2238));
}

void Blob(cairo_t* cr, const std::vector<std::array<double, 3>>& circles, Color color,
          const Depth& depth) {
  for (const auto& [x, y, r] : circles) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  }
  SetColor(cr, depth.Ink());
  cairo_set_line_width(cr, depth.outline * 2);
  cairo_stroke_preserve(cr);
  SetColor(cr, depth.Tint(color));
  cairo_fill(cr);
}

void Cloud(cairo_t* cr, double cx, double cy, double width, Color color, const Depth& depth) {
  double r = width / 5;
  Blob(cr,
       {{cx - r * 1.5, cy, r},
        {cx - r * 0.5, cy - r * 0.5, r * 1.1},
        {cx + r * 0.7, cy - r * 0.4, r * 1.2},
        {cx + r * 1.6, cy + r * 0.1, r * 0.9},
        {cx, cy + r * 0.3, r}},
       color, depth);
}

void Gravestone(cairo_t* cr, double cx, double baseY, double width, double height,
                const Depth& depth, const char* epitaph) {
  double left = cx - width / 2, top = baseY - height;
  cairo_move_to(cr, left, baseY);
  cairo_line_to(cr, left, top + width / 2);
  cairo_arc(cr, cx, top + width / 2, width / 2, M_PI, 2 * M_PI);
  cairo_line_to(cr, left + width, baseY);
  cairo_close_path(cr);
  Color stone = Rgb(0x9a9cb0);
  depth.FillOutlined(cr, stone);
  cairo_move_to(cr, left + width * 0.78, top + width * 0.35);
  cairo_line_to(cr, left + width * 0.78, baseY - 4);
  depth.Stroke(cr, Darker(stone, 0.25), 4);
  cairo_move_to(cr, cx - width * 0.12, top + height * 0.55);
  cairo_line_to(cr, cx + width * 0.05, top + height * 0.62);
  cairo_line_to(cr, cx - width * 0.05, top + height * 0.72);
  depth.Stroke(cr, Darker(stone, 0.45), 1.5);
  if (epitaph) {
    double size = std::max(18.0, width * 0.3);
    OutlinedText(cr, epitaph, cx, top + width * 0.55 + size / 2, size,
                 depth.Tint(Darker(stone, 0.5)), depth.Tint(Lighter(stone, 0.3)), 1);
  }
}

void GrassTuft(cairo_t* cr, double cx, double baseY, double height, Color color,
               const Depth& depth) {
  double w = height * 0.5;
  cairo_move_to(cr, cx - w, baseY);
  cairo_curve_to(cr, cx - w * 0.6, baseY - height * 0.4, cx - w * 1.1, baseY - height * 0.8,
                 cx - w * 1.2, baseY - height * 0.9);
  cairo_curve_to(cr, cx - w * 0.5, baseY - height * 0.6, cx - w * 0.3, baseY - height * 0.4,
                 cx - w * 0.2, baseY - height * 0.3);
  cairo_curve_to(cr, cx - w * 0.2, baseY - height * 0.7, cx - w * 0.1, baseY - height * 0.9, cx,
                 baseY - height);
  cairo_curve_to(cr, cx + w * 0.15, baseY - height * 0.7, cx + w * 0.2, baseY - height * 0.5,
                 cx + w * 0.25, baseY - height * 0.35);
  cairo_curve_to(cr, cx + w * 0.5, baseY - height * 0.55, cx + w * 0.9, baseY - height * 0.7,
                 cx + w * 1.2, baseY - height * 0.75);
  cairo_curve_to(cr, cx + w * 0.9, baseY - height * 0.5, cx + w * 0.7, baseY - height * 0.2, cx + w,
                 baseY);
  cairo_close_path(cr);
  depth.FillOutlined(cr, color);
}

void OutlinedStroke(cairo_t* cr, Color color, double width, const Depth& depth) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, depth.Ink());
  cairo_set_line_width(cr, width + 2 * depth.outline);
  cairo_stroke_preserve(cr);
  SetColor(cr, depth.Tint(color));
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Bone(cairo_t* cr, double cx, double cy, double length, double angle, const Depth& depth) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  double half = length / 2, knob = length * 0.13;
  cairo_rectangle(cr, -half, -knob * 0.6, length, knob * 1.2);
  for (double end : {-half, half}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, end, -knob * 0.8, knob, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, end, knob * 0.8, knob, 0, 2 * M_PI);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  Color ivory = Rgb(0xf1e8cf);
  SetColor(cr, depth.Ink());
  cairo_set_line_width(cr, depth.outline * 2);
  cairo_stroke_preserve(cr);
  SetColor(cr, depth.Tint(ivory));
  cairo_fill(cr);
  cairo_restore(cr);
}

void Skull(cairo_t* cr, double cx, double cy, double size, const Depth& depth) {
  double r = size / 2;
  Color ivory = Rgb(0xf1e8cf);
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy - r * 0.15, r * 0.85, M_PI * 0.8, M_PI * 2.2);
  cairo_line_to(cr, cx + r * 0.5, cy + r * 0.75);
  cairo_line_to(cr, cx - r * 0.5, cy + r * 0.75);
  cairo_close_path(cr);
  depth.FillOutlined(cr, ivory);
  for (double side : {-1.0, 1.0}) {
    artkit::EllipsePath(cr, cx + side * r * 0.35, cy - r * 0.1, r * 0.24, r * 0.28);
    SetColor(cr, depth.Ink());
    cairo_fill(cr);
  }
  cairo_move_to(cr, cx, cy + r * 0.12);
  cairo_line_to(cr, cx - r * 0.1, cy + r * 0.3);
  cairo_line_to(cr, cx + r * 0.1, cy + r * 0.3);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, std::max(1.0, depth.outline * 0.6));
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, cx + i * r * 0.15, cy + r * 0.5);
    cairo_line_to(cr, cx + i * r * 0.15, cy + r * 0.75);
  }
  cairo_stroke(cr);
}

}  // namespace scenegen
