// SSE2 versions of the rasterizer's hottest loops, alpha blending of aligned rows (panorama
// panels, unscaled sprites, text) and of bilinear-filtered transformed spans (every posed bone).
// A pixel's four channels sit in 16-bit lanes, so the products of the scalar formulas fit and
// the results equal the scalar path's.
#include <emmintrin.h>

#include <cstring>

#include "media/pixel_ops.h"

namespace media::raster {
namespace {

constexpr uint64_t kPairAlpha = 0xFF000000FF000000ull;

// x / 255 rounded, per 16-bit lane, for x up to 255 * 255.
SKULL_INLINE __m128i Div255(__m128i x) {
  const __m128i t = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

SKULL_INLINE __m128i BroadcastAlpha(__m128i x) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3)),
                             _MM_SHUFFLE(3, 3, 3, 3));
}

// Straight to premultiplied channels for two unpacked pixels; alpha lanes stay as they are.
SKULL_INLINE __m128i Premultiply(__m128i s) {
  const __m128i alphaLanes = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
  const __m128i premultiplier =
      _mm_or_si128(_mm_andnot_si128(alphaLanes, BroadcastAlpha(s)), alphaLanes);
  return Div255(_mm_mullo_epi16(s, premultiplier));
}

// (a * fa + b * fb + 128) / 256 per lane, where fa + fb = 256.
SKULL_INLINE __m128i Lerp(__m128i a, __m128i b, __m128i fa, __m128i fb) {
  const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, fa), _mm_mullo_epi16(b, fb));
  return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

// Premultiplied source over the unpacked target, scaled by the paint's factors.
SKULL_INLINE __m128i Over(__m128i premultiplied, __m128i d, __m128i factors) {
  const __m128i scaled = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(premultiplied, factors), _mm_set1_epi16(128)), 8);
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), BroadcastAlpha(scaled));
  return _mm_add_epi16(scaled, Div255(_mm_mullo_epi16(d, keep)));
}

SKULL_INLINE __m128i Factors(const Paint& paint) {
  return _mm_set_epi16(paint.alpha, paint.colour[0], paint.colour[1], paint.colour[2], paint.alpha,
                       paint.colour[0], paint.colour[1], paint.colour[2]);
}

}  // namespace

void BlendAlphaRow(uint32_t* dst, const uint32_t* src, int count, const Paint& paint) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i factors = Factors(paint);
  const bool plain = paint.alpha == 256 && paint.colour[0] == 256 && paint.colour[1] == 256 &&
                     paint.colour[2] == 256;
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
    const __m128i alphas = _mm_and_si128(s, opaque);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, zero)) == 0xFFFF) continue;
    __m128i* out = reinterpret_cast<__m128i*>(dst + x);
    if (plain && _mm_movemask_epi8(_mm_cmpeq_epi32(alphas, opaque)) == 0xFFFF) {
      _mm_storeu_si128(out, s);
      continue;
    }
    const __m128i d = _mm_loadu_si128(out);
    const __m128i low =
        Over(Premultiply(_mm_unpacklo_epi8(s, zero)), _mm_unpacklo_epi8(d, zero), factors);
    const __m128i high =
        Over(Premultiply(_mm_unpackhi_epi8(s, zero)), _mm_unpackhi_epi8(d, zero), factors);
    _mm_storeu_si128(out, _mm_packus_epi16(low, high));
  }
  for (; x < count; ++x) Blend<kBlendAlpha>(dst[x], raster::Premultiply(Unpack(src[x])), paint);
}

namespace {

// The premultiplied bilinear sample at (u, v), in the low four 16-bit lanes; zero when all four
// texels are transparent. Blocks crossing the frame edge go through the scalar sampler.
SKULL_INLINE __m128i SampleFiltered(int32_t u, int32_t v, const Source& source,
                                    const BilinearSampler& edgeSampler) {
  const __m128i zero = _mm_setzero_si128();
  const int32_t su = u - kFixedHalf, sv = v - kFixedHalf;
  const unsigned x0 = su >> 16, y0 = sv >> 16;
  if (x0 >= static_cast<unsigned>(source.width - 1) ||
      y0 >= static_cast<unsigned>(source.height - 1)) {
    const Texel t = edgeSampler.Sample<true>(u, v);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(Pack(t.a, t.r, t.g, t.b))), zero);
  }
  const uint32_t* top = source.premultiplied + static_cast<size_t>(y0) * source.width + x0;
  uint64_t topPair, bottomPair;
  std::memcpy(&topPair, top, sizeof topPair);
  std::memcpy(&bottomPair, top + source.width, sizeof bottomPair);
  if (((topPair | bottomPair) & kPairAlpha) == 0) return zero;
  const __m128i one = _mm_set1_epi16(256);
  const __m128i fy = _mm_set1_epi16(static_cast<int16_t>((sv >> 8) & 0xff));
  const __m128i fx = _mm_set1_epi16(static_cast<int16_t>((su >> 8) & 0xff));
  const __m128i column =
      Lerp(_mm_unpacklo_epi8(_mm_cvtsi64_si128(topPair), zero),
           _mm_unpacklo_epi8(_mm_cvtsi64_si128(bottomPair), zero), _mm_sub_epi16(one, fy), fy);
  // Left texel in the low four lanes, right texel in the high four.
  const __m128i products = _mm_mullo_epi16(column, _mm_unpacklo_epi64(_mm_sub_epi16(one, fx), fx));
  const __m128i sum = _mm_add_epi16(products, _mm_srli_si128(products, 8));
  return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

}  // namespace

void BlendAlphaSpanFilteredSse2(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du,
                                int32_t dv, const Source& source, const Paint& paint) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i factors = Factors(paint);
  const BilinearSampler edgeSampler{source.premultiplied, source.width, source.height};
  // Two pixels per step share the blend with the target.
  int x = 0;
  for (; x + 2 <= count; x += 2, u += 2 * du, v += 2 * dv) {
    const __m128i first = SampleFiltered(u, v, source, edgeSampler);
    const __m128i second = SampleFiltered(u + du, v + dv, source, edgeSampler);
    const __m128i texels = _mm_unpacklo_epi64(first, second);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(texels, zero)) == 0xFFFF) continue;
    __m128i* out = reinterpret_cast<__m128i*>(dst + x);
    const __m128i d = _mm_unpacklo_epi8(_mm_loadl_epi64(out), zero);
    _mm_storel_epi64(out, _mm_packus_epi16(Over(texels, d, factors), zero));
  }
  if (x < count) {
    const __m128i d = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(dst[x])), zero);
    const __m128i texel = SampleFiltered(u, v, source, edgeSampler);
    dst[x] =
        static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(Over(texel, d, factors), zero)));
  }
}

void BlendAlphaSpanFiltered(uint32_t* dst, int count, int32_t u, int32_t v, int32_t du, int32_t dv,
                            const Source& source, const Paint& paint) {
#if defined(__x86_64__) || defined(__i386__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  // Frames one texel wide or high have no inner blocks: every sample is an edge case.
  if (avx2 && source.width > 1 && source.height > 1) {
    BlendAlphaSpanFilteredAvx2(dst, count, u, v, du, dv, source, paint);
    return;
  }
#endif
  // Elsewhere (WebAssembly's SIMD, say) the SSE2 path is the only one.
  BlendAlphaSpanFilteredSse2(dst, count, u, v, du, dv, source, paint);
}

}  // namespace media::raster
