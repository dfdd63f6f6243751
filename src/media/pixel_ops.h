#pragma once
// Per-pixel arithmetic shared by the rasterizer's loops: unpacked texels, the five blend modes
// and the two samplers. Everything is forced inline; the loops call these once per pixel.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "media/raster.h"

namespace media::raster {

#define SKULL_INLINE [[gnu::always_inline]] inline

constexpr uint32_t kMaskThreshold = 128;  // alpha below 0.5 of 255 is not drawn in mask mode
constexpr uint32_t kFixedOne = 1 << 16;   // texel coordinates are 16.16 fixed point
constexpr uint32_t kFixedHalf = kFixedOne / 2;

struct Texel {
  uint32_t a, r, g, b;
};

// x / 255 rounded to nearest, exact for x up to 255 * 255.
SKULL_INLINE uint32_t Div255(uint32_t x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}
// A channel times a factor in 1/256 steps, rounded.
SKULL_INLINE uint32_t Scale(uint32_t channel, uint32_t factor) {
  return (channel * factor + 128) >> 8;
}
SKULL_INLINE uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}
SKULL_INLINE Texel Unpack(uint32_t p) {
  return {p >> 24, (p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
}
SKULL_INLINE Texel Premultiply(Texel t) {
  return {t.a, Div255(t.r * t.a), Div255(t.g * t.a), Div255(t.b * t.a)};
}

// round(255 * 65536 / a): turns premultiplied channels back into straight ones.
extern const std::array<uint32_t, 256> kUnpremultiply;

SKULL_INLINE Texel Unpremultiply(Texel t) {
  const uint32_t k = kUnpremultiply[t.a];
  auto channel = [k](uint32_t c) { return std::min(255u, (c * k + kFixedHalf) >> 16); };
  return {t.a, channel(t.r), channel(t.g), channel(t.b)};
}

// Mask and solid write straight colour; the mixing modes take premultiplied texels.
constexpr bool WantsPremultiplied(int mode) {
  return mode != kBlendMask && mode != kBlendSolid;
}

template <int Mode>
SKULL_INLINE void Blend(uint32_t& dst, Texel s, const Paint& paint) {
  if constexpr (Mode == kBlendMask || Mode == kBlendSolid) {
    if (Mode == kBlendMask && s.a < kMaskThreshold) return;
    dst =
        Pack(s.a, Scale(s.r, paint.tint[0]), Scale(s.g, paint.tint[1]), Scale(s.b, paint.tint[2]));
  } else {
    const uint32_t a = Scale(s.a, paint.alpha);
    const uint32_t r = Scale(s.r, paint.colour[0]), g = Scale(s.g, paint.colour[1]),
                   b = Scale(s.b, paint.colour[2]);
    const Texel d = Unpack(dst);
    const uint32_t keep = 255 - a;
    if constexpr (Mode == kBlendAlpha) {
      dst = Pack(a + Div255(d.a * keep), std::min(255u, r + Div255(d.r * keep)),
                 std::min(255u, g + Div255(d.g * keep)), std::min(255u, b + Div255(d.b * keep)));
    } else if constexpr (Mode == kBlendLight) {
      dst = Pack(std::min(255u, d.a + a), std::min(255u, d.r + r), std::min(255u, d.g + g),
                 std::min(255u, d.b + b));
    } else {
      // Shade: the target times the source, faded towards "unchanged" as alpha drops.
      dst =
          Pack(d.a, std::min(255u, Div255(d.r * (keep + r))),
               std::min(255u, Div255(d.g * (keep + g))), std::min(255u, Div255(d.b * (keep + b))));
    }
  }
}

struct NearestSampler {
  const uint32_t* pixels;
  int width, height;

  template <bool Premultiplied>
  SKULL_INLINE Texel Sample(int32_t u, int32_t v) const {
    const int x = std::clamp(u >> 16, 0, width - 1), y = std::clamp(v >> 16, 0, height - 1);
    const Texel t = Unpack(pixels[static_cast<size_t>(y) * width + x]);
    return Premultiplied ? Premultiply(t) : t;
  }
};

// Bilinear filtering with clamped edges over premultiplied texels, so transparent texels leave
// no dark fringe: first down each column, then across, rounding at each step as the SSE2 path.
struct BilinearSampler {
  const uint32_t* premultiplied;
  int width, height;

  SKULL_INLINE static uint32_t Lerp(uint32_t a, uint32_t b, uint32_t f) {
    return (a * (256 - f) + b * f + 128) >> 8;
  }

  template <bool Premultiplied>
  SKULL_INLINE Texel Sample(int32_t u, int32_t v) const {
    u -= kFixedHalf, v -= kFixedHalf;
    const int x0 = u >> 16, y0 = v >> 16;
    const uint32_t fx = (u >> 8) & 0xff, fy = (v >> 8) & 0xff;
    const int xa = std::clamp(x0, 0, width - 1), xb = std::clamp(x0 + 1, 0, width - 1);
    const uint32_t* rowA =
        premultiplied + static_cast<size_t>(std::clamp(y0, 0, height - 1)) * width;
    const uint32_t* rowB =
        premultiplied + static_cast<size_t>(std::clamp(y0 + 1, 0, height - 1)) * width;
    uint32_t channels[4];
    for (int shift = 0; shift < 32; shift += 8) {
      auto at = [shift](uint32_t p) { return (p >> shift) & 0xff; };
      channels[shift / 8] =
          Lerp(Lerp(at(rowA[xa]), at(rowB[xa]), fy), Lerp(at(rowA[xb]), at(rowB[xb]), fy), fx);
    }
    const Texel t{channels[3], channels[2], channels[1], channels[0]};
    return Premultiplied ? t : Unpremultiply(t);
  }
};

// Alpha blending of a whole aligned row, four pixels at a time (SSE2); the same results as
// Blend<kBlendAlpha> pixel by pixel.
void BlendAlphaRow(uint32_t* dst, const uint32_t* src, int count, const Paint& paint);
// Alpha blending of a transformed span sampled bilinearly, starting at texel coordinates (u, v)
// in 16.16 fixed point and stepping by (du, dv) per pixel. Picks the widest instruction set the
// processor has; the two versions below give the same pixels.
void BlendAlphaSpanFiltered(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du, int32_t dv,
                            const Source& source, const Paint& paint);
void BlendAlphaSpanFilteredSse2(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du,
                                int32_t dv, const Source& source, const Paint& paint);
// Needs AVX2 and a frame at least 2 x 2.
void BlendAlphaSpanFilteredAvx2(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du,
                                int32_t dv, const Source& source, const Paint& paint);

}  // namespace media::raster
