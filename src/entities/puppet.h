#pragma once
// What players and zombies share when drawn: a skeleton posed for the game time, each posed bone
// drawn with its graph from the character's package.

class AnimState;
class TEntidad;
class VGP;

// The graph number that bones of optional parts carry; a zombie shows its own variant there.
constexpr int kVariantBoneGraph = 999;

// Advances and poses the skeleton with the owner's scale and rotation, then draws every bone whose
// graph the package holds at the owner's position. Colour, alpha and blend are the caller's.
void DrawPuppet(AnimState& anim, const VGP& graphics, float now, const TEntidad& owner,
                int variantGraph = 0);

// Contact boxes are placed at whole pixels.
inline float Truncated(float value) {
  return static_cast<float>(static_cast<int>(value));
}
