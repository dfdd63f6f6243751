// The rasterizer's loops. Every blend mode and sampler pair gets its own loop through templates
// so the inner loops carry no per-pixel decisions.
#include "media/raster.h"

#include <cmath>
#include <type_traits>

#include "media/pixel_ops.h"

namespace media::raster {

const std::array<uint32_t, 256> kUnpremultiply = [] {
  std::array<uint32_t, 256> table{};
  for (uint32_t a = 1; a < 256; ++a) table[a] = (255 * kFixedOne + a / 2) / a;
  return table;
}();

namespace {

constexpr int kFactorOne = 256;

int32_t Fixed(double value) {
  return static_cast<int32_t>(std::lround(value * kFixedOne));
}

template <int Mode, class Sampler>
void DrawTransformed(const Target& target, const Source& source, const Placement& p,
                     const Paint& paint) {
  const bool filtered = std::is_same_v<Sampler, BilinearSampler>;
  const Sampler sampler{filtered ? source.premultiplied : source.pixels, source.width,
                        source.height};
  const int32_t du = Fixed(p.duDx), dv = Fixed(p.dvDx);
  const int top = std::max(p.top, 0), bottom = std::min(p.bottom, target.height);
  for (int row = top; row < bottom; ++row) {
    int x0, x1;
    if (!p.Span(row, x0, x1)) continue;
    x0 = std::max(x0, 0), x1 = std::min(x1, target.width);
    int32_t u = Fixed(p.U(x0, row)), v = Fixed(p.V(x0, row));
    uint32_t* dst = target.pixels + static_cast<size_t>(row) * target.width;
    if constexpr (Mode == kBlendAlpha && filtered) {
      BlendAlphaSpanFiltered(dst + x0, x1 - x0, u, v, du, dv, source, paint);
      continue;
    }
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
    if constexpr (Mode == kBlendAlpha) {
      BlendAlphaRow(dst + x0, src + x0, x1 - x0, paint);
    } else {
      for (int x = x0; x < x1; ++x) {
        const Texel t = Unpack(src[x]);
        Blend<Mode>(dst[x], WantsPremultiplied(Mode) ? Premultiply(t) : t, paint);
      }
    }
  }
}

template <int Mode>
void DrawMode(const Target& target, const Source& source, const Placement& p, const Paint& paint) {
  if (p.identity)
    DrawAligned<Mode>(target, source, p, paint);
  else if (source.filtered && source.premultiplied)
    DrawTransformed<Mode, BilinearSampler>(target, source, p, paint);
  else
    DrawTransformed<Mode, NearestSampler>(target, source, p, paint);
}

uint16_t Factor(double value) {
  return static_cast<uint16_t>(std::lround(std::clamp(value, 0.0, 1.0) * kFactorOne));
}

}  // namespace

Paint MakePaint(const RenderState& state) {
  Paint paint;
  paint.mode = state.blend >= kBlendMask && state.blend <= kBlendShade ? state.blend : kBlendSolid;
  // Alpha below 0 (or not a number) draws nothing in any mode; the mixing modes also skip 0.
  if (!(state.alpha >= 0)) return paint;
  const double alpha = std::min(state.alpha, 1.0f);
  paint.alpha = Factor(alpha);
  paint.visible = paint.alpha > 0 || !WantsPremultiplied(paint.mode);
  const int rgb[3] = {state.r, state.g, state.b};
  for (int i = 0; i < 3; ++i) {
    const double tint = std::clamp(rgb[i], 0, 255) / 255.0;
    paint.tint[i] = Factor(tint);
    paint.colour[i] = Factor(tint * alpha);
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
