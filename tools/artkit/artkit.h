#pragma once
// artkit: the small drawing kit shared by the art generators (characters, scenery, menus).
//
// Everything the build paints goes through a Canvas: a cairo ARGB32 surface of a fixed size.
// Draw on it with plain cairo calls through Cairo(), with the helpers below (SVG, outlined text),
// then either save it as a PNG or take its pixels as straight-alpha ARGB for a VGP graph.
// All output is deterministic: the same drawing calls give the same bytes.
//
//   artkit::Canvas canvas(128, 64);
//   artkit::SetColor(canvas.Cairo(), 0xFFCC3322);
//   cairo_paint(canvas.Cairo());
//   artkit::DrawOutlinedText(canvas.Cairo(), "Jugar", 10, 40, 28, 0xFFFFFFFF, 0xFF000000, 4);
//   canvas.SavePNG("out/Jugar.png");
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace artkit {

class Canvas {
 public:
  // A transparent width x height surface (at least 1 x 1).
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_t* Cairo() const { return cairo_; }
  cairo_surface_t* Surface() const { return surface_; }

  // Writes an 8-bit RGBA PNG, creating missing parent folders; false when it cannot be written.
  bool SavePNG(const std::string& path) const;

  // The pixels as straight (not premultiplied) ARGB, alpha in the top byte, rows top to bottom:
  // the layout of media::Image and of VGP graphs. Fully transparent pixels are 0.
  std::vector<uint32_t> StraightArgb() const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cairo_;
};

// Sets the cairo source to a 0xAARRGGBB colour.
void SetColor(cairo_t* cairo, uint32_t argb);

// Renders an SVG document into the rectangle (x, y, width, height) of the cairo context, keeping
// its aspect ratio. False (and nothing drawn) when the document cannot be read or parsed.
bool DrawSvgFile(cairo_t* cairo, const std::string& path, double x, double y, double width,
                 double height);
bool DrawSvgString(cairo_t* cairo, const std::string& svg, double x, double y, double width,
                   double height);

// Text in DejaVu Sans Bold with its baseline starting at (x, y): the outline (outlineWidth px
// around the glyphs) is stroked first, then the fill drawn on top so it reads over any background.
void DrawOutlinedText(cairo_t* cairo, const std::string& text, double x, double y, double size,
                      uint32_t fill, uint32_t outline, double outlineWidth);

// Advance width of the text in DejaVu Sans Bold at that size (for centring).
double TextWidth(cairo_t* cairo, const std::string& text, double size);

// Adds a rounded rectangle to the current path (radius clamped to half the shorter side).
void RoundedRectPath(cairo_t* cairo, double x, double y, double width, double height,
                     double radius);

// The house look for plates, buttons and panels: a rounded rectangle in `fill`, its lower part
// (from `shadeFrom`, 0-1 of the height) one shade step darker, and a dark outline of
// `outlineWidth` px kept inside the rectangle.
void DrawPlate(cairo_t* cairo, double x, double y, double width, double height, double radius,
               uint32_t fill, uint32_t outline, double outlineWidth, double shadeFrom = 0.6);

// `argb` with its colour channels scaled by `factor` (alpha kept): the one shade step.
uint32_t Shade(uint32_t argb, double factor);

}  // namespace artkit

namespace artkit {

// Adds an axis-aligned ellipse centred on (cx, cy) to the current path, as its own sub-path.
void EllipsePath(cairo_t* cairo, double cx, double cy, double rx, double ry);

// Text in DejaVu Sans Bold centred on cx, baseline at y, outlined as DrawOutlinedText.
void DrawCentredText(cairo_t* cairo, const std::string& text, double cx, double y, double size,
                     uint32_t fill, uint32_t outline, double outlineWidth);

// A seeded generator (splitmix64) for scattering details: a fixed seed gives the same picture on
// every machine and every run, unlike the standard distributions whose output may differ.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform(double low, double high);  // [low, high)
  int Int(int low, int high);               // [low, high]
  bool Chance(double probability) { return Uniform(0, 1) < probability; }

 private:
  uint64_t state_;
};

}  // namespace artkit
