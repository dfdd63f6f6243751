#pragma once
// A fresh folder the test works in: the game reads its data by paths relative to the working
// folder, so the test moves there and back.
#include <filesystem>
#include <fstream>
#include <string>

#include "media/image.h"

class TempFolder {
 public:
  TempFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "skull-game-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::create_directories(path_ / "gfx");
    std::filesystem::create_directories(path_ / "anim");
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }

  // A small PNG whose top-left pixel tells the files apart.
  static void WritePng(const std::string& path, uint32_t argb, int width = 8, int height = 4) {
    auto image = media::CreateImage(width, height, 1, media::kImageDynamic);
    media::Image& pixels = *image;
    for (int i = 0; i < width * height; ++i) pixels.Pixels(0)[i] = argb;
    media::SavePNG(pixels, path);
  }
  static void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
