#pragma once
// A fresh folder under the system's temp dir for one test, removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("skull_media_" + std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
