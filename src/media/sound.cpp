// Channels and the mixer. The game thread starts and stops voices; the audio device's thread
// calls MixAudio. One mutex guards the voices; decoders are opened and closed outside it so the
// audio thread never waits on a file being opened.
#include "media/sound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>

#include "media/sound_source.h"

namespace media {
namespace {

constexpr int kVoices = kMostEffectVoices + 16;  // room for the music and voices fading out
constexpr int kDecodeFrames = 1024;
constexpr int kMaxSourceChannels = 8;
constexpr float kSampleMax = 32767.0f;
constexpr float kSampleMin = -32768.0f;
constexpr int kReleaseFrames = 192;  // about 4 ms: long enough not to click, too short to hear
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kSquareRootOfTwo = 1.4142135623730951;
// The limiter: the sum is untouched up to the knee (-3 dBFS) and never reaches the ceiling
// (-0.5 dBFS); after a pile-up the level comes back to full in at most 150 ms, evenly, so it lands
// exactly on 1 again.
constexpr float kLimiterKnee = 0.708f * kSampleMax;
constexpr float kLimiterCeiling = 0.944f * kSampleMax;
constexpr float kLimiterRecovery = 1.0f / (0.15f * kMixRate);

// One playing sound: its decoder, a block of decoded frames and a linear resampler that walks
// between the two source frames around the current output position.
struct Voice {
  bool active = false;  // sounding: playing, or fading out after a stop
  int releaseLeft = 0;  // frames of fade-out left; 0 while the voice plays on
  uint32_t generation = 0;
  uint64_t order = 0;  // when it started, to find the oldest
  float volume = 1;
  float gains[2] = {1, 1};  // the pan's share of each side
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

