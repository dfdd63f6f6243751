#pragma once
// A graphics package numbered from slot 0, with no slot reserved for "no image".
#include <memory>
#include <string>

#include "vgp/graph_package.h"

class SSVGP;
using SSVGPPtr = std::shared_ptr<SSVGP>;

class SSVGP : public GraphPackage {
 public:
  static SSVGPPtr Create() { return std::make_shared<SSVGP>(); }
  // FPG code c goes to slot c - 1; a code of 0 is refused. Readers never return null.
  static SSVGPPtr LoadFPGFiles(const std::string& path, int flags);
  static SSVGPPtr LoadVGP(const std::string& path, int flags);

  // Writes slots 0 to count - 1 with every pixel's four bytes as they are.
  void Save(const std::string& path) const;
  SSVGPPtr Copy() const;
  void MakeSilhouette();
  void Recolour(int r1, int g1, int b1, int r2, int g2, int b2, int r3, int g3, int b3,
                int threshold);
  void Clear();
};
