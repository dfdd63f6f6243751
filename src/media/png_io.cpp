// PNG reading and writing through libpng. libpng reports errors by longjmp, so each libpng pass
// runs in a function of its own whose C++ objects all belong to the caller: the jump back skips
// no destructor, and the image is only built once the whole file has decoded.
#include <png.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include "media/draw.h"
#include "media/image.h"

namespace media {
namespace {

constexpr int kBytesPerPixel = 4;
constexpr png_uint_32 kMaxSide = 8192;  // keeps a lying header from asking for gigabytes
constexpr int kCompressionLevel = 6;

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

struct RgbaRows {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;
  std::vector<png_bytep> rows;

  void Resize(int w, int h) {
    width = w, height = h;
    bytes.assign(static_cast<size_t>(w) * h * kBytesPerPixel, 0);
    rows.resize(h);
    for (int y = 0; y < h; ++y)
      rows[y] = bytes.data() + static_cast<size_t>(y) * w * kBytesPerPixel;
  }
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  if (auto* reason = static_cast<std::string*>(png_get_error_ptr(png))) *reason = message;
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

struct ReadHandle {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~ReadHandle() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct WriteHandle {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~WriteHandle() { png_destroy_write_struct(&png, &info); }
};

// Every colour type and depth comes out as 8-bit RGBA; hasAlpha tells whether the file itself
// carried transparency (an alpha channel or a tRNS chunk).
bool DecodePng(png_structp png, png_infop info, FILE* file, RgbaRows& out, bool& hasAlpha) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) ||
             png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const int width = png_get_image_width(png, info);
  const int height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * kBytesPerPixel) return false;
  out.Resize(width, height);
  png_read_image(png, out.rows.data());
  png_read_end(png, nullptr);
  return true;
}

bool EncodePng(png_structp png, png_infop info, FILE* file, RgbaRows& in) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_compression_level(png, kCompressionLevel);
  png_set_IHDR(png, info, in.width, in.height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, in.rows.data());
  png_write_end(png, nullptr);
  return true;
}

ImagePtr BuildImage(const RgbaRows& rgba, int flags, bool maskColour) {
  auto image = std::make_shared<Image>(rgba.width, rgba.height, 1, flags);
  const RenderState& state = GetRenderState();
  const uint32_t mask =
      (state.maskR & 0xff) << 16 | (state.maskG & 0xff) << 8 | (state.maskB & 0xff);
  uint32_t* pixels = image->Pixels(0);
  for (size_t i = 0; i < rgba.bytes.size() / kBytesPerPixel; ++i) {
    const uint8_t* p = &rgba.bytes[i * kBytesPerPixel];
    const uint32_t rgb = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    pixels[i] = maskColour && rgb == mask ? 0 : uint32_t(p[3]) << 24 | rgb;
  }
  ApplyAutoMidHandle(*image);
  return image;
}

}  // namespace

ImagePtr LoadImage(const std::string& path, int flags) {
  FilePtr file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return nullptr;
  std::string reason = "not a PNG image";
  ReadHandle handle;
  handle.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, OnPngError, OnPngWarning);
  if (handle.png) handle.info = png_create_info_struct(handle.png);
  if (!handle.info) return nullptr;
  RgbaRows rgba;
  bool hasAlpha = false;
  if (!DecodePng(handle.png, handle.info, file.get(), rgba, hasAlpha)) {
    std::cerr << "cannot decode image \"" << path << "\": " << reason << "\n";
    return nullptr;
  }
  flags = ResolveImageFlags(flags);
  return BuildImage(rgba, flags, (flags & kImageMasked) && !hasAlpha);
}

bool SavePNG(const Image& image, const std::string& path, int frame) {
  if (frame < 0 || frame >= image.Frames() || image.Width() < 1 || image.Height() < 1) return false;
  RgbaRows rgba;
  rgba.Resize(image.Width(), image.Height());
  const uint32_t* pixels = image.Pixels(frame);
  for (size_t i = 0; i < rgba.bytes.size() / kBytesPerPixel; ++i) {
    uint8_t* p = &rgba.bytes[i * kBytesPerPixel];
    p[0] = pixels[i] >> 16, p[1] = pixels[i] >> 8, p[2] = pixels[i], p[3] = pixels[i] >> 24;
  }
  FILE* raw = std::fopen(path.c_str(), "wb");
  if (!raw) return false;
  FilePtr file(raw, &std::fclose);
  WriteHandle handle;
  handle.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (handle.png) handle.info = png_create_info_struct(handle.png);
  bool written = handle.info && EncodePng(handle.png, handle.info, raw, rgba);
  written = std::fclose(file.release()) == 0 && written;
  if (!written) std::remove(path.c_str());
  return written;
}

}  // namespace media
