// The AVX2 version of the bilinear alpha span: four pixels per step, each sampling its 2 x 2 block
// in 16-bit lanes with the same rounding as the SSE2 and scalar paths, so all three agree to the
// bit. Only built into the functions that ask for AVX2; callers check the processor first.
#include <immintrin.h>

#include "media/pixel_ops.h"

#define SKULL_AVX2 [[gnu::target("avx2")]]
#define SKULL_AVX2_INLINE [[gnu::target("avx2"), gnu::always_inline]] inline

namespace media::raster {
namespace {

constexpr int kStep = 4;

SKULL_AVX2_INLINE __m256i Div255(__m256i x) {
  const __m256i t = _mm256_add_epi16(x, _mm256_set1_epi16(128));
  return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// (x + 128) / 256 per 16-bit lane.
SKULL_AVX2_INLINE __m256i Round256(__m256i x) {
  return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_set1_epi16(128)), 8);
}

SKULL_AVX2_INLINE __m256i Lerp(__m256i a, __m256i b, __m256i fb) {
  const __m256i fa = _mm256_sub_epi16(_mm256_set1_epi16(256), fb);
  return Round256(_mm256_add_epi16(_mm256_mullo_epi16(a, fa), _mm256_mullo_epi16(b, fb)));
}

// Spreads the 32-bit fractions of pixels `first` and `first` + 2 over the eight 16-bit lanes of
// each 128-bit half: the unpacked 2 x 2 blocks of those pixels sit there.
SKULL_AVX2_INLINE __m256i Spread(__m128i fractions, int first) {
  const char lo = static_cast<char>(4 * first), hi = static_cast<char>(4 * first + 8);
  const __m256i pick =
      _mm256_setr_epi8(lo, lo + 1, lo, lo + 1, lo, lo + 1, lo, lo + 1, lo, lo + 1, lo, lo + 1, lo,
                       lo + 1, lo, lo + 1, hi, hi + 1, hi, hi + 1, hi, hi + 1, hi, hi + 1, hi,
                       hi + 1, hi, hi + 1, hi, hi + 1, hi, hi + 1);
  return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(fractions), pick);
}

// Two pixels' blocks (top and bottom texel pairs, unpacked) to their filtered texels, one per
// 128-bit half in the low four lanes.
SKULL_AVX2_INLINE __m256i Filter(__m256i top, __m256i bottom, __m128i fx, __m128i fy, int first) {
  const __m256i column = Lerp(top, bottom, Spread(fy, first));
  const __m256i right = Spread(fx, first);
  const __m256i left = _mm256_sub_epi16(_mm256_set1_epi16(256), right);
  // Left texel in the low four lanes of each half, right texel in the high four.
  const __m256i products = _mm256_mullo_epi16(column, _mm256_blend_epi16(left, right, 0xF0));
  return Round256(_mm256_add_epi16(products, _mm256_srli_si256(products, 8)));
}

