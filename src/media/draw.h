#pragma once
// The global render state and the software rasterizer that draws into the 800 x 600 surface.
#include <string>

#include "media/image.h"
#include "media/latin1.h"

namespace media {

enum BlendMode : int {
  kBlendMask = 1,
  kBlendSolid = 2,
  kBlendAlpha = 3,
  kBlendLight = 4,
  kBlendShade = 5
};

void SetColor(int r, int g, int b);
void SetColor(int rgb);  // 0xRRGGBB
void SetAlpha(float alpha);
void SetBlend(int mode);
void SetRotation(float degrees);
void SetScale(float sx, float sy);
void SetTransform(float degrees, float sx, float sy);
void SetClearColor(int r, int g, int b);
void SetMaskColor(int r, int g, int b);
void AutoMidHandle(bool on);

struct RenderState {
  int r = 255, g = 255, b = 255;
  float alpha = 1;
  int blend = kBlendSolid;
  float rotation = 0;
  float scaleX = 1, scaleY = 1;
  int clearR = 0, clearG = 0, clearB = 0;
  int maskR = 0, maskG = 0, maskB = 0;
  bool autoMidHandle = false;
};
const RenderState& GetRenderState();
void ResetRenderState();  // back to the defaults above

// Fills the current target with the clear colour.
void Clear();
// Draws the frame so that its handle lands on (x, y), transformed and blended by the render state.
void DrawImage(const ImagePtr& image, float x, float y, int frame = 0);
// Fills [x, x + width) x [y, y + height) in the render state's colour, alpha and blend, upright
// and unscaled whatever the render state's rotation and scale.
void FillRect(float x, float y, float width, float height);
// Built-in Latin-1 bitmap font (bold, capitals about 19 px tall), top-left at (x, y), placed
// glyph by glyph like an image.
void DrawText(const std::string& latin1, float x, float y);
int TextWidth(const std::string& latin1);  // unscaled pixels
int TextHeight();                          // unscaled pixels
int TextBaseline();                        // from the top of the text, unscaled pixels
int TextCapHeight();                       // a capital's height above the baseline

// True when opaque pixels of the two placed frames overlap (placement as DrawImage).
bool ImagesCollide(const ImagePtr& a, float ax, float ay, int aFrame, float aRotation,
                   float aScaleX, float aScaleY, const ImagePtr& b, float bx, float by, int bFrame,
                   float bRotation, float bScaleX, float bScaleY);

// Drawing goes to the back buffer unless another image is chosen (tools draw sheets this way).
void SetDrawTarget(const ImagePtr& target);  // null = the back buffer
ImagePtr DrawTarget();                       // as last set: null = the back buffer
ImagePtr BackBuffer();                       // 800 x 600, created on first use

// The pixels [left, right) x [top, bottom) that DrawImage would touch drawing frame 0 of the image
// at (x, y) with the render state's rotation and scale; false (and nothing set) for no image or
// nothing to draw.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};
bool PlacedBox(const ImagePtr& image, float x, float y, PixelBox& box);

}  // namespace media
