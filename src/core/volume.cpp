#include "core/volume.h"

#include <algorithm>

namespace {

// The level at the top of the slider of each kind of sound, measured on the game's own tracks and
// effects: the music is mastered a little under the mix it should make, the effects, short and
// with peaks kept under -3 dBFS, well under it. The mixer's limiter keeps any pile-up in range.
constexpr float kMusicAtTop = 1.52f;
constexpr float kEffectsAtTop = 3.4f;

}  // namespace

float VolumeCurve(int setting) {
  const float share = static_cast<float>(std::clamp(setting, 0, kMaxVolume)) / kMaxVolume;
  return share * share;
}

float MusicLevel(int setting) {
  return VolumeCurve(setting) * kMusicAtTop;
}

float EffectsLevel(int setting) {
  return VolumeCurve(setting) * kEffectsAtTop;
}
