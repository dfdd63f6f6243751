#include "entities/flecha_dir.h"

#include <cmath>

#include "media/draw.h"
#include "media/trig.h"
#include "resources/recursos.h"

namespace {
constexpr int kArrowImage = 1;  // "gfx/flecha.png"
constexpr float kStartAngle = 85.0f;
constexpr float kFlatAngle = 20.0f;
// Blended over the field with the dark outline of its picture, it reads from the first frame on
// any sky and grows more solid as it sweeps.
constexpr float kFaintest = 0.7f;
constexpr float kBrightest = 1.0f;
constexpr float kSweepGain = 0.3f;    // from faintest to brightest over the sweep
constexpr float kSweepRange = 65.0f;  // degrees from the start angle to the flat one
constexpr float kReach = 45.0f;       // pixels out along the aim
constexpr float kBodyHeight = 50.0f;  // the aim starts this far above the feet
}  // namespace

std::shared_ptr<TFlechaDir> TFlechaDir::Create(std::shared_ptr<TRecursos> resources, int depth) {
  auto arrow = std::make_shared<TFlechaDir>();
  arrow->resources = std::move(resources);
  arrow->depth = depth;
  arrow->alpha = kFaintest;
  arrow->blend = media::kBlendAlpha;
  return arrow;
}

void TFlechaDir::Update() {
  if (rotation > kFlatAngle) {
    alpha = kFaintest + kSweepGain * std::fabs(rotation - kStartAngle) / kSweepRange;
  } else {
    alpha = kBrightest;
  }
}

void TFlechaDir::Draw() {
  if (!resources) return;
  ApplyRenderState();
  media::DrawImage(resources->GetImage(kArrowImage), x + kReach * media::CosDegrees(rotation),
                   y - kBodyHeight + kReach * media::SinDegrees(rotation), 0);
}
