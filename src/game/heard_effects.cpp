#include "game/heard_effects.h"

#include <algorithm>

namespace game {

void HeardEffects::Begin(uint32_t frame) {
  frame_ = frame;
  started_.fill(0);
}

media::Channel HeardEffects::Route(SoundEffect effect,
                                   const std::function<media::Channel()>& play) {
  const int ordinal = started_[static_cast<size_t>(effect)]++;
  for (Heard& heard : heard_) {
    if (heard.frame == frame_ && heard.effect == effect && heard.ordinal == ordinal) {
      heard.standing = true;
      return heard.channel;
    }
  }
  heard_.push_back({frame_, effect, ordinal, play(), true});
  return heard_.back().channel;
}

void HeardEffects::Rewind(uint32_t frame) {
  for (Heard& heard : heard_) {
    if (heard.frame >= frame) heard.standing = false;
  }
}

void HeardEffects::CutUnheard() {
  for (const Heard& heard : heard_) {
    if (!heard.standing) media::StopChannel(heard.channel);
  }
  std::erase_if(heard_, [](const Heard& heard) { return !heard.standing; });
}

void HeardEffects::Forget(uint32_t frame) {
  std::erase_if(heard_, [frame](const Heard& heard) { return heard.frame < frame; });
}

}  // namespace game
