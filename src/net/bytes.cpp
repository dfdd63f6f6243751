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
  return text;
}

}  // namespace net
