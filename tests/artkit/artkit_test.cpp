#include "artkit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t PixelAt(const artkit::Canvas& canvas, int x, int y) {
  return canvas.StraightArgb()[static_cast<size_t>(y) * canvas.Width() + x];
}

TEST(ArtkitCanvas, PixelsComeOutStraightAndTransparentIsZero) {
  artkit::Canvas canvas(4, 2);
  cairo_rectangle(canvas.Cairo(), 0, 0, 2, 2);
  artkit::SetColor(canvas.Cairo(), 0x80FF4020);
  cairo_fill(canvas.Cairo());
  const uint32_t half = PixelAt(canvas, 0, 0);
  EXPECT_EQ(half >> 24, 0x80u);
  EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0xFF, 1);
  EXPECT_NEAR(static_cast<int>((half >> 8) & 0xFF), 0x40, 1);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x20, 1);
  EXPECT_EQ(PixelAt(canvas, 3, 1), 0u);
}

TEST(ArtkitCanvas, SavesTheSameBytesTwiceAndCreatesFolders) {
  const auto dir = std::filesystem::temp_directory_path() /
                   (std::string("artkit_test_png_") + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  for (const char* name : {"a/one.png", "b/two.png"}) {
    artkit::Canvas canvas(30, 20);
    artkit::DrawOutlinedText(canvas.Cairo(), "Hola", 2, 16, 14, 0xFFFFFFFF, 0xFF000000, 2);
    ASSERT_TRUE(canvas.SavePNG((dir / name).string()));
  }
  const std::string first = ReadAll(dir / "a/one.png");
  EXPECT_GT(first.size(), 8u);
  EXPECT_EQ(first, ReadAll(dir / "b/two.png"));
  EXPECT_EQ(first.substr(1, 3), "PNG");
  std::filesystem::remove_all(dir);
}

TEST(ArtkitSvg, RendersIntoTheGivenRectangleAndRefusesBrokenDocuments) {
  artkit::Canvas canvas(20, 10);
  const std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
      "<rect width='10' height='10' fill='#00ff00'/></svg>";
  ASSERT_TRUE(artkit::DrawSvgString(canvas.Cairo(), svg, 10, 0, 10, 10));
  EXPECT_EQ(PixelAt(canvas, 15, 5), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(canvas, 5, 5), 0u);
  EXPECT_FALSE(artkit::DrawSvgString(canvas.Cairo(), "<svg broken", 0, 0, 10, 10));
  EXPECT_FALSE(artkit::DrawSvgFile(canvas.Cairo(), "/nonexistent/art.svg", 0, 0, 10, 10));
}

TEST(ArtkitText, OutlineSurroundsTheFillAndWidthGrowsWithText) {
  artkit::Canvas canvas(80, 40);
  artkit::DrawOutlinedText(canvas.Cairo(), "I", 20, 32, 30, 0xFFFFFFFF, 0xFF000000, 3);
  bool sawFill = false, sawOutline = false;
  for (uint32_t pixel : canvas.StraightArgb()) {
    sawFill |= pixel == 0xFFFFFFFF;
    sawOutline |= pixel == 0xFF000000;
  }
  EXPECT_TRUE(sawFill);
  EXPECT_TRUE(sawOutline);
  EXPECT_GT(artkit::TextWidth(canvas.Cairo(), "Jugar", 20),
            artkit::TextWidth(canvas.Cairo(), "J", 20));
}

}  // namespace
