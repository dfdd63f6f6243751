#pragma once
// The built-in font's glyphs: alpha coverage rendered at build time by tools/fontgen into a
// generated source compiled into the library.
#include <cstdint>

namespace media::font {

struct GlyphData {
  int16_t advance;  // pen movement in pixels
  int16_t left;     // first coverage column relative to the pen
  int16_t width;    // coverage columns; 0 for blank glyphs
  int32_t offset;   // start of the width x kHeight coverage bytes in kCoverage
};

extern const int kHeight;             // every glyph is this many rows, top row at the text's top
extern const int kBaseline;           // rows from the text's top to the baseline
extern const int kCapHeight;          // rows a capital letter rises above the baseline
extern const GlyphData kGlyphs[256];  // by Latin-1 code; codes without a glyph advance 0
extern const uint8_t kCoverage[];

}  // namespace media::font
