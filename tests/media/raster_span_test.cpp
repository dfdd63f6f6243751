// The filtered alpha span exists three times (plain C++, SSE2, AVX2); the vector versions must give
// the very pixels of the plain one, edges, short spans and odd frame sizes included.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "media/pixel_ops.h"

namespace media::raster {
namespace {

struct Frame {
  int width, height;
  std::vector<uint32_t> premultiplied;
};

// Random colours with a fair share of fully transparent and fully opaque texels.
uint32_t Byte(std::mt19937& rng) {
  return static_cast<uint32_t>(rng() % 256);
}

Frame RandomFrame(std::mt19937& rng, int width, int height) {
  Frame frame{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  for (uint32_t& texel : frame.premultiplied) {
    const uint32_t roll = rng() % 4;
    const uint32_t alpha = roll == 0 ? 0 : roll == 1 ? 255 : Byte(rng);
    const Texel t = Premultiply({alpha, Byte(rng), Byte(rng), Byte(rng)});
    texel = Pack(t.a, t.r, t.g, t.b);
  }
  return frame;
}

Paint RandomPaint(std::mt19937& rng) {
  Paint paint;
  paint.mode = kBlendAlpha;
  paint.alpha = static_cast<uint16_t>(rng() % 257);
  for (uint16_t& c : paint.colour) c = static_cast<uint16_t>(rng() % (paint.alpha + 1));
  paint.visible = true;
  return paint;
}

void ScalarSpan(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du, int32_t dv,
                const Source& source, const Paint& paint) {
  const BilinearSampler sampler{source.premultiplied, source.width, source.height};
  for (int x = 0; x < count; ++x, u += du, v += dv)
    Blend<kBlendAlpha>(dst[x], sampler.Sample<true>(u, v), paint);
}

bool HasAvx2() {
  return __builtin_cpu_supports("avx2");
}

TEST(FilteredSpanTest, VectorPathsMatchThePlainLoopBitForBit) {
  std::mt19937 rng(20261208);
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 5}, {17, 4}, {64, 64}};
  constexpr int kSpansPerSize = 400;
  constexpr int kMargin = 24;  // the target row is wider than any span, to catch stray writes
  for (const auto& size : sizes) {
    const Frame frame = RandomFrame(rng, size[0], size[1]);
    const Source source{frame.premultiplied.data(), frame.width, frame.height, true,
                        frame.premultiplied.data()};
    for (int i = 0; i < kSpansPerSize; ++i) {
      const int count = static_cast<int>(rng() % 40);
      // Start up to three texels outside the frame, step up to two texels either way.
      auto start = [&](int extent) {
        return static_cast<int32_t>(rng() % ((extent + 6) << 16)) - (3 << 16);
      };
      auto step = [&] { return static_cast<int32_t>(rng() % (4 << 16)) - (2 << 16); };
      const int32_t u = start(frame.width), v = start(frame.height), du = step(), dv = step();
      const Paint paint = RandomPaint(rng);
      std::vector<uint32_t> background(count + 2 * kMargin);
      for (uint32_t& p : background) p = static_cast<uint32_t>(rng());
      std::vector<uint32_t> expected = background, sse2 = background, avx2 = background;
      ScalarSpan(expected.data() + kMargin, count, u, v, du, dv, source, paint);
      BlendAlphaSpanFilteredSse2(sse2.data() + kMargin, count, u, v, du, dv, source, paint);
      ASSERT_EQ(sse2, expected) << size[0] << "x" << size[1] << " span " << i;
      if (!HasAvx2() || frame.width < 2 || frame.height < 2) continue;
      BlendAlphaSpanFilteredAvx2(avx2.data() + kMargin, count, u, v, du, dv, source, paint);
      ASSERT_EQ(avx2, expected) << size[0] << "x" << size[1] << " span " << i;
    }
  }
}

}  // namespace
}  // namespace media::raster
