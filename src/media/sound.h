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

SoundPtr LoadSound(const std::string& path, int flags = 0);  // null when missing or undecodable
Channel PlaySound(const SoundPtr& sound);                    // no-op channel for a null sound
void StopChannel(Channel channel);
void SetChannelVolume(Channel channel, float volume);  // 0..1, clamped, at once
bool ChannelPlaying(Channel channel);
float ChannelVolume(Channel channel);  // 0 for a stale channel
double SoundSeconds(const SoundPtr& sound);

// Mixes `frames` stereo 44.1 kHz frames of every playing channel into `out` (interleaved).
// The windowed backend calls it from the audio device; tests call it directly.
void MixAudio(int16_t* out, int frames);

}  // namespace media
