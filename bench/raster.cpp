// Rasterizer speed on the game's typical loads, with SDL's software renderer on the same sprite
// load for comparison.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "media/draw.h"

namespace {

constexpr int kSprites = 100;
constexpr int kSpriteSide = 64;

// A shaded disc with a soft rim: mostly opaque, transparent corners, some partial alpha.
media::ImagePtr MakeSprite() {
  media::ImagePtr sprite = media::CreateImage(kSpriteSide, kSpriteSide, 1, media::kImageFiltered);
  uint32_t* pixels = sprite->Pixels(0);
  for (int y = 0; y < kSpriteSide; ++y)
    for (int x = 0; x < kSpriteSide; ++x) {
      const float d = std::hypot(x - 31.5f, y - 31.5f);
      const int alpha = d < 28 ? 255 : d < 32 ? static_cast<int>((32 - d) * 63) : 0;
      pixels[y * kSpriteSide + x] = uint32_t(alpha) << 24 | (x * 4) << 16 | (y * 4) << 8 | 0x60;
    }
  media::MidHandleImage(sprite);
  return sprite;
}

struct SpritePose {
  float x, y, angle, scale;
};

std::vector<SpritePose> Poses() {
  std::vector<SpritePose> poses;
  for (int i = 0; i < kSprites; ++i)
    poses.push_back(
        {40.f + (i * 73) % 720, 40.f + (i * 151) % 520, i * 37.f, 0.8f + (i % 9) * 0.1f});
  return poses;
}

void BM_RotatedScaledAlphaSprites(benchmark::State& state) {
  media::ResetRenderState();
  media::ImagePtr sprite = MakeSprite();
  const std::vector<SpritePose> poses = Poses();
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(0.8f);
  for (auto _ : state) {
    for (const SpritePose& p : poses) {
      media::SetTransform(p.angle, p.scale, p.scale);
      media::DrawImage(sprite, p.x, p.y);
    }
    benchmark::ClobberMemory();
  }
  media::ResetRenderState();
}
BENCHMARK(BM_RotatedScaledAlphaSprites)->Unit(benchmark::kMillisecond);

void BM_SdlSoftwareRendererSprites(benchmark::State& state) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  media::ImagePtr sprite = MakeSprite();
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, kSpriteSide, kSpriteSide);
  SDL_UpdateTexture(texture, nullptr, sprite->Pixels(0), kSpriteSide * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(texture, 204);
  const std::vector<SpritePose> poses = Poses();
  for (auto _ : state) {
    for (const SpritePose& p : poses) {
      const float side = kSpriteSide * p.scale;
      const SDL_FRect rect{p.x - side / 2, p.y - side / 2, side, side};
      SDL_RenderCopyExF(renderer, texture, nullptr, &rect, p.angle, nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderFlush(renderer);
    benchmark::ClobberMemory();
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
}
BENCHMARK(BM_SdlSoftwareRendererSprites)->Unit(benchmark::kMillisecond);

// An 800 x 600 panorama panel: opaque ground, transparent sky, a soft band between.
media::ImagePtr MakePanel() {
  media::ImagePtr panel = media::CreateImage(800, 600, 1, 0);
  uint32_t* pixels = panel->Pixels(0);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const int alpha = y < 250 ? 0 : y < 350 ? (y - 250) * 255 / 100 : 255;
      pixels[y * 800 + x] = uint32_t(alpha) << 24 | (x & 0xff) << 16 | (y & 0xff) << 8 | 0x30;
    }
  return panel;
}

void PanelBenchmark(benchmark::State& state, float alpha) {
  media::ResetRenderState();
  media::ImagePtr panel = MakePanel();
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(alpha);
  for (auto _ : state) {
    media::DrawImage(panel, 0, 0);
    benchmark::ClobberMemory();
  }
  media::ResetRenderState();
}

void BM_FullScreenAlphaPanel(benchmark::State& state) {
  PanelBenchmark(state, 1);
}
BENCHMARK(BM_FullScreenAlphaPanel)->Unit(benchmark::kMicrosecond);

void BM_FullScreenAlphaPanelFading(benchmark::State& state) {
  PanelBenchmark(state, 0.5f);
}
BENCHMARK(BM_FullScreenAlphaPanelFading)->Unit(benchmark::kMicrosecond);

void BM_CollideGameBlocks(benchmark::State& state) {
  media::ImagePtr tall = media::CreateImage(25, 90, 1, media::kImageDynamic);
  media::ImagePtr wide = media::CreateImage(50, 40, 1, media::kImageDynamic);
  std::fill_n(tall->Pixels(0), 25 * 90, 0xFF050505u);
  std::fill_n(wide->Pixels(0), 50 * 40, 0xFF050505u);
  media::MidHandleImage(tall);
  media::MidHandleImage(wide);
  int hits = 0;
  for (auto _ : state) {
    // A near miss (overlapping boxes, no shared pixel) and a hit, both rotated.
    hits += media::ImagesCollide(tall, 100, 400, 0, 30, 1, 1, wide, 150, 360, 0, -20, 1, 1);
    hits += media::ImagesCollide(tall, 100, 400, 0, 30, 1, 1, wide, 130, 400, 0, -20, 1, 1);
  }
  benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_CollideGameBlocks);

// Each compiler is told in its own words not to vectorise the reference loop.
#if defined(__clang__)
#define SKULL_SCALAR_FUNCTION
#define SKULL_SCALAR_LOOP _Pragma("clang loop vectorize(disable) interleave(disable)")
#else
#define SKULL_SCALAR_FUNCTION [[gnu::optimize("no-tree-vectorize")]]
#define SKULL_SCALAR_LOOP
#endif

// A plain scalar (not vectorised) loop over one screen of pixels, to read the figures above
// against the machine's speed at the moment.
SKULL_SCALAR_FUNCTION void BM_ScalarReferenceLoop(benchmark::State& state) {
  std::vector<uint32_t> pixels(800 * 600, 3);
  for (auto _ : state) {
    SKULL_SCALAR_LOOP
    for (uint32_t& p : pixels) p = p * 7 + (p >> 3);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ScalarReferenceLoop)->Unit(benchmark::kMicrosecond);

}  // namespace
