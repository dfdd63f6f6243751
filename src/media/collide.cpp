// Pixel-exact collision: both frames are placed on the screen grid exactly as DrawImage would
// place them, and a screen pixel counts as a hit when its centre samples an opaque texel
// (alpha at least one half) of both frames.
#include <algorithm>
#include <cmath>

#include "media/draw.h"
#include "media/placement.h"

namespace media {
namespace {

constexpr uint32_t kOpaqueAlpha = 128;

struct PlacedFrame {
  const uint32_t* pixels = nullptr;
  Placement placement;

  bool Opaque(int col, int row) const {
    const Placement& p = placement;
    const int u = std::clamp(static_cast<int>(std::floor(p.U(col, row))), 0, p.width - 1);
    const int v = std::clamp(static_cast<int>(std::floor(p.V(col, row))), 0, p.height - 1);
    return pixels[static_cast<size_t>(v) * p.width + u] >> 24 >= kOpaqueAlpha;
  }
};

bool Locate(const ImagePtr& image, float x, float y, int frame, float rotation, float scaleX,
            float scaleY, PlacedFrame& placed) {
  if (!image || frame < 0 || frame >= image->Frames()) return false;
  placed.pixels = image->Pixels(frame);
  placed.placement = Place(image->Width(), image->Height(), image->HandleX(), image->HandleY(), x,
                           y, rotation, scaleX, scaleY);
  return !placed.placement.Empty();
}

}  // namespace

bool ImagesCollide(const ImagePtr& a, float ax, float ay, int aFrame, float aRotation,
                   float aScaleX, float aScaleY, const ImagePtr& b, float bx, float by, int bFrame,
                   float bRotation, float bScaleX, float bScaleY) {
  PlacedFrame first, second;
  if (!Locate(a, ax, ay, aFrame, aRotation, aScaleX, aScaleY, first) ||
      !Locate(b, bx, by, bFrame, bRotation, bScaleX, bScaleY, second))
    return false;
  const Placement &pa = first.placement, &pb = second.placement;
  if (pa.right <= pb.left || pb.right <= pa.left) return false;
  const int top = std::max(pa.top, pb.top), bottom = std::min(pa.bottom, pb.bottom);
  for (int row = top; row < bottom; ++row) {
    int a0, a1, b0, b1;
    if (!pa.Span(row, a0, a1) || !pb.Span(row, b0, b1)) continue;
    for (int col = std::max(a0, b0); col < std::min(a1, b1); ++col)
      if (first.Opaque(col, row) && second.Opaque(col, row)) return true;
  }
  return false;
}

}  // namespace media
