#include "room.h"

#include <array>
#include <cmath>

namespace musicgen {
namespace {

// Comb and all-pass lengths (frames at 44.1 kHz) in the classic Schroeder spread; the right
// channel gets a small offset so the tail is wide.
constexpr std::array<int, 4> kCombFrames = {1116, 1277, 1422, 1557};
constexpr std::array<int, 2> kAllPassFrames = {556, 341};
constexpr int kStereoSpread = 23;
constexpr float kCombDamping = 0.3f;
constexpr float kAllPassFeedback = 0.5f;
constexpr float kReverbInput = 0.12f;

class DelayLine {
 public:
  explicit DelayLine(int frames) : buffer_(frames, 0.0f) {}
  float Read() const { return buffer_[at_]; }
  void Write(float value) {
    buffer_[at_] = value;
    at_ = (at_ + 1) % buffer_.size();
  }

 private:
  std::vector<float> buffer_;
  size_t at_ = 0;
};

class Reverb {
 public:
  Reverb(int spread, float roomSize) : feedback_(0.7f + 0.28f * roomSize) {
    for (int frames : kCombFrames) combs_.emplace_back(frames + spread);
    for (int frames : kAllPassFrames) allPasses_.emplace_back(frames + spread);
    combMemory_.assign(kCombFrames.size(), 0.0f);
  }

  float Process(float in) {
    float out = 0;
    for (size_t i = 0; i < combs_.size(); ++i) {
      float delayed = combs_[i].Read();
      combMemory_[i] = delayed * (1 - kCombDamping) + combMemory_[i] * kCombDamping;
      combs_[i].Write(in * kReverbInput + combMemory_[i] * feedback_);
      out += delayed;
    }
    for (DelayLine& line : allPasses_) {
      float delayed = line.Read();
      line.Write(out + delayed * kAllPassFeedback);
      out = delayed - out;
    }
    return out;
  }

 private:
  float feedback_;
  std::vector<DelayLine> combs_;
  std::vector<DelayLine> allPasses_;
  std::vector<float> combMemory_;
};

}  // namespace

StereoLoop RoomResponse(const StereoLoop& send, const Score& score) {
  size_t frames = send.size() / 2;
  int echoFrames = static_cast<int>(
      std::lround(score.echoBeats * score.SecondsPerStep() * score.stepsPerBeat * kSampleRate));
  DelayLine echoLeft(echoFrames), echoRight(echoFrames);
  Reverb left(0, score.roomSize), right(kStereoSpread, score.roomSize);
  StereoLoop wet(send.size(), 0.0f);
  // The first pass only warms the delay lines with the loop's end; the second is kept.
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t f = 0; f < frames; ++f) {
      float inLeft = send[2 * f], inRight = send[2 * f + 1];
      float echoedLeft = echoLeft.Read(), echoedRight = echoRight.Read();
      // Ping-pong: each side feeds the other, so echoes bounce across the stereo field.
      echoLeft.Write(inLeft + echoedRight * score.echoFeedback);
      echoRight.Write(inRight + echoedLeft * score.echoFeedback);
      float dryLeft = inLeft + echoedLeft, dryRight = inRight + echoedRight;
      wet[2 * f] = echoedLeft + left.Process(dryLeft);
      wet[2 * f + 1] = echoedRight + right.Process(dryRight);
    }
  }
  return wet;
}

}  // namespace musicgen
