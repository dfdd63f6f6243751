#pragma once
// vgp/, the file formats above media/. The graphics package of a character: numbered graphs, slot 0
// always the empty graph so that graph number 0 means "no image".
#include <memory>
#include <string>

#include "vgp/graph_package.h"

class VGP;
using VGPPtr = std::shared_ptr<VGP>;

class VGP : public GraphPackage {
 public:
  // An empty package (count 0) to fill with Put and write with Save.
  static VGPPtr Create() { return std::make_shared<VGP>(); }
  // Readers end the program on a missing or damaged file; they never return null.
  static VGPPtr LoadFPG(const std::string& path, int flags);
  static VGPPtr LoadFPGFiles(const std::string& path, int flags);
  // relativePoints not 0: points 1 onward become offsets from point 0.
  static VGPPtr LoadVGP(const std::string& path, int flags, int relativePoints);

  // Writes slots 1 to count - 1, skipping empty slots and the empty graph.
  void Save(const std::string& path) const;
  VGPPtr Copy() const;
  void MakeSilhouette();  // every pixel not 0 becomes opaque black
  void Recolour(int r1, int g1, int b1, int r2, int g2, int b2, int r3, int g3, int b3,
                int threshold);
  void Clear();  // drops every graph; count is kept

 private:
  void FinishLoading();  // slot 0 and every empty slot get the empty graph
  void MakePointsRelative();
};
