#include "vgp/graph_package.h"

#include <algorithm>

void GraphPackage::Put(int32_t slot, TGraphPtr graph) {
  if (slot >= count) {
    count = slot + 1;
    graphs.resize(count);
  }
  graphs[slot] = std::move(graph);
}

TGraphPtr GraphPackage::Get(int32_t slot) const {
  if (slot < 0 || slot >= static_cast<int32_t>(graphs.size())) return nullptr;
  return graphs[slot];
}

void GraphPackage::FillEmptySlots(int32_t from) {
  for (int32_t slot = std::max(from, 0); slot < static_cast<int32_t>(graphs.size()); ++slot) {
    if (!graphs[slot]) graphs[slot] = CreateEmptyGraph();
  }
}

std::vector<TGraph*> GraphPackage::GraphsFrom(int32_t firstSlot, bool includeEmptyGraph) const {
  std::vector<TGraph*> own;
  for (int32_t slot = std::max(firstSlot, 0); slot < static_cast<int32_t>(graphs.size()); ++slot) {
    const TGraphPtr& graph = graphs[slot];
    if (graph && graph->image && (includeEmptyGraph || graph != emptyGraph)) {
      own.push_back(graph.get());
    }
  }
  return own;
}

void GraphPackage::CopyGraphsInto(GraphPackage& copy) const {
  CreateEmptyGraph();
  copy.count = count;
  copy.imageFlags = imageFlags;
  copy.graphs.assign(graphs.size(), nullptr);
  for (size_t slot = 0; slot < graphs.size(); ++slot) {
    const TGraphPtr& source = graphs[slot];
    if (!source || source == emptyGraph) {
      copy.graphs[slot] = source;
      continue;
    }
    TGraphPtr graph = TGraph::Create();
    graph->width = source->width;
    graph->height = source->height;
    graph->pointCount = source->pointCount;
    graph->points = source->points;
    graph->image = media::CreateImage(graph->width, graph->height, 1, imageFlags);
    if (source->image) {
      const media::PixelBuffer from = media::LockImage(source->image, 0, true, false);
      const media::PixelBuffer to = media::LockImage(graph->image, 0, true, true);
      const int rows = std::min(from.height, to.height);
      const int columns = std::min(from.width, to.width);
      for (int y = 0; y < rows; ++y) std::copy_n(from.Row(y), columns, to.Row(y));
      media::UnlockImage(graph->image);
      media::UnlockImage(source->image);
    }
    graph->ApplyHandle();
    copy.graphs[slot] = graph;
  }
}

void GraphPackage::SilhouetteFrom(int32_t firstSlot, bool includeEmptyGraph) {
  CreateEmptyGraph();
  for (TGraph* graph : GraphsFrom(firstSlot, includeEmptyGraph)) {
    const media::PixelBuffer buffer = media::LockImage(graph->image, 0, true, true);
    for (int y = 0; y < buffer.height; ++y) {
      uint32_t* row = buffer.Row(y);
      for (int x = 0; x < buffer.width; ++x) {
        if (row[x] != 0) row[x] = 0xFF000000u;
      }
    }
    media::UnlockImage(graph->image);
  }
}

namespace {

// The tint of the one channel above the threshold, scaled by that channel; unchanged otherwise.
uint32_t RecolourPixel(uint32_t pixel, const std::array<int, 9>& tints, int threshold) {
  const int channels[3] = {static_cast<int>(pixel >> 16 & 0xFF),
                           static_cast<int>(pixel >> 8 & 0xFF), static_cast<int>(pixel & 0xFF)};
  int high = -1;
  for (int channel = 0; channel < 3; ++channel) {
    if (channels[channel] <= threshold) continue;
    if (high >= 0) return pixel;
    high = channel;
  }
  if (high < 0) return pixel;
  const uint32_t key = static_cast<uint32_t>(channels[high]);
  const int* tint = &tints[high * 3];
  return (pixel & 0xFF000000u) | (key * (tint[0] & 0xFF) / 255) << 16 |
         (key * (tint[1] & 0xFF) / 255) << 8 | key * (tint[2] & 0xFF) / 255;
}

}  // namespace

void GraphPackage::RecolourFrom(int32_t firstSlot, bool includeEmptyGraph,
                                const std::array<int, 9>& tints, int threshold) {
  CreateEmptyGraph();
  threshold &= 0xFF;
  for (TGraph* graph : GraphsFrom(firstSlot, includeEmptyGraph)) {
    const media::PixelBuffer buffer = media::LockImage(graph->image, 0, true, true);
    for (int y = 0; y < buffer.height; ++y) {
      uint32_t* row = buffer.Row(y);
      for (int x = 0; x < buffer.width; ++x) {
        if (row[x] >> 24 != 0) row[x] = RecolourPixel(row[x], tints, threshold);
      }
    }
    media::UnlockImage(graph->image);
  }
}

void GraphPackage::ClearGraphs() {
  CreateEmptyGraph();
  for (TGraphPtr& graph : graphs) {
    if (!graph || graph == emptyGraph) continue;
    graph->image.reset();
    graph->points.clear();
    graph.reset();
  }
  graphs.clear();
}
