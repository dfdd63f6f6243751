#pragma once
// What a loaded sound is: where its samples come from and a way to decode them from the start.
// Long music is decoded while it plays, never all at load, so start-up stays fast.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/sound.h"

namespace media {

// Interleaved 16-bit frames from the start of a sound, read in pieces.
class SoundDecoder {
 public:
  virtual ~SoundDecoder() = default;
  // Up to `frames` frames of Sound::Channels() samples each; 0 at the end.
  virtual int Read(int16_t* out, int frames) = 0;
  virtual bool Rewind() = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  int Rate() const { return rate_; }
  int Channels() const { return channels_; }
  bool Loops() const { return loop_; }
  double Seconds() const { return seconds_; }
  // Null when the file can no longer be opened.
  virtual std::unique_ptr<SoundDecoder> OpenDecoder() const = 0;

 protected:
  Sound(int rate, int channels, double seconds, bool loop)
      : rate_(rate), channels_(channels), seconds_(seconds), loop_(loop) {}

 private:
  int rate_;
  int channels_;
  double seconds_;
  bool loop_;
};

// Both null when the file is missing or is not a sound they can decode.
SoundPtr LoadWavSound(const std::string& path, bool loop);
SoundPtr LoadOggSound(const std::string& path, bool loop);

}  // namespace media
