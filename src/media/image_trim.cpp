#include <algorithm>
#include <cstring>
#include <utility>

#include "media/image.h"

namespace media {
namespace {

constexpr uint32_t kAlphaBits = 0xFF000000u;

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive; empty when left >= right
};

// The smallest box holding every texel with some alpha, over all frames.
Box ContentBox(const Image& image) {
  Box box{image.Width(), image.Height(), 0, 0};
  for (int f = 0; f < image.Frames(); ++f) {
    const uint32_t* pixels = image.Pixels(f);
    for (int y = 0; y < image.Height(); ++y) {
      const uint32_t* row = pixels + static_cast<size_t>(y) * image.Width();
      const auto seen = [](uint32_t p) { return (p & kAlphaBits) != 0; };
      const uint32_t* first = std::find_if(row, row + image.Width(), seen);
      if (first == row + image.Width()) continue;
      const uint32_t* last = std::find_if(std::make_reverse_iterator(row + image.Width()),
                                          std::make_reverse_iterator(row), seen)
                                 .base();
      box.left = std::min(box.left, static_cast<int>(first - row));
      box.right = std::max(box.right, static_cast<int>(last - row));
      box.top = std::min(box.top, y);
      box.bottom = y + 1;
    }
  }
  return box;
}

}  // namespace

ImagePtr TrimTransparentEdges(const ImagePtr& image) {
  if (!image || image->Width() == 0 || image->Height() == 0) return image;
  Box box = ContentBox(*image);
  if (box.left >= box.right) box = {0, 0, 1, 1};  // nothing to show: one transparent texel
  box = {std::max(box.left - 1, 0), std::max(box.top - 1, 0),
         std::min(box.right + 1, image->Width()), std::min(box.bottom + 1, image->Height())};
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (width == image->Width() && height == image->Height()) return image;
  auto trimmed = std::make_shared<Image>(width, height, image->Frames(), image->Flags());
  for (int f = 0; f < image->Frames(); ++f) {
    const uint32_t* from = std::as_const(*image).Pixels(f);
    uint32_t* to = trimmed->Pixels(f);
    for (int y = 0; y < height; ++y) {
      std::memcpy(to + static_cast<size_t>(y) * width,
                  from + static_cast<size_t>(y + box.top) * image->Width() + box.left,
                  width * sizeof(uint32_t));
    }
  }
  trimmed->SetHandle(image->HandleX() - box.left, image->HandleY() - box.top);
  return trimmed;
}

}  // namespace media
