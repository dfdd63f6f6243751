#pragma once
// The software rasterizer behind DrawImage and DrawText: samples a frame through a Placement and
// combines it with a target by one of the five blend modes.
#include <cstdint>

#include "media/draw.h"
#include "media/placement.h"

namespace media::raster {

struct Target {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

struct Source {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  bool filtered = false;                    // bilinear sampling unless the placement is pixel-exact
  const uint32_t* premultiplied = nullptr;  // the same frame premultiplied, for filtered sampling
};

// The render state boiled down to what the pixel loops need: factors in 1/256 steps (256 = 1).
struct Paint {
  int mode = kBlendSolid;   // always one of the five modes
  uint16_t tint[3] = {};    // red, green, blue tint
  uint16_t colour[3] = {};  // tint times the clamped alpha
  uint16_t alpha = 0;       // the clamped alpha
  bool visible = false;     // false when nothing can change on the target
};

Paint MakePaint(const RenderState& state);
void Draw(const Target& target, const Source& source, const Placement& placement,
          const Paint& paint);

}  // namespace media::raster

namespace media {

// The image drawing goes to: the one chosen by SetDrawTarget, else the back buffer.
ImagePtr CurrentDrawTarget();
// DrawImage with an explicit handle; text places each glyph through it.
void DrawFrame(const Image& image, int frame, float handleX, float handleY, float x, float y);

}  // namespace media
