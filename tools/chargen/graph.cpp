#include "graph.h"

#include <cmath>

#include "artkit.h"

namespace chargen {

// Room around the box for the outline stroke and the filtering of rotated drawing.
constexpr int kMargin = 3;

Graph RenderGraph(const Box& box, const std::function<void(cairo_t*)>& draw) {
  const int left = static_cast<int>(std::floor(box.left)) - kMargin;
  const int top = static_cast<int>(std::floor(box.top)) - kMargin;
  const int right = static_cast<int>(std::ceil(box.right)) + kMargin;
  const int bottom = static_cast<int>(std::ceil(box.bottom)) + kMargin;
  artkit::Canvas canvas(right - left, bottom - top);
  cairo_translate(canvas.Cairo(), -left, -top);
  draw(canvas.Cairo());
  return {canvas.Width(), canvas.Height(), -left, -top, canvas.StraightArgb()};
}

Graph MirrorGraph(const Graph& graph) {
  Graph mirrored = graph;
  mirrored.handleX = graph.width - graph.handleX;
  for (int y = 0; y < graph.height; ++y) {
    for (int x = 0; x < graph.width; ++x) {
      mirrored.pixels[y * graph.width + x] = graph.pixels[y * graph.width + graph.width - 1 - x];
    }
  }
  return mirrored;
}

}  // namespace chargen