// Premultiplied source over the unpacked target, scaled by the paint's factors.
SKULL_AVX2_INLINE __m256i Over(__m256i premultiplied, __m256i d, __m256i factors) {
  const __m256i scaled = Round256(_mm256_mullo_epi16(premultiplied, factors));
  const __m256i alphas = _mm256_shufflehi_epi16(
      _mm256_shufflelo_epi16(scaled, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
  const __m256i keep = _mm256_sub_epi16(_mm256_set1_epi16(255), alphas);
  return _mm256_add_epi16(scaled, Div255(_mm256_mullo_epi16(d, keep)));
}

SKULL_AVX2_INLINE __m128i LoadPair(const uint32_t* at) {
  return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
}
// The texel pairs starting at the four offsets, in pixel order.
SKULL_AVX2_INLINE __m256i LoadPairs(const uint32_t* base, const int32_t* at) {
  return _mm256_set_m128i(_mm_unpacklo_epi64(LoadPair(base + at[2]), LoadPair(base + at[3])),
                          _mm_unpacklo_epi64(LoadPair(base + at[0]), LoadPair(base + at[1])));
}

SKULL_AVX2_INLINE __m128i Clamp(__m128i c, __m128i last) {
  return _mm_min_epi32(_mm_max_epi32(c, _mm_setzero_si128()), last);
}

// The texels at row + left and row + right side by side for each of four pixels.
SKULL_AVX2_INLINE __m256i GatherRow(const uint32_t* pixels, __m128i row, __m128i left,
                                    __m128i right) {
  const __m128i a = _mm_add_epi32(row, left), b = _mm_add_epi32(row, right);
  const __m256i at = _mm256_set_m128i(_mm_unpackhi_epi32(a, b), _mm_unpacklo_epi32(a, b));
  return _mm256_i32gather_epi32(reinterpret_cast<const int*>(pixels), at, 4);
}

// The 2 x 2 blocks of four pixels, top pairs and bottom pairs in pixel order. Blocks wholly inside
// the frame load as pairs; any other set clamps every texel to the frame's edge, as the scalar
// sampler does.
SKULL_AVX2_INLINE void LoadBlocks(__m128i x0, __m128i y0, const Source& source, __m256i& top,
                                  __m256i& bottom) {
  const __m128i width = _mm_set1_epi32(source.width);
  const __m128i lastX = _mm_set1_epi32(source.width - 1), lastY = _mm_set1_epi32(source.height - 1);
  const __m128i innerX = _mm_sub_epi32(lastX, _mm_set1_epi32(1));
  const __m128i innerY = _mm_sub_epi32(lastY, _mm_set1_epi32(1));
  const __m128i inside = _mm_and_si128(_mm_cmpeq_epi32(_mm_min_epu32(x0, innerX), x0),
                                       _mm_cmpeq_epi32(_mm_min_epu32(y0, innerY), y0));
  if (_mm_movemask_epi8(inside) == 0xFFFF) {
    alignas(16) int32_t at[kStep];
    _mm_store_si128(reinterpret_cast<__m128i*>(at), _mm_add_epi32(_mm_mullo_epi32(y0, width), x0));
    top = LoadPairs(source.premultiplied, at);
    bottom = LoadPairs(source.premultiplied + source.width, at);
    return;
  }
  const __m128i one = _mm_set1_epi32(1);
  const __m128i left = Clamp(x0, lastX), right = Clamp(_mm_add_epi32(x0, one), lastX);
  const __m128i upper = _mm_mullo_epi32(Clamp(y0, lastY), width);
  const __m128i lower = _mm_mullo_epi32(Clamp(_mm_add_epi32(y0, one), lastY), width);
  top = GatherRow(source.premultiplied, upper, left, right);
  bottom = GatherRow(source.premultiplied, lower, left, right);
}

// Blends up to four pixels; `lanes` marks the ones to write.
SKULL_AVX2_INLINE void BlendFour(uint32_t* dst, __m128i u, __m128i v, __m128i lanes,
                                 const Source& source, __m256i factors) {
  __m256i top, bottom;
  LoadBlocks(_mm_srai_epi32(u, 16), _mm_srai_epi32(v, 16), source, top, bottom);
  const __m256i alphas = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  if (_mm256_testz_si256(_mm256_or_si256(top, bottom), alphas)) return;
  const __m128i byte = _mm_set1_epi32(0xff);
  const __m128i fx = _mm_and_si128(_mm_srli_epi32(u, 8), byte);
  const __m128i fy = _mm_and_si128(_mm_srli_epi32(v, 8), byte);
  const __m256i zero = _mm256_setzero_si256();
  // Pixels 0 and 2 in the even halves of the unpacked blocks, 1 and 3 in the odd.
  const __m256i even =
      Filter(_mm256_unpacklo_epi8(top, zero), _mm256_unpacklo_epi8(bottom, zero), fx, fy, 0);
  const __m256i odd =
      Filter(_mm256_unpackhi_epi8(top, zero), _mm256_unpackhi_epi8(bottom, zero), fx, fy, 1);
  auto* out = reinterpret_cast<int*>(dst);
  const __m256i d = _mm256_cvtepu8_epi16(_mm_maskload_epi32(out, lanes));
  const __m256i blended = Over(_mm256_unpacklo_epi64(even, odd), d, factors);
  const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(blended, zero), 0x08);
  _mm_maskstore_epi32(out, lanes, _mm256_castsi256_si128(packed));
}

}  // namespace

SKULL_AVX2 void BlendAlphaSpanFilteredAvx2(uint32_t* dst, int count, int32_t u, int32_t v,
                                           int32_t du, int32_t dv, const Source& source,
                                           const Paint& paint) {
  const __m256i factors = _mm256_setr_epi16(
      paint.colour[2], paint.colour[1], paint.colour[0], paint.alpha, paint.colour[2],
      paint.colour[1], paint.colour[0], paint.alpha, paint.colour[2], paint.colour[1],
      paint.colour[0], paint.alpha, paint.colour[2], paint.colour[1], paint.colour[0], paint.alpha);
  // Sample coordinates of the block corners: centres lie half a texel in.
  __m128i us = _mm_add_epi32(_mm_set1_epi32(u - kFixedHalf),
                             _mm_mullo_epi32(_mm_set1_epi32(du), _mm_setr_epi32(0, 1, 2, 3)));
  __m128i vs = _mm_add_epi32(_mm_set1_epi32(v - kFixedHalf),
                             _mm_mullo_epi32(_mm_set1_epi32(dv), _mm_setr_epi32(0, 1, 2, 3)));
  const __m128i stepU = _mm_set1_epi32(kStep * du), stepV = _mm_set1_epi32(kStep * dv);
  const __m128i all = _mm_set1_epi32(-1), lane = _mm_setr_epi32(0, 1, 2, 3);
  for (int x = 0; x < count; x += kStep) {
    // The last step may be short: its missing pixels are sampled but never written.
    const __m128i lanes =
        x + kStep <= count ? all : _mm_cmpgt_epi32(_mm_set1_epi32(count - x), lane);
    BlendFour(dst + x, us, vs, lanes, source, factors);
    us = _mm_add_epi32(us, stepU), vs = _mm_add_epi32(vs, stepV);
  }
}

}  // namespace media::raster
