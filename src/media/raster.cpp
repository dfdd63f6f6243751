// Pixel loops of the rasterizer. Every blend mode and sampler pair gets its own loop through
// templates so the inner loops carry no per-pixel decisions. Modes that mix with the target
// work on premultiplied source texels, which lets bilinear sampling blend across transparent
// texels without dark fringes; mask and solid write straight colour.
#include "media/raster.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace media::raster {
namespace {

constexpr uint32_t kFixedOne = 1 << 16;
constexpr uint32_t kFixedHalf = kFixedOne / 2;
constexpr uint32_t kMaskThreshold = 128;  // alpha below 0.5 of 255 is not drawn in mask mode

struct Texel {
  uint32_t a, r, g, b;
};

// x / 255 rounded to nearest, exact for x up to 255 * 255.
inline uint32_t Div255(uint32_t x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}
inline uint32_t Scale(uint32_t channel, uint32_t factor) {
  return (channel * factor + kFixedHalf) >> 16;
}
inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}
inline Texel Unpack(uint32_t p) {
  return {p >> 24, (p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
}
inline Texel Premultiply(Texel t) {
  return {t.a, Div255(t.r * t.a), Div255(t.g * t.a), Div255(t.b * t.a)};
}

// round(255 * 65536 / a): turns premultiplied channels back into straight ones.
const std::array<uint32_t, 256> kUnpremultiply = [] {
  std::array<uint32_t, 256> table{};
  for (uint32_t a = 1; a < 256; ++a) table[a] = (255 * kFixedOne + a / 2) / a;
  return table;
}();

inline Texel Unpremultiply(Texel t) {
  const uint32_t k = kUnpremultiply[t.a];
  return {t.a, std::min(255u, Scale(t.r, k)), std::min(255u, Scale(t.g, k)),
          std::min(255u, Scale(t.b, k))};
}

constexpr bool WantsPremultiplied(int mode) {
  return mode != kBlendMask && mode != kBlendSolid;
}

template <int Mode>
inline void Blend(uint32_t& dst, Texel s, const Paint& paint) {
  if constexpr (Mode == kBlendMask || Mode == kBlendSolid) {
    if (Mode == kBlendMask && s.a < kMaskThreshold) return;
    dst =
        Pack(s.a, Scale(s.r, paint.tint[0]), Scale(s.g, paint.tint[1]), Scale(s.b, paint.tint[2]));
  } else {
    const uint32_t a = Scale(s.a, paint.alpha);
    const uint32_t r = Scale(s.r, paint.colour[0]), g = Scale(s.g, paint.colour[1]),
                   b = Scale(s.b, paint.colour[2]);
    const Texel d = Unpack(dst);
    if constexpr (Mode == kBlendAlpha) {
      const uint32_t keep = 255 - a;
      dst = Pack(a + Div255(d.a * keep), std::min(255u, r + Div255(d.r * keep)),
                 std::min(255u, g + Div255(d.g * keep)), std::min(255u, b + Div255(d.b * keep)));
    } else if constexpr (Mode == kBlendLight) {
      dst = Pack(std::min(255u, d.a + a), std::min(255u, d.r + r), std::min(255u, d.g + g),
                 std::min(255u, d.b + b));
    } else {
      // Shade: the target times the source, faded towards "unchanged" as alpha drops.
      const uint32_t keep = 255 - a;
      dst =
          Pack(d.a, std::min(255u, Div255(d.r * (keep + r))),
               std::min(255u, Div255(d.g * (keep + g))), std::min(255u, Div255(d.b * (keep + b))));
    }
  }
}

struct NearestSampler {
  const uint32_t* pixels;
  int width, height;

  uint32_t Fetch(int32_t u, int32_t v) const {
    const int x = std::clamp(u >> 16, 0, width - 1), y = std::clamp(v >> 16, 0, height - 1);
    return pixels[static_cast<size_t>(y) * width + x];
  }
  template <bool Premultiplied>
  Texel Sample(int32_t u, int32_t v) const {
    const Texel t = Unpack(Fetch(u, v));
    return Premultiplied ? Premultiply(t) : t;
  }
};

// Bilinear filtering with clamped edges; the four texels are weighed by their alpha, which is
// the same as interpolating premultiplied colour.
struct BilinearSampler {
  const uint32_t* pixels;
  int width, height;

  template <bool Premultiplied>
  Texel Sample(int32_t u, int32_t v) const {
    u -= kFixedHalf, v -= kFixedHalf;
    const int x0 = u >> 16, y0 = v >> 16;
    const uint32_t fx = (u >> 8) & 0xff, fy = (v >> 8) & 0xff;
    const int xa = std::clamp(x0, 0, width - 1), xb = std::clamp(x0 + 1, 0, width - 1);
    const uint32_t* rowA = pixels + static_cast<size_t>(std::clamp(y0, 0, height - 1)) * width;
    const uint32_t* rowB = pixels + static_cast<size_t>(std::clamp(y0 + 1, 0, height - 1)) * width;
    const uint32_t texels[4] = {rowA[xa], rowA[xb], rowB[xa], rowB[xb]};
    const uint32_t weights[4] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy,
                                 fx * fy};
    uint32_t a = 0, r = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
      const uint32_t p = texels[i], w = weights[i] * (p >> 24) >> 8;  // weight x alpha, <= 65280
      a += w, r += w * ((p >> 16) & 0xff), g += w * ((p >> 8) & 0xff), b += w * (p & 0xff);
    }
    Texel t{(a * 255 + 32640) / 65280, Div255(r >> 8), Div255(g >> 8), Div255(b >> 8)};
    t.r = std::min(t.r, t.a), t.g = std::min(t.g, t.a), t.b = std::min(t.b, t.a);
    return Premultiplied ? t : Unpremultiply(t);
  }
};

