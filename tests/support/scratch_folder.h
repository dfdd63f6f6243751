#pragma once
// A fresh folder under the system's temp folder that the test runs in; removed afterwards.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skull_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Makes a temp folder the current folder for the test's lifetime.
class InScratchFolder : public ScratchFolder {
 public:
  InScratchFolder() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(Path());
  }
  ~InScratchFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};
