// Channels and the mixer. The game thread starts and stops voices; the audio device's thread
// calls MixAudio. One mutex guards the voices; decoders are opened and closed outside it so the
// audio thread never waits on a file being opened.
#include "media/sound.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "media/sound_source.h"

namespace media {
namespace {

constexpr int kOutputRate = 44100;
constexpr int kVoices = 32;
constexpr int kDecodeFrames = 1024;
constexpr int kMaxSourceChannels = 8;
constexpr float kSampleMax = 32767.0f;
constexpr float kSampleMin = -32768.0f;

// One playing sound: its decoder, a block of decoded frames and a linear resampler that walks
// between the two source frames around the current output position.
struct Voice {
  bool active = false;
  uint32_t generation = 0;
  float volume = 1;
  bool loop = false;
  int channels = 0;
  double step = 1;      // source frames per output frame
  double fraction = 0;  // position between `current` and `next`
  float current[2] = {};
  float next[2] = {};
  std::unique_ptr<SoundDecoder> decoder;
  std::array<int16_t, kDecodeFrames * kMaxSourceChannels> block{};
  int blockFrames = 0;
  int blockPosition = 0;
};

// Next source frame into `frame`; false when the sound is over.
bool FetchFrame(Voice& voice, float* frame) {
  if (voice.blockPosition == voice.blockFrames) {
    voice.blockFrames = voice.decoder->Read(voice.block.data(), kDecodeFrames);
    if (voice.blockFrames == 0 && voice.loop && voice.decoder->Rewind()) {
      voice.blockFrames = voice.decoder->Read(voice.block.data(), kDecodeFrames);
    }
    voice.blockPosition = 0;
    if (voice.blockFrames == 0) return false;
  }
  const int16_t* samples = &voice.block[voice.blockPosition++ * voice.channels];
  frame[0] = samples[0];
  frame[1] = voice.channels > 1 ? samples[1] : samples[0];  // mono to both sides; more: front pair
  return true;
}

void MixVoice(Voice& voice, float* mix, int frames) {
  for (int i = 0; i < frames; ++i) {
    for (int side = 0; side < 2; ++side) {
      float sample = voice.current[side] +
                     (voice.next[side] - voice.current[side]) * static_cast<float>(voice.fraction);
      mix[i * 2 + side] += sample * voice.volume;
    }
    for (voice.fraction += voice.step; voice.fraction >= 1; voice.fraction -= 1) {
      std::copy_n(voice.next, 2, voice.current);
      if (!FetchFrame(voice, voice.next)) {
        voice.active = false;
        return;
      }
    }
  }
}

class Mixer {
 public:
  Channel Start(std::unique_ptr<SoundDecoder> decoder, const Sound& sound);
  std::unique_ptr<SoundDecoder> Stop(Channel channel);
  void SetVolume(Channel channel, float volume);
  bool Playing(Channel channel);
  float Volume(Channel channel);
  void Mix(int16_t* out, int frames);

 private:
  Voice* Find(Channel channel) {
    if (channel.slot < 0 || channel.slot >= kVoices) return nullptr;
    Voice& voice = voices_[channel.slot];
    return voice.active && voice.generation == channel.generation ? &voice : nullptr;
  }

  std::mutex mutex_;
  std::array<Voice, kVoices> voices_;
  std::vector<float> mix_;
};

Channel Mixer::Start(std::unique_ptr<SoundDecoder> decoder, const Sound& sound) {
  // A finished voice may still hold its decoder. It goes to `finished`, declared before the lock
  // so that it is closed after the lock is released.
  std::unique_ptr<SoundDecoder> finished;
  std::lock_guard lock(mutex_);
  for (int slot = 0; slot < kVoices; ++slot) {
    Voice& voice = voices_[slot];
    if (voice.active) continue;
    finished = std::move(voice.decoder);
    voice.decoder = std::move(decoder);
    voice.active = true;
    ++voice.generation;
    voice.volume = 1;
    voice.loop = sound.Loops();
    voice.channels = sound.Channels();
    voice.step = static_cast<double>(sound.Rate()) / kOutputRate;
    voice.fraction = 0;
    voice.blockFrames = voice.blockPosition = 0;
    std::fill_n(voice.current, 2, 0.0f);
    if (!FetchFrame(voice, voice.next)) voice.active = false;
    return Channel{slot, voice.generation};
  }
  return Channel{};
}

std::unique_ptr<SoundDecoder> Mixer::Stop(Channel channel) {
  std::lock_guard lock(mutex_);
  Voice* voice = Find(channel);
  if (!voice) return nullptr;
  voice->active = false;
  return std::move(voice->decoder);
}

void Mixer::SetVolume(Channel channel, float volume) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = Find(channel)) voice->volume = std::clamp(volume, 0.0f, 1.0f);
}

bool Mixer::Playing(Channel channel) {
  std::lock_guard lock(mutex_);
  return Find(channel) != nullptr;
}

float Mixer::Volume(Channel channel) {
  std::lock_guard lock(mutex_);
  Voice* voice = Find(channel);
  return voice ? voice->volume : 0;
}

void Mixer::Mix(int16_t* out, int frames) {
  std::lock_guard lock(mutex_);
  mix_.assign(static_cast<size_t>(frames) * 2, 0.0f);
  for (Voice& voice : voices_) {
    if (voice.active) MixVoice(voice, mix_.data(), frames);
  }
  for (size_t i = 0; i < mix_.size(); ++i) {
    out[i] = static_cast<int16_t>(std::clamp(mix_[i], kSampleMin, kSampleMax));
  }
}

// Never destroyed: the audio thread may still call in while the program's statics go away.
Mixer& TheMixer() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

bool HasMagic(const std::string& path, const char* magic) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char head[4] = {};
  bool match = std::fread(head, 1, sizeof head, file) == sizeof head &&
               std::equal(head, head + sizeof head, magic);
  std::fclose(file);
  return match;
}

}  // namespace

SoundPtr LoadSound(const std::string& path, int flags) {
  bool loop = (flags & kSoundLoop) != 0;
  if (HasMagic(path, "OggS")) return LoadOggSound(path, loop);
  if (HasMagic(path, "RIFF")) return LoadWavSound(path, loop);
  return nullptr;
}

Channel PlaySound(const SoundPtr& sound) {
  if (!sound) return Channel{};
  std::unique_ptr<SoundDecoder> decoder = sound->OpenDecoder();
  if (!decoder) return Channel{};
  return TheMixer().Start(std::move(decoder), *sound);
}

void StopChannel(Channel channel) {
  TheMixer().Stop(channel);
}

void SetChannelVolume(Channel channel, float volume) {
  TheMixer().SetVolume(channel, volume);
}

bool ChannelPlaying(Channel channel) {
  return TheMixer().Playing(channel);
}

float ChannelVolume(Channel channel) {
  return TheMixer().Volume(channel);
}

double SoundSeconds(const SoundPtr& sound) {
  return sound ? sound->Seconds() : 0;
}

void MixAudio(int16_t* out, int frames) {
  TheMixer().Mix(out, frames);
}

}  // namespace media
