#include "vgp/graph.h"

TGraphPtr emptyGraph;

void TGraph::HandleFromPoints(int32_t& handleX, int32_t& handleY) const {
  if (points.empty()) {
    handleX = width / 2;
    handleY = height / 2;
  } else {
    handleX = points[0].x;
    handleY = points[0].y;
  }
}

void TGraph::ApplyHandle() const {
  int32_t handleX = 0;
  int32_t handleY = 0;
  HandleFromPoints(handleX, handleY);
  if (image) media::SetImageHandle(image, static_cast<float>(handleX), static_cast<float>(handleY));
}

const TGraphPtr& CreateEmptyGraph() {
  if (!emptyGraph) {
    emptyGraph = TGraph::Create();
    emptyGraph->width = 1;
    emptyGraph->height = 1;
    emptyGraph->image = media::CreateImage(1, 1, 1, 0);
  }
  return emptyGraph;
}
