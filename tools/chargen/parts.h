#pragma once
// The drawn parts of a character, numbered as the rig scripts name them. Sizes match the bone
// offsets of assets/characters/player.rig and zombie.rig (joint to joint, in pixels).
#include <map>

#include "graph.h"
#include "look.h"

namespace chargen {

enum GraphNumber : int {
  kHead = 1,
  kTorso = 2,
  kPelvis = 3,
  kUpperArm = 4,
  kOptionalPart = 5,  // zombies: drawn for bones marked 999 on one zombie in four
  kLowerArm = 6,
  kHand = 7,
  kThigh = 8,
  kShin = 9,
  kFoot = 10,
  kBackUpperArm = 11,  // the far limbs, a step darker
  kBackLowerArm = 12,
  kBackHand = 13,
  kBackThigh = 14,
  kBackShin = 15,
  kBackFoot = 16,
  kHeadHurt = 17,
  kHeadShout = 18,
  kHeadDead = 19,
};

// Colours of one side of the body: the far limbs are drawn with dimmed colours.
struct Palette {
  uint32_t skin, shirt, accent, trousers, shoes, hair, hat;
};
Palette MakePalette(const Look& look, double dim);

// Every graph of a look; with mirrorOffset > 0 also the flipped copy of each at g + offset.
std::map<int, Graph> DrawLook(const Look& look, int mirrorOffset);

// One drawing per part family (body.cpp, head.cpp, props.cpp).
Graph DrawTorso(const Look& look, const Palette& p);
Graph DrawPelvis(const Look& look, const Palette& p);
Graph DrawUpperArm(const Look& look, const Palette& p);
Graph DrawLowerArm(const Look& look, const Palette& p);
Graph DrawHand(const Look& look, const Palette& p);
Graph DrawThigh(const Look& look, const Palette& p);
Graph DrawShin(const Look& look, const Palette& p);
Graph DrawFoot(const Look& look, const Palette& p);

enum class Face { kNormal, kHurt, kShout, kDead };
Graph DrawHead(const Look& look, const Palette& p, Face face);

Graph DrawProp(const Look& look);

}  // namespace chargen
