#include "vgp/ssvgp.h"

namespace {

constexpr int32_t kFirstOwnSlot = 0;
constexpr int32_t kFirstFpgCode = 1;  // code c fills slot c - 1

}  // namespace

SSVGPPtr SSVGP::LoadFPGFiles(const std::string& path, int flags) {
  SSVGPPtr package = Create();
  package->Load(path, Source::kFpgWithImageFiles, flags, kFirstFpgCode);
  package->FillEmptySlots(kFirstOwnSlot);
  return package;
}

SSVGPPtr SSVGP::LoadVGP(const std::string& path, int flags) {
  SSVGPPtr package = Create();
  package->Load(path, Source::kVgp, flags, 0);
  package->FillEmptySlots(kFirstOwnSlot);
  return package;
}

void SSVGP::Save(const std::string& path) const {
  Write(path, kFirstOwnSlot, true);
}

SSVGPPtr SSVGP::Copy() const {
  SSVGPPtr copy = Create();
  CopyGraphsInto(*copy);
  return copy;
}

// Unlike VGP, these visit the shared empty graph as well; its one transparent pixel is left as
// it is by both rules.
void SSVGP::MakeSilhouette() {
  SilhouetteFrom(kFirstOwnSlot, true);
}

void SSVGP::Recolour(int r1, int g1, int b1, int r2, int g2, int b2, int r3, int g3, int b3,
                     int threshold) {
  RecolourFrom(kFirstOwnSlot, true, {r1, g1, b1, r2, g2, b2, r3, g3, b3}, threshold);
}

void SSVGP::Clear() {
  ClearGraphs();
}
