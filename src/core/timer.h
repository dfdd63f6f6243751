#pragma once
// The one game clock. Game motion reads scaled time (real milliseconds times a speed factor), so
// speed 0 freezes play while presentation effects that read real time keep moving.
#include <cstdint>
#include <memory>

class TTimer {
 public:
  static std::shared_ptr<TTimer> Create();
  int Release() { return 0; }

  // Called once per frame by whoever owns the frame loop.
  void Update();
  float GetElapsed(bool real) const;
  float GetDelta(bool real) const;
  // Every caller passes duration 0: the new speed holds at once.
  void SetSpeed(float newSpeed, int durationMs);
  float GetSpeed() const { return speed; }
  // A networked match runs on a clock that every machine reads alike: from StartFrameClock on,
  // each Update is one frame of 1000 / 60 ms, whatever the wall clock says, and the elapsed times
  // start from 0 at speed 1. StopFrameClock goes on from there with the wall clock.
  void StartFrameClock();
  void StopFrameClock();

  uint32_t startTime = 0;  // the millisecond clock at creation
  float speed = 1;         // scale applied to every new real delta
  float scaledElapsed = 0;
  int realElapsed = 0;  // milliseconds from startTime to the last Update
  float scaledDelta = 0;
  float realDelta = 0;
  bool frameClock = false;
  int64_t frames = 0;  // Updates since StartFrameClock
};
