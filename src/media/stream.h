#pragma once
// Byte streams over files: little-endian numbers, Latin-1 text.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "media/system.h"

namespace media {

// Raised when a read runs past the end; the message names the file.
class StreamReadError : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

class Stream {
 public:
  static std::unique_ptr<Stream> OpenRead(const std::string& path);
  static std::unique_ptr<Stream> OpenWrite(const std::string& path);      // creates or empties
  static std::unique_ptr<Stream> OpenReadWrite(const std::string& path);  // existing file only
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  int ReadByte();   // 0-255
  int ReadShort();  // 0-65535
  int32_t ReadInt();
  float ReadFloat();
  std::string ReadLine();  // up to LF or NUL or the end; CR skipped; LF consumed
  std::string ReadString(int n);
  void SkipBytes(int n);
  void ReadBytes(void* into, size_t n);  // bulk read; raises past the end

  void WriteByte(int value);
  void WriteShort(int value);
  void WriteInt(int32_t value);
  void WriteFloat(float value);
  void WriteLine(const std::string& text);  // text then CR LF
  void WriteString(const std::string& text);
  void WriteBytes(const void* from, size_t n);

  bool Eof();
  void Close();
  const std::string& Path() const { return path_; }

 private:
  Stream(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  [[noreturn]] void RaiseReadError();
  void ReadExactly(void* into, size_t n);
  // A stream open for both directions must reposition between a read and a write.
  void SwitchTo(bool writing);
  std::FILE* file_;
  std::string path_;
  bool writing_ = false;
};

using StreamPtr = std::unique_ptr<Stream>;

bool FileExists(const std::string& path);  // can be opened for reading

}  // namespace media
