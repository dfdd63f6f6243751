#pragma once
// The house style of the puppets: flat colour, one shade step on the side away from the light,
// and a bold dark outline.
#include <cairo.h>

#include <cstdint>
#include <functional>

namespace chargen {

using PathFn = std::function<void(cairo_t*)>;

constexpr uint32_t kInk = 0xFF1E1621;  // outline colour
constexpr double kOutlineWidth = 2.5;  // px
constexpr double kDetailWidth = 1.6;   // px, for lines inside a shape (mouths, seams)

// The shade colour of a base colour: one step darker and slightly cooler.
uint32_t Shade(uint32_t base);

// Fills the path flat with base, then a crescent of shade where the path shifted by
// (shiftX, shiftY) does not cover it, then strokes the outline.
void PaintShaded(cairo_t* cr, const PathFn& path, uint32_t base, double shiftX, double shiftY);

// Flat fill plus outline.
void PaintFlat(cairo_t* cr, const PathFn& path, uint32_t base);

// Paints `fill` inside `clip` (a pattern on a shirt, a hole in a sleeve).
void PaintInside(cairo_t* cr, const PathFn& clip, const PathFn& fill, uint32_t colour);

// A rounded limb from (x0, y0) with radius r0 to (x1, y1) with radius r1.
void CapsulePath(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1);

// A line in the outline colour.
void InkLine(cairo_t* cr, double x0, double y0, double x1, double y1, double width);

}  // namespace chargen
