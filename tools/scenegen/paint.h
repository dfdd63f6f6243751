#pragma once
// Small drawing vocabulary shared by every scenery source: seeded randomness, colours that fade
// into the distance, outlined shapes and text, and shapes that wrap across a panel's edges.
#include <cairo.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "artkit.h"

namespace scenegen {

constexpr int kPanelWidth = 800;
constexpr int kScreenHeight = 600;
constexpr double kGroundY = 475;

using artkit::Rng;

struct Color {
  double r = 0, g = 0, b = 0, a = 1;
};

Color Rgb(int hex, double alpha = 1);
Color Mix(Color from, Color to, double amount);
Color Darker(Color c, double amount = 0.3);
Color Lighter(Color c, double amount = 0.3);
void SetColor(cairo_t* cr, Color c);
uint32_t Argb(Color c);  // 0xAARRGGBB, as artkit takes colours

// How a layer's depth changes its look: far layers drift towards the haze colour and get thinner,
// paler outlines; the nearest layers keep full colour and bold dark outlines.
struct Depth {
  Color haze;
  double amount = 0;     // 0 = crisp, 1 = all haze
  double outline = 2.5;  // line width in pixels
  Color ink = Rgb(0x1c1420);

  Color Tint(Color c) const { return Mix(c, haze, amount); }
  Color Ink() const { return Mix(ink, haze, amount * 0.8); }
  // Fills the current path with the tinted colour and strokes it with the outline.
  void FillOutlined(cairo_t* cr, Color fill) const;
  // Strokes the current path with the tinted colour (for lines that carry no fill).
  void Stroke(cairo_t* cr, Color line, double width) const;
};

// Draws `shape` three times, shifted one panel left, not at all and one panel right, so that a
// shape crossing an edge reappears on the other side: the panel then tiles with itself.
void Wrapped(cairo_t* cr, const std::function<void()>& shape);

// A periodic skyline: y(x) = base + a sum of sines with whole periods per panel, so its left and
// right ends meet and every panel drawn on it joins every other.
class Ridge {
 public:
  Ridge(Rng& rng, double base, int waves, double amplitude, int firstPeriods = 1);
  double Y(double x) const;
  // The closed area under the skyline down to `bottom`.
  void Path(cairo_t* cr, double bottom) const;
  // The skyline alone, as an open line.
  void Line(cairo_t* cr) const;

 private:
  struct Wave {
    int periods;
    double phase, height;
  };
  double base_;
  std::vector<Wave> waves_;
};

// A closed sub-path through the points, in order.
struct Point {
  double x, y;
};
void PolygonPath(cairo_t* cr, std::initializer_list<Point> points);

// Bold DejaVu text centred on (cx, baseline) with a dark outline of `outline` pixels.
void OutlinedText(cairo_t* cr, const std::string& text, double cx, double baseline, double size,
                  Color fill, Color outline, double outlineWidth);

}  // namespace scenegen
