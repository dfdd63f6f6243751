#include "paint.h"

#include <algorithm>
#include <cmath>

namespace scenegen {

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Uniform(double low, double high) {
  return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

int Rng::Int(int low, int high) {
  return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
}

Color Rgb(int hex, double alpha) {
  return {((hex >> 16) & 255) / 255.0, ((hex >> 8) & 255) / 255.0, (hex & 255) / 255.0, alpha};
}

Color Mix(Color from, Color to, double amount) {
  auto lerp = [amount](double a, double b) { return a + (b - a) * amount; };
  return {lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), from.a};
}

Color Darker(Color c, double amount) {
  return Mix(c, {0, 0, 0, c.a}, amount);
}
Color Lighter(Color c, double amount) {
  return Mix(c, {1, 1, 1, c.a}, amount);
}

void SetColor(cairo_t* cr, Color c) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void Depth::FillOutlined(cairo_t* cr, Color fill) const {
  SetColor(cr, Tint(fill));
  cairo_fill_preserve(cr);
  SetColor(cr, Ink());
  cairo_set_line_width(cr, outline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void Depth::Stroke(cairo_t* cr, Color line, double width) const {
  SetColor(cr, Tint(line));
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void Wrapped(cairo_t* cr, const std::function<void()>& shape) {
  for (int shift : {-kPanelWidth, 0, kPanelWidth}) {
    cairo_save(cr);
    cairo_translate(cr, shift, 0);
    shape();
    cairo_restore(cr);
  }
}

Ridge::Ridge(Rng& rng, double base, int waves, double amplitude, int firstPeriods) : base_(base) {
  for (int i = 0; i < waves; ++i) {
    int periods = firstPeriods * (1 + i * 2) + rng.Int(0, 1);
    waves_.push_back({periods, rng.Uniform(0, 2 * M_PI), amplitude / (1 + i)});
  }
}

double Ridge::Y(double x) const {
  double y = base_;
  for (const Wave& w : waves_)
    y += w.height * std::sin(2 * M_PI * w.periods * x / kPanelWidth + w.phase);
  return y;
}

void Ridge::Line(cairo_t* cr) const {
  constexpr int kStep = 2;
  cairo_move_to(cr, -kStep, Y(-kStep));
  for (int x = 0; x <= kPanelWidth + kStep; x += kStep) cairo_line_to(cr, x, Y(x));
}

void Ridge::Path(cairo_t* cr, double bottom) const {
  Line(cr);
  cairo_line_to(cr, kPanelWidth + 20, bottom + 20);
  cairo_line_to(cr, -20, bottom + 20);
  cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  radius = std::min({radius, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void OutlinedText(cairo_t* cr, const std::string& text, double cx, double baseline, double size,
                  Color fill, Color outline, double outlineWidth) {
  cairo_save(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2, baseline);
  cairo_text_path(cr, text.c_str());
  SetColor(cr, outline);
  cairo_set_line_width(cr, outlineWidth * 2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace scenegen
