#pragma once
// Shapes more than one scenery uses.
#include <cairo.h>

#include <array>
#include <utility>
#include <vector>

#include "paint.h"

namespace scenegen {

// Fills the whole panel with a vertical gradient through (y, colour) stops.
void SkyGradient(cairo_t* cr, const std::vector<std::pair<double, Color>>& stops);
// Small four-pointed twinkles above `maxY`, wrapped so the panel tiles with itself.
void Stars(cairo_t* cr, Rng& rng, int count, double maxY, Color color);
void Moon(cairo_t* cr, double cx, double cy, double radius, const Depth& depth);
void Bat(cairo_t* cr, double cx, double cy, double size, const Depth& depth);
// Overlapping circles filled as one shape with one outline around the whole.
void Blob(cairo_t* cr, const std::vector<std::array<double, 3>>& circles, Color color,
          const Depth& depth);
void Cloud(cairo_t* cr, double cx, double cy, double width, Color color, const Depth& depth);
// A gravestone standing on `baseY`, with an optional epitaph.
void Gravestone(cairo_t* cr, double cx, double baseY, double width, double height,
                const Depth& depth, const char* epitaph);
void GrassTuft(cairo_t* cr, double cx, double baseY, double height, Color color,
               const Depth& depth);
void Bone(cairo_t* cr, double cx, double cy, double length, double angle, const Depth& depth);
// A grinning cartoon skull centred on (cx, cy), `size` across.
void Skull(cairo_t* cr, double cx, double cy, double size, const Depth& depth);
// A thick stroke with an outline: the outline is stroked wider underneath the colour.
void OutlinedStroke(cairo_t* cr, Color color, double width, const Depth& depth);

}  // namespace scenegen
