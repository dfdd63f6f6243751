#pragma once
// net/, above field/ and below the screens: network play. Messages are built and read as
// little-endian bytes; a reader that runs past the end stays failed, so a short or garbled
// message is refused as a whole instead of being half-read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace net {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
 public:
  ByteWriter& U8(uint32_t value);
  ByteWriter& U16(uint32_t value);
  ByteWriter& U32(uint32_t value);
  ByteWriter& U64(uint64_t value);
  // At most 255 bytes, preceded by their count.
  ByteWriter& Text(const std::string& text);
  const Bytes& Data() const { return bytes_; }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), left_(size) {}
  explicit ByteReader(const Bytes& bytes) : ByteReader(bytes.data(), bytes.size()) {}
  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  uint64_t U64();
  // The text as shown: anything but printable characters becomes '?' (see Printable).
  std::string Text();
  // False once any read ran past the end.
  bool Ok() const { return ok_; }
  bool AtEnd() const { return left_ == 0; }
  size_t Left() const { return left_; }

 private:
  uint64_t Number(int size);
  const uint8_t* data_;
  size_t left_;
  bool ok_ = true;
};

// Text from another machine reduced to what may be shown or printed: printable ASCII and whole
// UTF-8 characters outside the control ranges; every other byte becomes '?', so no terminal
// escape or broken character reaches a screen or a terminal.
std::string Printable(const std::string& text);

}  // namespace net
