// The viewer's panorama mode composes whole screens: with the sky drawn first at its own speed,
// every pixel of every frame is covered, whatever the scroll.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "panorama_files.h"

namespace scenerytest {
namespace {

TEST(PanoramaViewer, EveryFrameIsCoveredAtAnyScroll) {
  std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("panorama_" + std::to_string(getpid()) + ".png");
  std::filesystem::remove(out);
  std::string command = std::string(SKULL_BUILD_DIR) + "/tools/viewer/viewer panorama " +
                        SKULL_BUILD_DIR + " metro " + out.string() +
                        " 401 2399.5 100000 --players 0";
  ASSERT_EQ(std::system(command.c_str()), 0);
  media::ImagePtr strip = media::LoadImage(out.string());
  ASSERT_NE(strip, nullptr);
  ASSERT_EQ(strip->Width(), 800);
  ASSERT_EQ(strip->Height(), 3 * 600);
  const uint32_t* pixels = strip->Pixels(0);
  for (int i = 0; i < strip->Width() * strip->Height(); ++i)
    ASSERT_EQ(pixels[i] >> 24, 255u) << "pixel " << i % 800 << "," << i / 800;
  std::filesystem::remove(out);
}

}  // namespace
}  // namespace scenerytest
