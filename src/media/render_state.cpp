// The global render state: every setter only records; drawing and loading read it back.
#include "media/draw.h"

namespace media {
namespace {

RenderState state;

}  // namespace

void SetColor(int r, int g, int b) {
  state.r = r, state.g = g, state.b = b;
}

void SetColor(int rgb) {
  SetColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

void SetAlpha(float alpha) {
  state.alpha = alpha;
}
void SetBlend(int mode) {
  state.blend = mode;
}
void SetRotation(float degrees) {
  state.rotation = degrees;
}
void SetScale(float sx, float sy) {
  state.scaleX = sx, state.scaleY = sy;
}

void SetTransform(float degrees, float sx, float sy) {
  SetRotation(degrees);
  SetScale(sx, sy);
}

void SetClearColor(int r, int g, int b) {
  state.clearR = r, state.clearG = g, state.clearB = b;
}
void SetMaskColor(int r, int g, int b) {
  state.maskR = r, state.maskG = g, state.maskB = b;
}
void AutoMidHandle(bool on) {
  state.autoMidHandle = on;
}

const RenderState& GetRenderState() {
  return state;
}
void ResetRenderState() {
  state = RenderState();
}

}  // namespace media
