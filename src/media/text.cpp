// Text with the built-in Latin-1 font. Each glyph becomes a small white image whose alpha is the
// glyph's coverage; it is drawn like any image, tinted and blended by the render state, with
// its handle set so that the whole line turns and scales about the text's top-left corner.
#include <array>

#include "media/draw.h"
#include "media/font_data.h"
#include "media/raster.h"

namespace media {
namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;

const Image* GlyphImage(unsigned char code) {
  static std::array<ImagePtr, 256> glyphs;
  const font::GlyphData& data = font::kGlyphs[code];
  if (data.width <= 0) return nullptr;
  if (!glyphs[code]) {
    auto image = std::make_shared<Image>(data.width, font::kHeight, 1, kImageFiltered);
    const uint8_t* coverage = font::kCoverage + data.offset;
    uint32_t* pixels = image->Pixels(0);
    for (int i = 0; i < data.width * font::kHeight; ++i)
      pixels[i] = coverage[i] ? uint32_t(coverage[i]) << 24 | kWhite : 0;
    glyphs[code] = std::move(image);
  }
  return glyphs[code].get();
}

}  // namespace

void DrawText(const std::string& latin1, float x, float y) {
  int pen = 0;
  for (const char c : latin1) {
    const unsigned char code = static_cast<unsigned char>(c);
    if (const Image* glyph = GlyphImage(code))
      DrawFrame(*glyph, 0, -static_cast<float>(pen + font::kGlyphs[code].left), 0, x, y);
    pen += font::kGlyphs[code].advance;
  }
}

int TextWidth(const std::string& latin1) {
  int width = 0;
  for (const char c : latin1) width += font::kGlyphs[static_cast<unsigned char>(c)].advance;
  return width;
}

int TextHeight() {
  return font::kHeight;
}

int TextBaseline() {
  return font::kBaseline;
}

int TextCapHeight() {
  return font::kCapHeight;
}

}  // namespace media
