#pragma once
// Building the small VGP, FPG and VBA files the format tests read, byte by byte, and reading
// back what a writer produced.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class FileBytes {
 public:
  FileBytes& Byte(int value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    return *this;
  }
  FileBytes& Short(int value) { return Byte(value).Byte(value >> 8); }
  FileBytes& Int(int32_t value) {
    return Short(value & 0xFFFF).Short(static_cast<uint32_t>(value) >> 16);
  }
  FileBytes& Float(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Int(static_cast<int32_t>(bits));
  }
  FileBytes& Text(const std::string& text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  FileBytes& Line(const std::string& text) { return Text(text).Byte(13).Byte(10); }
  FileBytes& Append(const std::vector<uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  void WriteTo(const std::string& path) const {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes_.data()),
               static_cast<std::streamsize>(bytes_.size()));
  }

 private:
  std::vector<uint8_t> bytes_;
};

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder for one test, removed afterwards; unique even when test programs run at once.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "skull_formats_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};
