#include <algorithm>
#include <filesystem>

#include "artkit.h"

namespace artkit {

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_)),
      cairo_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cairo_);
  cairo_surface_destroy(surface_);
}

bool Canvas::SavePNG(const std::string& path) const {
  cairo_surface_flush(surface_);
  std::error_code ignored;
  const auto parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// cairo keeps colour premultiplied by alpha; images and graphs hold it straight.
static uint32_t Unpremultiply(uint32_t pixel) {
  const uint32_t alpha = pixel >> 24;
  if (alpha == 0) return 0;
  if (alpha == 255) return pixel;
  auto channel = [&](int shift) {
    const uint32_t c = (pixel >> shift) & 0xFF;
    return std::min<uint32_t>(255, (c * 255 + alpha / 2) / alpha) << shift;
  };
  return alpha << 24 | channel(16) | channel(8) | channel(0);
}

std::vector<uint32_t> Canvas::StraightArgb() const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width_; ++x)
      pixels[static_cast<size_t>(y) * width_ + x] = Unpremultiply(row[x]);
  }
  return pixels;
}

void SetColor(cairo_t* cairo, uint32_t argb) {
  cairo_set_source_rgba(cairo, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                        (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

}  // namespace artkit
