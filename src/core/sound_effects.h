#pragma once
// The game's sound effects: made by the build into sfx/, decoded once at start-up and played from
// memory at the sound volume of the settings. Effects on the field are panned lightly by the x of
// what makes them; those heard often come in two or three takes, picked by a cosmetic random
// stream of their own, so sound never touches the match's random numbers.
#include <functional>

#include "media/sound.h"

enum class SoundEffect : int {
  // in a match
  kCharge,  // crouching: rises while the jump charges, pings when it is full
  kJump,
  kArrow,
  kDive,
  kLand,
  kHit,  // a hit that knocks a player down
  kClash,
  kTrip,
  kHammer,  // each press of a player who is down
  kGetUp,
  kWalker,  // a walking zombie arrives
  kThrown,  // a walking zombie thrown back
  kCatch,   // the horde catches a player
  kWin,
  kDraw,
  kPause,
  kResume,
  // in the menus
  kHover,
  kClick,
  kPanelOpen,
  kPanelClose,
  kBind,   // a button bound to a player
  kTick,   // a volume slider let go
  kSting,  // start-up
  // in the tutorial
  kSlide,
  kPrompt,  // the tutorial waits for Enter
  kCount
};

constexpr float kMidScreenX = 400;

// Loads every effect. Each file that is missing or damaged is named in one line on standard
// error and the game goes on without that sound.
void LoadSoundEffects();
// The effects' volume as the settings hold it, 0-100 (beyond is clamped), heard on the volume
// curve of core/volume.h.
void SetSoundEffectsVolume(int volume);

// Plays the effect as made at `x` on the screen, at the settings' volume.
media::Channel PlaySoundEffect(SoundEffect effect, float x = kMidScreenX);
// At a volume of its own rather than the settings' (the sound slider's tick at its new place).
media::Channel PlaySoundEffectAt(SoundEffect effect, int volume);

// Told of every effect asked for, where and at what volume (0-100); empty to stop listening.
// Tests listen in.
using SoundEffectListener = std::function<void(SoundEffect effect, float x, int volume)>;
void ListenToSoundEffects(SoundEffectListener listener);
