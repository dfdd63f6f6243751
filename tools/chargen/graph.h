#pragma once
// One drawn part of a character: straight ARGB pixels and the handle (the joint it turns about).
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace chargen {

struct Graph {
  int width = 0;
  int height = 0;
  int handleX = 0;
  int handleY = 0;
  std::vector<uint32_t> pixels;
};

// The part's extent in bone space, where (0, 0) is the joint.
struct Box {
  double left, top, right, bottom;
};

// Draws a part in bone space into an image just large enough for the box plus the outline.
Graph RenderGraph(const Box& box, const std::function<void(cairo_t*)>& draw);

// The horizontally flipped part, its handle moved so that it still sits on the joint.
Graph MirrorGraph(const Graph& graph);

}  // namespace chargen
