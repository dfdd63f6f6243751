#include <cmath>

#include "artkit.h"

namespace artkit {

void EllipsePath(cairo_t* cairo, double cx, double cy, double rx, double ry) {
  cairo_save(cairo);
  cairo_translate(cairo, cx, cy);
  cairo_scale(cairo, rx, ry);
  cairo_new_sub_path(cairo);
  cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cairo);
}

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

}  // namespace artkit
