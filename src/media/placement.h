#pragma once
// Where an image frame lands on a pixel grid under the render transform, seen backwards: for each
// destination pixel centre, the frame coordinates it samples. Drawing and collision share it, so
// a sprite collides exactly where it is drawn.
#include <cstdint>

namespace media {

struct Placement {
  int width = 0;  // frame size in texels
  int height = 0;
  // Frame coordinates (u, v) of the centre of destination pixel (0, 0), and their change per
  // pixel step to the right (dx) and downwards (dy).
  double u0 = 0, v0 = 0;
  double duDx = 0, dvDx = 0, duDy = 0, dvDy = 0;
  // Destination pixels that may be touched: [left, right) x [top, bottom).
  int left = 0, top = 0, right = 0, bottom = 0;
  // Unrotated, unscaled and unmirrored: texel (col + offsetX, row + offsetY) lands on (col, row).
  bool identity = false;
  int offsetX = 0, offsetY = 0;

  bool Empty() const { return left >= right || top >= bottom; }
  // The columns [x0, x1) of the row whose pixel centres fall inside the frame; false if none.
  bool Span(int row, int& x0, int& x1) const;
  double U(int col, int row) const { return u0 + duDx * col + duDy * row; }
  double V(int col, int row) const { return v0 + dvDx * col + dvDy * row; }
};

// Placement of a w x h frame with handle (hx, hy) drawn at (x, y) with the rotation (degrees) and
// scale. Frame point (u, v) relative to the handle lands on (x + u*ix + v*iy, y + u*jx + v*jy)
// with ix = cos r * sx, iy = -sin r * sy, jx = sin r * sx, jy = cos r * sy. A zero scale places
// nothing.
Placement Place(int w, int h, float hx, float hy, float x, float y, float degrees, float sx,
                float sy);

}  // namespace media
