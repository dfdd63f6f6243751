#include "vgp/pvgp.h"

#include "vgp/package_reader.h"

PVGPPtr PVGP::LoadFPG(const std::string& path) {
  PVGPPtr package = Create();
  package->Load(path, true);
  return package;
}

PVGPPtr PVGP::LoadVGP(const std::string& path) {
  PVGPPtr package = Create();
  package->Load(path, false);
  return package;
}

void PVGP::Load(const std::string& path, bool fpg) {
  vgp::PackageReader reader(path, fpg ? vgp::FileKind::kFPG : vgp::FileKind::kVGP);
  while (!reader.AtEnd()) {
    const int32_t slot = reader.ReadGraphNumber(0);
    if (slot >= count) {
      count = slot + 1;
      pixmaps.resize(count);
    }
    PixmapPtr pixmap = std::make_shared<Pixmap>();
    reader.SkipToSize();
    pixmap->width = reader.ReadSide("width");
    pixmap->height = reader.ReadSide("height");
    reader.SkipPoints();
    pixmap->pixels = reader.ReadPixels(pixmap->width, pixmap->height);
    pixmaps[slot] = std::move(pixmap);
  }
  reader.Close();
}

void PVGP::Clear() {
  pixmaps.clear();
}
