#include "net/bytes.h"

#include <algorithm>

namespace net {

namespace {
void PutNumber(Bytes& bytes, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
}  // namespace

ByteWriter& ByteWriter::U8(uint32_t value) {
  PutNumber(bytes_, value, 1);
  return *this;
}

ByteWriter& ByteWriter::U16(uint32_t value) {
  PutNumber(bytes_, value, 2);
  return *this;
}

ByteWriter& ByteWriter::U32(uint32_t value) {
  PutNumber(bytes_, value, 4);
  return *this;
}

ByteWriter& ByteWriter::U64(uint64_t value) {
  PutNumber(bytes_, value, 8);
  return *this;
}

ByteWriter& ByteWriter::Text(const std::string& text) {
  const size_t size = std::min<size_t>(text.size(), 255);
  U8(static_cast<uint32_t>(size));
  bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
  return *this;
}

uint64_t ByteReader::Number(int size) {
  if (!ok_ || left_ < static_cast<size_t>(size)) {
    ok_ = false;
    return 0;
  }
  uint64_t value = 0;
  for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(data_[i]) << (8 * i);
  data_ += size;
  left_ -= static_cast<size_t>(size);
  return value;
}

uint8_t ByteReader::U8() {
  return static_cast<uint8_t>(Number(1));
}

uint16_t ByteReader::U16() {
  return static_cast<uint16_t>(Number(2));
}

uint32_t ByteReader::U32() {
  return static_cast<uint32_t>(Number(4));
}

uint64_t ByteReader::U64() {
  return Number(8);
}

std::string ByteReader::Text() {
  const size_t size = U8();
  if (!ok_ || left_ < size) {
    ok_ = false;
    return {};
  }
  std::string text(reinterpret_cast<const char*>(data_), size);
  data_ += size;
  left_ -= size;
  return Printable(text);
}

namespace {

struct Character {
  size_t length = 1;  // a byte that starts no whole character stands alone
  bool printable = false;
};

// The whole, shortest-form UTF-8 character at `at`, and whether it may be shown: not a control
// (C0, DEL, C1), not a direction override, nothing outside Unicode.
Character CharacterAt(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return {1, lead >= 0x20 && lead < 0x7f};
  size_t length = 0;
  uint32_t code = 0;
  if ((lead & 0xe0) == 0xc0) length = 2, code = lead & 0x1f;
  if ((lead & 0xf0) == 0xe0) length = 3, code = lead & 0x0f;
  if ((lead & 0xf8) == 0xf0) length = 4, code = lead & 0x07;
  if (length == 0 || at + length > text.size()) return {};
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xc0) != 0x80) return {};
    code = code << 6 | (byte(i) & 0x3f);
  }
  constexpr uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kShortest[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) {
    return {};
  }
  const bool control = code < 0xa0 || (code >= 0x2028 && code <= 0x202e) ||
                       (code >= 0x2066 && code <= 0x2069) || code == 0xfeff;
  return {length, !control};
}

}  // namespace

std::string Printable(const std::string& text) {
  std::string shown;
  for (size_t at = 0; at < text.size();) {
    const Character character = CharacterAt(text, at);
    shown += character.printable ? text.substr(at, character.length) : "?";
    at += character.length;
  }
  return shown;
}

}  // namespace net
