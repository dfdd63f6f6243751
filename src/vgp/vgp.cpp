#include "vgp/vgp.h"

namespace {

constexpr int32_t kFirstOwnSlot = 1;

}  // namespace

VGPPtr VGP::LoadVGP(const std::string& path, int flags, int relativePoints) {
  VGPPtr package = Create();
  package->Load(path, Source::kVgp, flags, 0);
  package->FinishLoading();
  if (relativePoints != 0) package->MakePointsRelative();
  return package;
}

VGPPtr VGP::LoadFPG(const std::string& path, int flags) {
  VGPPtr package = Create();
  package->Load(path, Source::kFpg, flags, 0);
  package->FinishLoading();
  return package;
}

VGPPtr VGP::LoadFPGFiles(const std::string& path, int flags) {
  VGPPtr package = Create();
  package->Load(path, Source::kFpgWithImageFiles, flags, 0);
  package->FinishLoading();
  return package;
}

void VGP::FinishLoading() {
  // A file of only a header still gives the one slot that means "no image".
  Put(0, CreateEmptyGraph());
  FillEmptySlots(kFirstOwnSlot);
}

void VGP::MakePointsRelative() {
  for (const TGraphPtr& graph : graphs) {
    if (graph == emptyGraph || graph->points.size() < 2) continue;
    for (size_t i = 1; i < graph->points.size(); ++i) {
      graph->points[i].x -= graph->points[0].x;
      graph->points[i].y -= graph->points[0].y;
    }
  }
}

void VGP::Save(const std::string& path) const {
  Write(path, kFirstOwnSlot, false);
}

VGPPtr VGP::Copy() const {
  VGPPtr copy = Create();
  CopyGraphsInto(*copy);
  return copy;
}

void VGP::MakeSilhouette() {
  SilhouetteFrom(kFirstOwnSlot, false);
}

void VGP::Recolour(int r1, int g1, int b1, int r2, int g2, int b2, int r3, int g3, int b3,
                   int threshold) {
  RecolourFrom(kFirstOwnSlot, false, {r1, g1, b1, r2, g2, b2, r3, g3, b3}, threshold);
}

void VGP::Clear() {
  ClearGraphs();
}
