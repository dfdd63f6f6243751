#include "output.h"

#include <algorithm>
#include <stdexcept>

#include "anim/vba.h"
#include "media/image.h"
#include "vgp/vgp.h"

namespace chargen {

void WritePackage(const std::map<int, Graph>& graphs, const std::string& path) {
  const VGPPtr package = VGP::Create();
  for (const auto& [number, graph] : graphs) {
    const TGraphPtr slot = TGraph::Create();
    slot->width = graph.width;
    slot->height = graph.height;
    slot->points = {{graph.handleX, graph.handleY}};
    slot->pointCount = 1;
    slot->image = media::CreateImage(graph.width, graph.height, 1, media::kImageDynamic);
    std::copy(graph.pixels.begin(), graph.pixels.end(), slot->image->Pixels(0));
    package->Put(number, slot);
  }
  package->Save(path);
}

static VBAFramePtr MakeFrame(const KeyFrame& key) {
  const VBAFramePtr frame = VBAFrame::Create();
  frame->duration = key.duration;
  for (const BoneState& s : key.states) {
    frame->states.push_back({s.x, s.y, s.angle, s.scale, s.depth, s.graph});
  }
  return frame;
}

void WriteAnimations(const Rig& rig, const std::string& path) {
  const VBAPtr set = VBA::Create();
  std::vector<VBABonePtr> bones;
  for (size_t i = 0; i < rig.bones.size(); ++i) {
    bones.push_back(VBABone::Create());
    bones[i]->id = static_cast<int32_t>(i);
    bones[i]->name = rig.bones[i].name;
    if (rig.bones[i].parent >= 0) bones[rig.bones[i].parent]->AddChild(bones[i]);
  }
  set->root = bones.front();
  set->boneCount = static_cast<int32_t>(bones.size());
  for (size_t index = 0; index < rig.anims.size(); ++index) {
    const Animation& anim = rig.anims[index];
    if (anim.frames.empty()) {
      throw std::runtime_error(path + ": animation " + std::to_string(index) + " is not defined");
    }
    const VBAAnimPtr out = VBAAnim::Create();
    for (const KeyFrame& key : anim.frames) out->AddFrame(MakeFrame(key));
    set->anims.push_back(out);
  }
  set->animCount = static_cast<int32_t>(set->anims.size());
  set->Save(path);
}

}  // namespace chargen
