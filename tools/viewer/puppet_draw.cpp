#include "puppet_draw.h"

#include <numbers>

namespace viewer {

Sprite::Sprite(int width, int height, int handleX, int handleY, const std::vector<uint32_t>& argb)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      handleX_(handleX),
      handleY_(handleY) {
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[static_cast<size_t>(y) * width + x];
      const uint32_t a = p >> 24;
      auto premultiply = [&](int shift) {
        return (((p >> shift) & 0xFF) * a + 127) / 255 << shift;
      };
      row[x] = a << 24 | premultiply(16) | premultiply(8) | premultiply(0);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

Sprite::~Sprite() {
  cairo_surface_destroy(surface_);
}

void DrawPuppet(cairo_t* cr, const SpriteSet& sprites, const std::vector<RepBone>& bones, double x,
                double y, double scaleX, double scaleY, int optionalPart) {
  for (const RepBone& bone : bones) {
    int graph = bone.graph;
    if (graph == kOptionalPartMarker) graph = optionalPart;
    const auto sprite = sprites.find(graph);
    if (graph == 0 || sprite == sprites.end()) continue;
    cairo_save(cr);
    cairo_translate(cr, x + bone.x, y + bone.y);
    cairo_rotate(cr, bone.angle * std::numbers::pi / 180);
    cairo_scale(cr, bone.scale * scaleX, bone.scale * scaleY);
    cairo_set_source_surface(cr, sprite->second->Surface(), -sprite->second->HandleX(),
                             -sprite->second->HandleY());
    cairo_paint(cr);
    cairo_restore(cr);
  }
}

}  // namespace viewer
