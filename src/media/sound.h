#pragma once
// Sounds (WAV or OGG Vorbis) played on mixed channels. Without an audio device every call still
// works and nothing is heard.
#include <cstdint>
#include <memory>
#include <string>

namespace media {

enum SoundFlags : int { kSoundLoop = 1 };

class Sound;  // decoded on demand by the mixer
using SoundPtr = std::shared_ptr<Sound>;

// A playing voice. The generation makes a stale handle harmless once its slot is reused.
struct Channel {
  int slot = -1;
  uint32_t generation = 0;
};

// How a channel starts: set before its first sample is mixed, so nothing is heard at a level
// the caller did not ask for.
// A volume over 1 amplifies a quiet recording, up to kLoudestVolume.
constexpr float kLoudestVolume = 4;

struct PlayOptions {
  float volume = 1;  // 0..kLoudestVolume
  float pan = 0;     // -1 left .. 1 right; the centre leaves both sides at full level
};

// The most sounds that play at once without a loop (the game's effects). Asked for one more, the
// oldest of them gives way; a looping sound (music) never does.
constexpr int kMostEffectVoices = 32;

SoundPtr LoadSound(const std::string& path, int flags = 0);  // null when missing or undecodable
// No-op channel for a null sound.
Channel PlaySound(const SoundPtr& sound, const PlayOptions& options = {});
// Silences the channel for good: the caller sees it stopped at once, while the last few
// milliseconds fade out so that no click is heard.
void StopChannel(Channel channel);
void SetChannelVolume(Channel channel, float volume);  // 0..kLoudestVolume, clamped, at once
bool ChannelPlaying(Channel channel);
float ChannelVolume(Channel channel);  // 0 for a stale channel
double SoundSeconds(const SoundPtr& sound);

constexpr int kMixRate = 44100;
// What is mixed comes out this many frames later (a third of a millisecond): the limiter's
// look-ahead.
constexpr int kMixLatencyFrames = 16;

// Mixes `frames` stereo 44.1 kHz frames of every playing channel into `out` (interleaved). The
// sum passes a limiter that leaves it untouched up to -3 dBFS and bends anything louder softly
// under -0.5 dBFS: it never clips, and never cuts the top off a wave. Everything comes out
// kMixLatencyFrames late.
// The windowed backend calls it from the audio device, the headless one on its virtual clock
// when asked to record; tests call it directly.
void MixAudio(int16_t* out, int frames);

}  // namespace media