  bool Playing() const { return active && releaseLeft == 0; }
};

// Constant power across the field, scaled so that the centre leaves both sides untouched.
void PanGains(float pan, float* gains) {
  if (pan == 0) {
    gains[0] = gains[1] = 1;
    return;
  }
  double angle = (std::clamp(pan, -1.0f, 1.0f) + 1) * kQuarterPi;
  gains[0] = static_cast<float>(kSquareRootOfTwo * std::cos(angle));
  gains[1] = static_cast<float>(kSquareRootOfTwo * std::sin(angle));
}

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
    float level = voice.volume;
    if (voice.releaseLeft > 0) level *= static_cast<float>(voice.releaseLeft) / kReleaseFrames;
    for (int side = 0; side < 2; ++side) {
      float sample = voice.current[side] +
                     (voice.next[side] - voice.current[side]) * static_cast<float>(voice.fraction);
      mix[i * 2 + side] += sample * level * voice.gains[side];
    }
    if (voice.releaseLeft > 0 && --voice.releaseLeft == 0) {
      voice.active = false;
      return;
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

// Where a peak of the sum lands: itself up to the knee, then bent towards the ceiling, which it
// never reaches; a louder peak always lands higher.
float SoftPeak(float peak) {
  if (peak <= kLimiterKnee) return peak;
  constexpr float kRoom = kLimiterCeiling - kLimiterKnee;
  const float excess = (peak - kLimiterKnee) / kRoom;
  return kLimiterKnee + kRoom * excess / (1 + excess);
}

// Looks kMixLatencyFrames ahead, so the gain has come down smoothly by the time a peak goes out:
// the peak lands where SoftPeak puts it and the wave around it keeps its shape, instead of its top
// being pinned at one level. Each frame's gain is the mean, over the look-ahead, of the least
// gain any frame in reach of it needs, which is never more than the frame going out needs; after
// a pile-up it comes back up evenly.
class Limiter {
 public:
  // Takes a frame in and gives back the one that entered kMixLatencyFrames frames before it.
  void Next(float& left, float& right) {
    const float peak = std::max(std::fabs(left), std::fabs(right));
    needed_[at_] = peak > kLimiterKnee ? SoftPeak(peak) / peak : 1.0f;
    held_[at_] = *std::min_element(needed_.begin(), needed_.end());
    float sum = 0;
    for (float held : held_) sum += held;
    gain_ = std::min(sum / kWindow, std::min(1.0f, gain_ + kLimiterRecovery));
    std::swap(delayed_[delayedAt_][0], left);
    std::swap(delayed_[delayedAt_][1], right);
    left *= gain_;
    right *= gain_;
    at_ = (at_ + 1) % kWindow;
    delayedAt_ = (delayedAt_ + 1) % kMixLatencyFrames;
  }

 private:
  static constexpr int kWindow = kMixLatencyFrames + 1;
  std::array<float, kWindow> needed_ = Filled(1.0f);
  std::array<float, kWindow> held_ = Filled(1.0f);
  std::array<std::array<float, 2>, kMixLatencyFrames> delayed_{};
  int at_ = 0;
  int delayedAt_ = 0;
  float gain_ = 1;

  static std::array<float, kWindow> Filled(float value) {
    std::array<float, kWindow> values;
    values.fill(value);
    return values;
  }
};

class Mixer {
 public:
  Channel Start(std::unique_ptr<SoundDecoder> decoder, const Sound& sound,
                const PlayOptions& options);
  void Stop(Channel channel);
  void SetVolume(Channel channel, float volume);
  bool Playing(Channel channel);
  float Volume(Channel channel);
  void Mix(int16_t* out, int frames);

 private:
  Voice* Find(Channel channel) {
    if (channel.slot < 0 || channel.slot >= kVoices) return nullptr;
    Voice& voice = voices_[channel.slot];
    return voice.Playing() && voice.generation == channel.generation ? &voice : nullptr;
  }
  void MakeRoomForEffect();
  Voice* FreeVoice();

  std::mutex mutex_;
  std::array<Voice, kVoices> voices_;
  std::vector<float> mix_;
  Limiter limiter_;
  uint64_t started_ = 0;
};

// With every effect voice taken, the oldest one starts to fade out and stops counting.
void Mixer::MakeRoomForEffect() {
  Voice* oldest = nullptr;
  int effects = 0;
  for (Voice& voice : voices_) {
    if (!voice.Playing() || voice.loop) continue;
    ++effects;
    if (!oldest || voice.order < oldest->order) oldest = &voice;
  }
  if (effects >= kMostEffectVoices) oldest->releaseLeft = kReleaseFrames;
}

// A silent slot, else the fading voice closest to its end (cut rather than refuse a new sound).
Voice* Mixer::FreeVoice() {
  Voice* nearlyDone = nullptr;
  for (Voice& voice : voices_) {
    if (!voice.active) return &voice;
    if (voice.releaseLeft > 0 && (!nearlyDone || voice.releaseLeft < nearlyDone->releaseLeft)) {
      nearlyDone = &voice;
    }
  }
  return nearlyDone;
}

Channel Mixer::Start(std::unique_ptr<SoundDecoder> decoder, const Sound& sound,
                     const PlayOptions& options) {
  // The decoder a reused slot still holds goes to `finished`, declared before the lock so that
  // it is closed after the lock is released.
  std::unique_ptr<SoundDecoder> finished;
  std::lock_guard lock(mutex_);
  if (!sound.Loops()) MakeRoomForEffect();
  Voice* voice = FreeVoice();
  if (!voice) return Channel{};
  finished = std::move(voice->decoder);
  voice->decoder = std::move(decoder);
  voice->active = true;
  voice->releaseLeft = 0;
  ++voice->generation;
  voice->order = ++started_;
  voice->volume = std::clamp(options.volume, 0.0f, kLoudestVolume);
  PanGains(options.pan, voice->gains);
  voice->loop = sound.Loops();
  voice->channels = sound.Channels();
  voice->step = static_cast<double>(sound.Rate()) / kMixRate;
  voice->fraction = 0;
  voice->blockFrames = voice->blockPosition = 0;
  std::fill_n(voice->current, 2, 0.0f);
  if (!FetchFrame(*voice, voice->next)) voice->active = false;
  return Channel{static_cast<int>(voice - voices_.data()), voice->generation};
}

void Mixer::Stop(Channel channel) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = Find(channel)) voice->releaseLeft = kReleaseFrames;
}

void Mixer::SetVolume(Channel channel, float volume) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = Find(channel)) voice->volume = std::clamp(volume, 0.0f, kLoudestVolume);
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
  for (size_t i = 0; i < mix_.size(); i += 2) {
    limiter_.Next(mix_[i], mix_[i + 1]);
    for (size_t side = i; side < i + 2; ++side) {
      out[side] = static_cast<int16_t>(std::clamp(mix_[side], kSampleMin, kSampleMax));
    }
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

Channel PlaySound(const SoundPtr& sound, const PlayOptions& options) {
  if (!sound) return Channel{};
  std::unique_ptr<SoundDecoder> decoder = sound->OpenDecoder();
  if (!decoder) return Channel{};
  return TheMixer().Start(std::move(decoder), *sound, options);
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
