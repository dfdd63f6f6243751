#pragma once
// What players and zombies share when drawn: a skeleton posed for the game time, each posed bone
// drawn with its graph from the character's package.

#include "media/draw.h"

class AnimState;
class TEntidad;
class VGP;

// The graph number that bones of optional parts carry; a zombie shows its own variant there.
constexpr int kVariantBoneGraph = 999;

// Advances and poses the skeleton with the owner's scale and rotation.
void PosePuppet(AnimState& anim, float now, const TEntidad& owner);
// Draws every posed bone whose graph the package holds at the owner's position moved `shiftX`
// to the right. Colour, alpha and blend are the caller's. Below full alpha the puppet fades as a
// whole: drawn opaque on a layer of its own first, so its overlapping parts never show through
// each other.
void DrawPosedPuppet(const AnimState& anim, const VGP& graphics, const TEntidad& owner,
                     float shiftX = 0, int variantGraph = 0);
// PosePuppet, then DrawPosedPuppet in place.
void DrawPuppet(AnimState& anim, const VGP& graphics, float now, const TEntidad& owner,
                int variantGraph = 0);
// The pixels the posed puppet covers in place; false when it covers none.
bool PosedBox(const AnimState& anim, const VGP& graphics, const TEntidad& owner,
              media::PixelBox& box);
// How far the posed puppet must move sideways to lie wholly on the 800-pixel-wide screen.
float OnScreenShift(const AnimState& anim, const VGP& graphics, const TEntidad& owner);

// Contact boxes are placed at whole pixels.
inline float Truncated(float value) {
  return static_cast<float>(static_cast<int>(value));
}
