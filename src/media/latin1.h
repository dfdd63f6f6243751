#pragma once
// Text comes in as UTF-8 (source literals, typed text) and is kept as Latin-1, one byte a
// character, which the font, the key names and the files use.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace media {

constexpr uint32_t kLatin1Last = 0xFF;

// The code point that starts at text[at]; `at` moves past it. A byte that does not start a whole
// sequence in its shortest form stands for itself, so text already in Latin-1 reads unchanged.
uint32_t NextCodePoint(std::string_view text, size_t& at);

// Code points beyond Latin-1 become '?'.
std::string Latin1(const std::string& utf8);

}  // namespace media
