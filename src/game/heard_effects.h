#pragma once
// The sound effects of the frames not yet confirmed, each known by its frame, its kind and how
// many of that kind the frame started before it. When frames are played again, an effect they
// start again is the one already sounding, never a second; an effect of a wrong guess that is
// not started again is cut.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/sound_effects.h"

namespace game {

class HeardEffects {
 public:
  // Effects from now on belong to `frame`, played for the first time or again.
  void Begin(uint32_t frame);
  // What the sound effects' route asks: the effect's channel, started by `play` only when the
  // frame did not start it already.
  media::Channel Route(SoundEffect effect, const std::function<media::Channel()>& play);
  // The match went back to `frame`: what it started from there stands only if started again.
  void Rewind(uint32_t frame);
  // After playing again: the effects not started again are stopped and forgotten.
  void CutUnheard();
  // Frames before `frame` are confirmed; their effects can no longer change.
  void Forget(uint32_t frame);
  size_t Count() const { return heard_.size(); }

 private:
  struct Heard {
    uint32_t frame = 0;
    SoundEffect effect = SoundEffect::kCount;
    int ordinal = 0;
    media::Channel channel;
    bool standing = true;
  };

  std::vector<Heard> heard_;
  uint32_t frame_ = 0;
  std::array<int, static_cast<size_t>(SoundEffect::kCount)> started_{};  // in frame_, by kind
};

}  // namespace game
