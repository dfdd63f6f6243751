#pragma once
// Images: frames of 32-bit ARGB pixels kept in memory, loaded from PNG or created blank.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace media {

enum ImageFlags : int {
  kImageMasked = 1,     // mask colour becomes transparent when the file has no alpha
  kImageFiltered = 2,   // bilinear sampling when scaled or rotated
  kImageMipmapped = 4,  // accepted and kept; the software rasterizer needs no mipmaps
  kImageDynamic = 8,    // pixels may be locked and rewritten after creation
  kImageDefaultFlags = -1,
};

// One image: every frame has the same size. Pixels are straight (not premultiplied) ARGB,
// alpha in the top byte, rows top to bottom.
class Image {
 public:
  Image(int width, int height, int frames, int flags);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Frames() const { return static_cast<int>(frames_.size()); }
  int Flags() const { return flags_; }
  float HandleX() const { return handleX_; }
  float HandleY() const { return handleY_; }
  void SetHandle(float x, float y) { handleX_ = x, handleY_ = y; }

  // Handing out writable pixels marks the frame changed, so its premultiplied copy is rebuilt.
  uint32_t* Pixels(int frame) {
    premultipliedValid_[frame] = false;
    return frames_[frame].data();
  }
  const uint32_t* Pixels(int frame) const { return frames_[frame].data(); }
  // Pixels written through a pointer handed out earlier (a lock held across a draw) are seen:
  // every premultiplied copy is rebuilt on its next use.
  void PixelsChanged() { premultipliedValid_.assign(premultipliedValid_.size(), false); }
  // The frame with colour premultiplied by alpha (the rasterizer's filtered sampling reads it).
  const uint32_t* PremultipliedPixels(int frame) const;

 private:
  int width_;
  int height_;
  int flags_;
  float handleX_ = 0;
  float handleY_ = 0;
  std::vector<std::vector<uint32_t>> frames_;
  mutable std::vector<std::vector<uint32_t>> premultiplied_;
  mutable std::vector<bool> premultipliedValid_;
};

using ImagePtr = std::shared_ptr<Image>;

// The locked pixels of one frame. Rows are contiguous; Row(y) gives bulk access.
struct PixelBuffer {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  uint32_t* Row(int y) const { return pixels + static_cast<size_t>(y) * width; }
};

// path and flags (-1 = the default flags, 3). Null when the file is missing or undecodable.
ImagePtr LoadImage(const std::string& path, int flags = kImageDefaultFlags);
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = kImageDefaultFlags);
PixelBuffer LockImage(const ImagePtr& image, int frame = 0, bool read = true, bool write = true);
uint32_t ReadPixel(const PixelBuffer& buffer, int x, int y);              // 0 outside the buffer
void WritePixel(const PixelBuffer& buffer, int x, int y, uint32_t argb);  // ignored outside
void UnlockImage(const ImagePtr& image);
int ImageWidth(const ImagePtr& image);   // 0 for no image
int ImageHeight(const ImagePtr& image);  // 0 for no image
void SetImageHandle(const ImagePtr& image, float x, float y);
void MidHandleImage(const ImagePtr& image);

// The image without the fully transparent rows and columns around its content (one transparent
// texel of margin stays, for filtering), its handle moved so that it draws in the same place.
// It draws the same in every blend mode but solid, where the cut transparent texels would have
// been written; wide pictures that are mostly empty (panorama panels, slides) take far less
// memory this way. An image with nothing to cut comes back as it is.
ImagePtr TrimTransparentEdges(const ImagePtr& image);

// Writes frame `frame` as an 8-bit RGBA PNG; false when the file cannot be written.
bool SavePNG(const Image& image, const std::string& path, int frame = 0);

// Shared by the loaders: -1 becomes the default flags (masked and filtered), and a new image
// gets its handle at its centre while auto mid-handle is on.
int ResolveImageFlags(int flags);
void ApplyAutoMidHandle(Image& image);

}  // namespace media
