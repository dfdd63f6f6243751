// Drawing entry points: they resolve the target and the render state, then hand the pixels to
// the rasterizer.
#include "media/draw.h"

#include <algorithm>

#include "media/placement.h"
#include "media/raster.h"

namespace media {
namespace {

constexpr int kBackBufferWidth = 800;
constexpr int kBackBufferHeight = 600;
constexpr uint32_t kOpaque = 0xFF000000u;

ImagePtr backBuffer;
ImagePtr drawTarget;

}  // namespace

ImagePtr BackBuffer() {
  if (!backBuffer) {
    backBuffer = std::make_shared<Image>(kBackBufferWidth, kBackBufferHeight, 1, 0);
    std::fill_n(backBuffer->Pixels(0), kBackBufferWidth * kBackBufferHeight, kOpaque);
  }
  return backBuffer;
}

void SetDrawTarget(const ImagePtr& target) {
  drawTarget = target;
}

ImagePtr DrawTarget() {
  return drawTarget;
}

bool PlacedBox(const ImagePtr& image, float x, float y, PixelBox& box) {
  if (!image) return false;
  const RenderState& state = GetRenderState();
  const Placement placement =
      Place(image->Width(), image->Height(), image->HandleX(), image->HandleY(), x, y,
            state.rotation, state.scaleX, state.scaleY);
  if (placement.Empty()) return false;
  box = {placement.left, placement.top, placement.right, placement.bottom};
  return true;
}

ImagePtr CurrentDrawTarget() {
  return drawTarget ? drawTarget : BackBuffer();
}

void Clear() {
  const ImagePtr target = CurrentDrawTarget();
  const RenderState& s = GetRenderState();
  const uint32_t colour =
      kOpaque | (s.clearR & 0xff) << 16 | (s.clearG & 0xff) << 8 | (s.clearB & 0xff);
  std::fill_n(target->Pixels(0), static_cast<size_t>(target->Width()) * target->Height(), colour);
}

void DrawFrame(const Image& image, int frame, float handleX, float handleY, float x, float y) {
  const RenderState& state = GetRenderState();
  const raster::Paint paint = raster::MakePaint(state);
  if (!paint.visible) return;
  const Placement placement = Place(image.Width(), image.Height(), handleX, handleY, x, y,
                                    state.rotation, state.scaleX, state.scaleY);
  raster::Source source{image.Pixels(frame), image.Width(), image.Height(),
                        (image.Flags() & kImageFiltered) != 0};
  if (source.filtered && !placement.identity && !placement.Empty())
    source.premultiplied = image.PremultipliedPixels(frame);
  const ImagePtr target = CurrentDrawTarget();
  raster::Draw({target->Pixels(0), target->Width(), target->Height()}, source, placement, paint);
}

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
  if (!image || frame < 0 || frame >= image->Frames()) return;
  DrawFrame(*image, frame, image->HandleX(), image->HandleY(), x, y);
}

// One opaque white texel, stretched over the rectangle and tinted by the render state.
void FillRect(float x, float y, float width, float height) {
  static const ImagePtr texel = [] {
    auto image = CreateImage(1, 1, 1, 0);
    image->Pixels(0)[0] = 0xFFFFFFFFu;
    return image;
  }();
  const RenderState state = GetRenderState();
  SetTransform(0, width, height);
  DrawImage(texel, x, y, 0);
  SetTransform(state.rotation, state.scaleX, state.scaleY);
}

}  // namespace media
