#pragma once
// Graphs: the numbered images of a graphics package, with their handle and attachment points.
#include <cstdint>
#include <memory>
#include <vector>

#include "media/image.h"

// A control point of a graph. Point 0 is the handle; the others are attachment points.
struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
};

class TGraph;
using TGraphPtr = std::shared_ptr<TGraph>;

class TGraph {
 public:
  static TGraphPtr Create() { return std::make_shared<TGraph>(); }

  // Where the image's origin belongs: point 0, or the centre (integer halves) without points.
  void HandleFromPoints(int32_t& handleX, int32_t& handleY) const;
  // Sets the image's handle from the points; nothing without an image.
  void ApplyHandle() const;

  int32_t width = 0;
  int32_t height = 0;
  int32_t pointCount = 0;  // always points.size()
  std::vector<TPoint> points;
  media::ImagePtr image;  // one frame of width x height, or none
};

// The one graph every package puts in the slots it has nothing for: 1 x 1, no points. Created
// on first need by CreateEmptyGraph and never released; operations skip it by identity.
extern TGraphPtr emptyGraph;
const TGraphPtr& CreateEmptyGraph();
