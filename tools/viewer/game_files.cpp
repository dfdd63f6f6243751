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

std::shared_ptr<VBA> LoadAnimationSet(const std::string& vbaPath) {
  return VBA::Load(vbaPath);
}

int PassLength(const VBA& set, int index, bool loop) {
  int length = 0;
  for (VBAFramePtr frame = set.anims[index]->firstFrame; frame; frame = frame->next) {
    if (loop || frame->next) length += frame->duration;
  }
  return length;
}

}  // namespace viewer
