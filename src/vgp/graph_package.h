#pragma once
// What VGP and SSVGP share: numbered graph slots and the operations that walk them. The two
// differ only in where their own slots start (VGP reserves slot 0 for "no image") and in small
// details of writing, which they pass in.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "vgp/graph.h"

class GraphPackage {
 public:
  // Puts a graph in a slot, growing the package when needed (new slots hold nothing).
  void Put(int32_t slot, TGraphPtr graph);
  // The graph in a slot; null for a slot holding nothing or out of range.
  TGraphPtr Get(int32_t slot) const;

  int32_t count = 0;
  int32_t imageFlags = 0;  // the loader's flags with kImageDynamic added
  std::vector<TGraphPtr> graphs;

 protected:
  enum class Source { kVgp, kFpg, kFpgWithImageFiles };
  // Reads every record of the file into this package: a record numbered n goes to slot
  // n - firstNumber, and numbers below firstNumber are refused. Sets imageFlags from flags.
  void Load(const std::string& path, Source source, int flags, int32_t firstNumber);
  // Every slot from `from` on that holds nothing receives the empty graph.
  void FillEmptySlots(int32_t from);
  // New graphs, points and images for every slot; the empty graph stays shared.
  void CopyGraphsInto(GraphPackage& copy) const;
  void SilhouetteFrom(int32_t firstSlot, bool includeEmptyGraph);
  // tints: r1, g1, b1, r2, g2, b2, r3, g3, b3.
  void RecolourFrom(int32_t firstSlot, bool includeEmptyGraph, const std::array<int, 9>& tints,
                    int threshold);
  void ClearGraphs();
  // Writes the VGP format: slots from `firstSlot`, skipping empty ones and the empty graph.
  // Without `keepTransparentColour`, a pixel of alpha 0 is written as four 0 bytes.
  void Write(const std::string& path, int32_t firstSlot, bool keepTransparentColour) const;

 private:
  // The slots from `firstSlot` holding a graph of their own (or the shared one if asked).
  std::vector<TGraph*> GraphsFrom(int32_t firstSlot, bool includeEmptyGraph) const;
};
