#include "entities/puppet.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "anim/anim_state.h"
#include "core/sistema.h"
#include "entities/entidad.h"
#include "media/draw.h"
#include "vgp/vgp.h"

namespace {

// The image of a posed bone, with the render transform set for it; null when it draws nothing.
media::ImagePtr PlaceBone(const RepBone& bone, const VGP& graphics, const TEntidad& owner,
                          int variantGraph) {
  int graph = bone.graph;
  if (graph == kVariantBoneGraph && variantGraph != 0) graph = variantGraph;
  if (graph == 0 || graph >= graphics.count) return nullptr;
  const TGraphPtr art = graphics.Get(graph);
  if (!art || !art->image) return nullptr;
  media::SetTransform(bone.angle, bone.scale * owner.scaleX, bone.scale * owner.scaleY);
  return art->image;
}

// Every posed bone drawn with its origin at (x, y).
void DrawBones(const AnimState& anim, const VGP& graphics, const TEntidad& owner, float x, float y,
               int variantGraph) {
  for (const RepBone& bone : anim.repBones) {
    if (const auto image = PlaceBone(bone, graphics, owner, variantGraph))
      media::DrawImage(image, x + bone.x, y + bone.y, 0);
  }
}

// The pixels the posed puppet covers with its origin at (x, y); false when it covers none.
bool PuppetBox(const AnimState& anim, const VGP& graphics, const TEntidad& owner, float x, float y,
               int variantGraph, media::PixelBox& box) {
  box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const RepBone& bone : anim.repBones) {
    media::PixelBox part;
    const auto image = PlaceBone(bone, graphics, owner, variantGraph);
    if (!image || !media::PlacedBox(image, x + bone.x, y + bone.y, part)) continue;
    box = {std::min(box.left, part.left), std::min(box.top, part.top),
           std::max(box.right, part.right), std::max(box.bottom, part.bottom)};
  }
  return box.left < box.right;
}

// Blending onto the clear layer leaves each colour multiplied by its alpha; the layer is read as
// straight colour, so its soft edges are divided back.
void Unpremultiply(media::Image& layer) {
  uint32_t* pixel = layer.Pixels(0);
  for (int i = 0; i < layer.Width() * layer.Height(); ++i, ++pixel) {
    const uint32_t alpha = *pixel >> 24;
    if (alpha == 0 || alpha == 255) continue;
    auto straight = [alpha](uint32_t channel) { return std::min(255u, channel * 255 / alpha); };
    *pixel = alpha << 24 | straight(*pixel >> 16 & 0xFF) << 16 | straight(*pixel >> 8 & 0xFF) << 8 |
             straight(*pixel & 0xFF);
  }
}

// The puppet drawn opaque on a layer of its own, in the caller's colour, then the layer blended
// at the caller's alpha.
void DrawFaded(const AnimState& anim, const VGP& graphics, const TEntidad& owner, float x, float y,
               int variantGraph) {
  const media::RenderState state = media::GetRenderState();
  media::PixelBox box;
  if (!PuppetBox(anim, graphics, owner, x, y, variantGraph, box)) return;
  const auto layer =
      media::CreateImage(box.right - box.left, box.bottom - box.top, 1, media::kImageFiltered);
  const auto target = media::DrawTarget();
  media::SetDrawTarget(layer);
  media::SetAlpha(1);
  DrawBones(anim, graphics, owner, x - static_cast<float>(box.left),
            y - static_cast<float>(box.top), variantGraph);
  media::SetDrawTarget(target);
  Unpremultiply(*layer);
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetBlend(media::kBlendAlpha);
  media::SetAlpha(state.alpha);
  media::DrawImage(layer, static_cast<float>(box.left), static_cast<float>(box.top), 0);
  media::SetColor(state.r, state.g, state.b);
}

}  // namespace

void PosePuppet(AnimState& anim, float now, const TEntidad& owner) {
  anim.Update(now);
  anim.Pose(now, owner.scaleX, owner.scaleY, owner.rotation);
}

void DrawPosedPuppet(const AnimState& anim, const VGP& graphics, const TEntidad& owner,
                     float shiftX, int variantGraph) {
  const media::RenderState& state = media::GetRenderState();
  if (state.blend == media::kBlendAlpha && !(state.alpha > 0)) return;
  if (state.blend == media::kBlendAlpha && state.alpha < 1) {
    DrawFaded(anim, graphics, owner, owner.x + shiftX, owner.y, variantGraph);
  } else {
    DrawBones(anim, graphics, owner, owner.x + shiftX, owner.y, variantGraph);
  }
}

void DrawPuppet(AnimState& anim, const VGP& graphics, float now, const TEntidad& owner,
                int variantGraph) {
  PosePuppet(anim, now, owner);
  DrawPosedPuppet(anim, graphics, owner, 0, variantGraph);
}

bool PosedBox(const AnimState& anim, const VGP& graphics, const TEntidad& owner,
              media::PixelBox& box) {
  return PuppetBox(anim, graphics, owner, owner.x, owner.y, 0, box);
}

float OnScreenShift(const AnimState& anim, const VGP& graphics, const TEntidad& owner) {
  media::PixelBox box;
  if (!PosedBox(anim, graphics, owner, box)) return 0;
  if (box.left < 0) return static_cast<float>(-box.left);
  if (box.right > kScreenWidth) return static_cast<float>(kScreenWidth - box.right);
  return 0;
}