int32_t Fixed(double value) {
  return static_cast<int32_t>(std::lround(value * kFixedOne));
}

template <int Mode, class Sampler>
void DrawTransformed(const Target& target, const Source& source, const Placement& p,
                     const Paint& paint) {
  const Sampler sampler{source.pixels, source.width, source.height};
  const int32_t du = Fixed(p.duDx), dv = Fixed(p.dvDx);
  const int top = std::max(p.top, 0), bottom = std::min(p.bottom, target.height);
  for (int row = top; row < bottom; ++row) {
    int x0, x1;
    if (!p.Span(row, x0, x1)) continue;
    x0 = std::max(x0, 0), x1 = std::min(x1, target.width);
    int32_t u = Fixed(p.U(x0, row)), v = Fixed(p.V(x0, row));
    uint32_t* dst = target.pixels + static_cast<size_t>(row) * target.width;
    for (int x = x0; x < x1; ++x, u += du, v += dv)
      Blend<Mode>(dst[x], sampler.template Sample<WantsPremultiplied(Mode)>(u, v), paint);
  }
}

// The unrotated, unscaled case: whole source rows line up with target rows.
template <int Mode>
void DrawAligned(const Target& target, const Source& source, const Placement& p,
                 const Paint& paint) {
  const int x0 = std::max(0, -p.offsetX), x1 = std::min(target.width, source.width - p.offsetX);
  const int y0 = std::max(0, -p.offsetY), y1 = std::min(target.height, source.height - p.offsetY);
  for (int row = y0; row < y1; ++row) {
    const uint32_t* src =
        source.pixels + static_cast<size_t>(row + p.offsetY) * source.width + p.offsetX;
    uint32_t* dst = target.pixels + static_cast<size_t>(row) * target.width;
    for (int x = x0; x < x1; ++x) {
      const Texel t = Unpack(src[x]);
      Blend<Mode>(dst[x], WantsPremultiplied(Mode) ? Premultiply(t) : t, paint);
    }
  }
}

template <int Mode>
void DrawMode(const Target& target, const Source& source, const Placement& p, const Paint& paint) {
  if (p.identity)
    DrawAligned<Mode>(target, source, p, paint);
  else if (source.filtered)
    DrawTransformed<Mode, BilinearSampler>(target, source, p, paint);
  else
    DrawTransformed<Mode, NearestSampler>(target, source, p, paint);
}

uint32_t FixedFraction(double value) {
  return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * kFixedOne));
}

}  // namespace

Paint MakePaint(const RenderState& state) {
  Paint paint;
  paint.mode = state.blend >= kBlendMask && state.blend <= kBlendShade ? state.blend : kBlendSolid;
  // Alpha below 0 (or not a number) draws nothing in any mode; the mixing modes also skip 0.
  if (!(state.alpha >= 0)) return paint;
  const double alpha = std::min(state.alpha, 1.0f);
  paint.visible = alpha > 0 || !WantsPremultiplied(paint.mode);
  paint.alpha = FixedFraction(alpha);
  const int rgb[3] = {state.r, state.g, state.b};
  for (int i = 0; i < 3; ++i) {
    const double tint = std::clamp(rgb[i], 0, 255) / 255.0;
    paint.tint[i] = FixedFraction(tint);
    paint.colour[i] = FixedFraction(tint * alpha);
  }
  return paint;
}

void Draw(const Target& target, const Source& source, const Placement& placement,
          const Paint& paint) {
  if (!paint.visible || placement.Empty() || !target.pixels || !source.pixels) return;
  switch (paint.mode) {
    case kBlendMask:
      return DrawMode<kBlendMask>(target, source, placement, paint);
    case kBlendAlpha:
      return DrawMode<kBlendAlpha>(target, source, placement, paint);
    case kBlendLight:
      return DrawMode<kBlendLight>(target, source, placement, paint);
    case kBlendShade:
      return DrawMode<kBlendShade>(target, source, placement, paint);
    default:
      return DrawMode<kBlendSolid>(target, source, placement, paint);
  }
}

}  // namespace media::raster
