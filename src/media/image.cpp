// Images live entirely in memory: the rasterizer reads the frames directly, so locking hands out
// the frame's own pixels; unlocking only tells the filtered copies that those pixels may have
// changed since.
#include "media/image.h"

#include "media/draw.h"
#include "media/pixel_ops.h"

namespace media {
namespace {

// What a load or a creation passing -1 gets.
constexpr int kFlagsByDefault = kImageMasked | kImageFiltered;

}  // namespace

Image::Image(int width, int height, int frames, int flags)
    : width_(width),
      height_(height),
      flags_(flags),
      frames_(frames, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0)),
      premultiplied_(frames),
      premultipliedValid_(frames, false) {}

const uint32_t* Image::PremultipliedPixels(int frame) const {
  std::vector<uint32_t>& copy = premultiplied_[frame];
  if (!premultipliedValid_[frame]) {
    const std::vector<uint32_t>& pixels = frames_[frame];
    copy.resize(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      const raster::Texel t = raster::Premultiply(raster::Unpack(pixels[i]));
      copy[i] = raster::Pack(t.a, t.r, t.g, t.b);
    }
    premultipliedValid_[frame] = true;
  }
  return copy.data();
}

int ResolveImageFlags(int flags) {
  return flags == kImageDefaultFlags ? kFlagsByDefault : flags;
}

void ApplyAutoMidHandle(Image& image) {
  if (GetRenderState().autoMidHandle) image.SetHandle(image.Width() * 0.5f, image.Height() * 0.5f);
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width < 0 || height < 0 || frames < 1) return nullptr;
  auto image = std::make_shared<Image>(width, height, frames, ResolveImageFlags(flags));
  ApplyAutoMidHandle(*image);
  return image;
}

PixelBuffer LockImage(const ImagePtr& image, int frame, bool, bool) {
  if (!image || frame < 0 || frame >= image->Frames()) return {};
  return {image->Pixels(frame), image->Width(), image->Height()};
}

uint32_t ReadPixel(const PixelBuffer& buffer, int x, int y) {
  if (x < 0 || y < 0 || x >= buffer.width || y >= buffer.height) return 0;
  return buffer.Row(y)[x];
}

void WritePixel(const PixelBuffer& buffer, int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= buffer.width || y >= buffer.height) return;
  buffer.Row(y)[x] = argb;
}

void UnlockImage(const ImagePtr& image) {
  if (image) image->PixelsChanged();
}

int ImageWidth(const ImagePtr& image) {
  return image ? image->Width() : 0;
}
int ImageHeight(const ImagePtr& image) {
  return image ? image->Height() : 0;
}

void SetImageHandle(const ImagePtr& image, float x, float y) {
  if (image) image->SetHandle(x, y);
}

void MidHandleImage(const ImagePtr& image) {
  if (image) image->SetHandle(image->Width() * 0.5f, image->Height() * 0.5f);
}

}  // namespace media
