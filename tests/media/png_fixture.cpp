#include "media/png_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

namespace media_test {
namespace {

bool Encode(png_structp png, png_infop info, FILE* file, const PngSample& sample,
            std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, sample.width, sample.height, sample.bitDepth, sample.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!sample.palette.empty())
    png_set_PLTE(png, info, sample.palette.data(), static_cast<int>(sample.palette.size()));
  if (!sample.paletteAlpha.empty())
    png_set_tRNS(png, info, sample.paletteAlpha.data(),
                 static_cast<int>(sample.paletteAlpha.size()), nullptr);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool WriteTestPng(const std::string& path, const PngSample& sample) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const size_t stride = sample.rows.size() / sample.height;
  std::vector<png_bytep> rows;
  std::vector<uint8_t> bytes = sample.rows;
  for (int y = 0; y < sample.height; ++y) rows.push_back(bytes.data() + y * stride);
  const bool ok = Encode(png, info, file, sample, rows);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return ok;
}

TempDir::TempDir() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() /
         ("skull_" + std::string(test ? test->name() : "media") + "_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
  std::filesystem::remove_all(dir_);
}

}  // namespace media_test
