#include "paint.h"

#include <algorithm>
#include <cmath>

namespace scenegen {

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

uint32_t Argb(Color c) {
  auto byte = [](double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

void PolygonPath(cairo_t* cr, std::initializer_list<Point> points) {
  cairo_new_sub_path(cr);
  for (const Point& point : points) cairo_line_to(cr, point.x, point.y);
  cairo_close_path(cr);
}

void OutlinedText(cairo_t* cr, const std::string& text, double cx, double baseline, double size,
                  Color fill, Color outline, double outlineWidth) {
  artkit::DrawCentredText(cr, text, cx, baseline, size, Argb(fill), Argb(outline), outlineWidth);
}

}  // namespace scenegen
