// The one UTF-8 reader of the layer: literals and typed text both go through it.
#include "media/latin1.h"

namespace media {
namespace {

constexpr char kUnknownCharacter = '?';
// The smallest code point each sequence length may carry; less is an overlong form.
constexpr uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};

// The length a lead byte announces; 1 for a byte that cannot lead a sequence.
int SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

// The code point of the sequence of `length` bytes at text[at], or 0 when it is cut short,
// broken by a byte that does not continue it, or overlong.
uint32_t Decode(std::string_view text, size_t at, int length) {
  if (length == 1 || at + length > text.size()) return 0;
  uint32_t code = static_cast<unsigned char>(text[at]) & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const unsigned char next = text[at + k];
    if ((next & 0xC0) != 0x80) return 0;
    code = code << 6 | (next & 0x3F);
  }
  return code >= kShortest[length] ? code : 0;
}

}  // namespace

uint32_t NextCodePoint(std::string_view text, size_t& at) {
  const unsigned char lead = text[at];
  const int length = SequenceLength(lead);
  const uint32_t code = Decode(text, at, length);
  if (code == 0) {
    ++at;
    return lead;
  }
  at += length;
  return code;
}

std::string Latin1(const std::string& utf8) {
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    const uint32_t code = NextCodePoint(utf8, at);
    out += code <= kLatin1Last ? static_cast<char>(code) : kUnknownCharacter;
  }
  return out;
}

}  // namespace media
