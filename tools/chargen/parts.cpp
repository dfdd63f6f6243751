#include "parts.h"

#include "artkit.h"
#include "style.h"

namespace chargen {

// How much darker the far arm and leg are drawn, so they read as behind the body.
constexpr double kFarSideDim = 0.78;

Palette MakePalette(const Look& look, double dim) {
  return {artkit::Shade(look.skin, dim),   artkit::Shade(look.shirt, dim),
          artkit::Shade(look.accent, dim), artkit::Shade(look.trousers, dim),
          artkit::Shade(look.shoes, dim),  artkit::Shade(look.hair, dim),
          artkit::Shade(look.hat, dim)};
}

std::map<int, Graph> DrawLook(const Look& look, int mirrorOffset) {
  const Palette near = MakePalette(look, 1.0);
  const Palette far = MakePalette(look, kFarSideDim);
  std::map<int, Graph> graphs = {
      {kHead, DrawHead(look, near, Face::kNormal)},
      {kHeadHurt, DrawHead(look, near, Face::kHurt)},
      {kHeadShout, DrawHead(look, near, Face::kShout)},
      {kHeadDead, DrawHead(look, near, Face::kDead)},
      {kTorso, DrawTorso(look, near)},
      {kPelvis, DrawPelvis(look, near)},
      {kUpperArm, DrawUpperArm(look, near)},
      {kLowerArm, DrawLowerArm(look, near)},
      {kHand, DrawHand(look, near)},
      {kThigh, DrawThigh(look, near)},
      {kShin, DrawShin(look, near)},
      {kFoot, DrawFoot(look, near)},
      {kBackUpperArm, DrawUpperArm(look, far)},
      {kBackLowerArm, DrawLowerArm(look, far)},
      {kBackHand, DrawHand(look, far)},
      {kBackThigh, DrawThigh(look, far)},
      {kBackShin, DrawShin(look, far)},
      {kBackFoot, DrawFoot(look, far)},
  };
  if (look.zombie) graphs[kOptionalPart] = DrawProp(look);
  if (mirrorOffset > 0) {
    std::map<int, Graph> mirrored;
    for (const auto& [number, graph] : graphs) {
      if (number != kOptionalPart) mirrored[number + mirrorOffset] = MirrorGraph(graph);
    }
    graphs.merge(mirrored);
  }
  return graphs;
}

}  // namespace chargen
