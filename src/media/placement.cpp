#include "media/placement.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "media/trig.h"

namespace media {
namespace {

constexpr double kMinDeterminant = 1e-12;
constexpr double kMinSlope = 1e-12;
// Bounding boxes reach no further than this, so the integer conversions below stay in range
// even for absurd positions or scales.
constexpr double kFarAway = 1 << 24;

// Narrows the column interval [lo, hi) to where 0 <= a + d * col < limit holds.
void ClipColumns(double a, double d, double limit, double& lo, double& hi) {
  if (std::abs(d) < kMinSlope) {
    if (a < 0 || a >= limit) hi = lo;
    return;
  }
  double first = -a / d, last = (limit - a) / d;
  if (d < 0) std::swap(first, last);
  lo = std::max(lo, first);
  hi = std::min(hi, last);
}

int Floor(double value) {
  return static_cast<int>(std::floor(std::clamp(value, -kFarAway, kFarAway)));
}
int Ceil(double value) {
  return static_cast<int>(std::ceil(std::clamp(value, -kFarAway, kFarAway)));
}

}  // namespace

bool Placement::Span(int row, int& x0, int& x1) const {
  double lo = left, hi = right;
  const double rowU = u0 + duDy * row, rowV = v0 + dvDy * row;
  ClipColumns(rowU, duDx, width, lo, hi);
  ClipColumns(rowV, dvDx, height, lo, hi);
  x0 = Ceil(lo);
  x1 = Ceil(hi);
  return x0 < x1;
}

Placement Place(int w, int h, float hx, float hy, float x, float y, float degrees, float sx,
                float sy) {
  Placement p;
  p.width = w, p.height = h;
  double sine, cosine;
  SinCosDegrees(degrees, sine, cosine);
  const double ix = cosine * sx, iy = -sine * sy, jx = sine * sx, jy = cosine * sy;
  const double det = ix * jy - iy * jx;
  if (w <= 0 || h <= 0 || std::abs(det) < kMinDeterminant || !std::isfinite(det)) return p;
  p.duDx = jy / det, p.duDy = -iy / det;
  p.dvDx = -jx / det, p.dvDy = ix / det;
  // Pixel (col, row) has its centre at (col + 0.5, row + 0.5).
  const double cx = 0.5 - x, cy = 0.5 - y;
  p.u0 = hx + p.duDx * cx + p.duDy * cy;
  p.v0 = hy + p.dvDx * cx + p.dvDy * cy;

  double minX = kFarAway, maxX = -kFarAway, minY = kFarAway, maxY = -kFarAway;
  for (double u : {-static_cast<double>(hx), w - static_cast<double>(hx)}) {
    for (double v : {-static_cast<double>(hy), h - static_cast<double>(hy)}) {
      const double px = x + u * ix + v * iy, py = y + u * jx + v * jy;
      minX = std::min(minX, px), maxX = std::max(maxX, px);
      minY = std::min(minY, py), maxY = std::max(maxY, py);
    }
  }
  p.left = Floor(minX), p.right = Ceil(maxX);
  p.top = Floor(minY), p.bottom = Ceil(maxY);

  p.identity = ix == 1 && jy == 1 && iy == 0 && jx == 0;
  if (p.identity) {
    p.offsetX = Floor(p.u0);
    p.offsetY = Floor(p.v0);
  }
  return p;
}

}  // namespace media
