#include "entities/puppet.h"

#include "anim/anim_state.h"
#include "entities/entidad.h"
#include "media/draw.h"
#include "vgp/vgp.h"

void DrawPuppet(AnimState& anim, const VGP& graphics, float now, const TEntidad& owner,
                int variantGraph) {
  anim.Update(now);
  anim.Pose(now, owner.scaleX, owner.scaleY, owner.rotation);
  for (const RepBone& bone : anim.repBones) {
    int graph = bone.graph;
    if (graph == kVariantBoneGraph && variantGraph != 0) graph = variantGraph;
    if (graph == 0 || graph >= graphics.count) continue;
    const TGraphPtr art = graphics.Get(graph);
    if (!art) continue;
    media::SetTransform(bone.angle, bone.scale * owner.scaleX, bone.scale * owner.scaleY);
    media::DrawImage(art->image, owner.x + bone.x, owner.y + bone.y, 0);
  }
}
