#include "game_files.h"

#include "anim/vba.h"
#include "vgp/vgp.h"

namespace viewer {

// The flags the resource manager loads character packages with: filtered and mipmapped.
constexpr int kPackageFlags = 6;

SpriteSet LoadSprites(const std::string& vgpPath) {
  const VGPPtr package = VGP::LoadVGP(vgpPath, kPackageFlags, 1);
  SpriteSet sprites;
  for (int32_t i = 1; i < package->count; ++i) {
    const TGraphPtr graph = package->Get(i);
    if (!graph || graph == emptyGraph || !graph->image) continue;
    int32_t handleX = 0, handleY = 0;
    graph->HandleFromPoints(handleX, handleY);
    const uint32_t* pixels = graph->image->Pixels(0);
    const std::vector<uint32_t> argb(pixels, pixels + graph->width * graph->height);
    sprites[i] = std::make_shared<Sprite>(graph->width, graph->height, handleX, handleY, argb);
  }
  return sprites;
}

AnimationSet LoadAnimationSet(const std::string& vbaPath) {
  const VBAPtr vba = VBA::Load(vbaPath);
  AnimationSet set;
  set.skeleton.children.resize(vba->boneCount);
  std::vector<VBABonePtr> walk;
  if (vba->root) {
    set.skeleton.root = vba->root->id;
    walk.push_back(vba->root);
  }
  while (!walk.empty()) {
    const VBABonePtr bone = walk.back();
    walk.pop_back();
    for (const VBABonePtr& child : bone->children) {
      set.skeleton.children[bone->id].push_back(child->id);
      walk.push_back(child);
    }
  }
  for (const VBAAnimPtr& anim : vba->anims) {
    Clip clip;
    for (VBAFramePtr frame = anim->firstFrame; frame; frame = frame->next) {
      Key key{frame->duration, {}};
      for (const VBABoneState& s : frame->states) {
        key.bones.push_back({s.x, s.y, s.angle, s.scale, s.depth, s.graph});
      }
      clip.keys.push_back(std::move(key));
    }
    set.clips.push_back(std::move(clip));
  }
  return set;
}

}  // namespace viewer
