// Byte streams over stdio files. Numbers are assembled byte by byte so the little-endian layout
// holds whatever the host's byte order.
#include "media/stream.h"

#include <cstring>

namespace media {
namespace {

constexpr int kLineFeed = 10;
constexpr int kCarriageReturn = 13;

// A float's bits as an integer and back (std::bit_cast, which not every standard library has).
template <typename To, typename From>
To SameBits(From value) {
  static_assert(sizeof(To) == sizeof(From));
  To out;
  std::memcpy(&out, &value, sizeof out);
  return out;
}

}  // namespace

std::unique_ptr<Stream> Stream::OpenRead(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  return file ? std::unique_ptr<Stream>(new Stream(file, path)) : nullptr;
}

std::unique_ptr<Stream> Stream::OpenWrite(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return nullptr;
  std::unique_ptr<Stream> stream(new Stream(file, path));
  stream->writing_ = true;
  return stream;
}

std::unique_ptr<Stream> Stream::OpenReadWrite(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  return file ? std::unique_ptr<Stream>(new Stream(file, path)) : nullptr;
}

Stream::~Stream() {
  Close();
}

void Stream::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void Stream::RaiseReadError() {
  throw StreamReadError("read past the end of " + path_);
}

void Stream::SwitchTo(bool writing) {
  if (writing_ != writing && file_) std::fseek(file_, 0, SEEK_CUR);
  writing_ = writing;
}

void Stream::ReadExactly(void* into, size_t n) {
  if (n == 0) return;
  if (!file_) RaiseReadError();
  SwitchTo(false);
  if (std::fread(into, 1, n, file_) != n) RaiseReadError();
}

void Stream::ReadBytes(void* into, size_t n) {
  ReadExactly(into, n);
}

int Stream::ReadByte() {
  uint8_t byte = 0;
  ReadExactly(&byte, 1);
  return byte;
}

int Stream::ReadShort() {
  uint8_t bytes[2];
  ReadExactly(bytes, sizeof bytes);
  return bytes[0] | bytes[1] << 8;
}

int32_t Stream::ReadInt() {
  uint8_t bytes[4];
  ReadExactly(bytes, sizeof bytes);
  uint32_t value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                   uint32_t{bytes[3]} << 24;
  return static_cast<int32_t>(value);
}

float Stream::ReadFloat() {
  return SameBits<float>(ReadInt());
}

std::string Stream::ReadLine() {
  std::string line;
  if (!file_) return line;
  SwitchTo(false);
  for (int c = std::fgetc(file_); c != EOF && c != kLineFeed && c != 0; c = std::fgetc(file_)) {
    if (c != kCarriageReturn) line += static_cast<char>(c);
  }
  return line;
}

std::string Stream::ReadString(int n) {
  if (n <= 0) return {};
  std::string text(static_cast<size_t>(n), '\0');
  ReadExactly(text.data(), text.size());
  return text;
}

void Stream::SkipBytes(int n) {
  char chunk[4096];
  while (n > 0) {
    int step = n < static_cast<int>(sizeof chunk) ? n : static_cast<int>(sizeof chunk);
    ReadExactly(chunk, static_cast<size_t>(step));
    n -= step;
  }
}

void Stream::WriteBytes(const void* from, size_t n) {
  if (!file_ || n == 0) return;
  SwitchTo(true);
  std::fwrite(from, 1, n, file_);
}

void Stream::WriteByte(int value) {
  uint8_t byte = static_cast<uint8_t>(value);
  WriteBytes(&byte, 1);
}

void Stream::WriteShort(int value) {
  uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  WriteBytes(bytes, sizeof bytes);
}

void Stream::WriteInt(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                      static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  WriteBytes(bytes, sizeof bytes);
}

void Stream::WriteFloat(float value) {
  WriteInt(SameBits<int32_t>(value));
}

void Stream::WriteLine(const std::string& text) {
  WriteString(text + "\r\n");
}

void Stream::WriteString(const std::string& text) {
  WriteBytes(text.data(), text.size());
}

bool Stream::Eof() {
  if (!file_) return true;
  SwitchTo(false);
  int c = std::fgetc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace media
