// The headless backend: a virtual clock that only sleeping moves, so a run is the same on every
// machine and never waits for real; input comes from a script, frames can be saved as PNG.
#include "media/headless_backend.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "media/input_script.h"
#include "media/system.h"
#include "media/wav_capture.h"

namespace media {
namespace {

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend(HeadlessOptions options, std::vector<ScriptEvent> events,
                  std::unique_ptr<WavCapture> recording)
      : options_(std::move(options)), events_(std::move(events)), recording_(std::move(recording)) {
    std::stable_sort(options_.shots.begin(), options_.shots.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const ScriptEvent& event : events_) {
      if (event.kind == ScriptEvent::Kind::kJoystick && event.a >= joystickPorts_) {
        joystickPorts_ = event.a + 1;
      }
    }
  }

  void SetTitle(const std::string&) override {}
  bool Open(Driver, int, int, bool) override { return true; }

  void Present(const Image& frame, bool) override {
    SaveDueShots(frame);
    if (options_.onPresent) options_.onPresent(clock_);
    StopWhenDue();
  }

  void PumpEvents(InputState& input) override {
    input.SetJoystickCount(joystickPorts_);
    if (warp_) input.MouseMove(warp_->first, warp_->second);
    warp_.reset();
    for (; nextEvent_ < events_.size() && events_[nextEvent_].ms <= clock_; ++nextEvent_) {
      ApplyScriptEvent(events_[nextEvent_], input);
    }
  }

  uint32_t Milliseconds() override { return clock_; }

  // Sounds started before the sleep are heard from the moment they started.
  void Sleep(int ms) override {
    if (ms <= 0) return StopWhenDue();
    if (recording_) recording_->MixUntil(clock_ + static_cast<uint32_t>(ms));
    clock_ += static_cast<uint32_t>(ms);
    StopWhenDue();
  }

  void ShowPointer(bool) override {}
  void WarpPointer(int x, int y) override { warp_ = {x, y}; }

  // No one is there to click a box away; the text still reaches the log.
  void Notify(const std::string& text, bool) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }

 private:
  void SaveDueShots(const Image& frame) {
    for (; nextShot_ < options_.shots.size() && options_.shots[nextShot_].first <= clock_;
         ++nextShot_) {
      const std::string& path = options_.shots[nextShot_].second;
      if (!SavePNG(frame, path)) std::fprintf(stderr, "cannot write the shot %s\n", path.c_str());
    }
  }

  void StopWhenDue() {
    if (options_.stopAfterMs != 0 && clock_ >= options_.stopAfterMs) Exit(0);
  }

  HeadlessOptions options_;
  std::vector<ScriptEvent> events_;
  std::unique_ptr<WavCapture> recording_;
  size_t nextEvent_ = 0;
  size_t nextShot_ = 0;
  int joystickPorts_ = 0;
  uint32_t clock_ = 0;
  std::optional<std::pair<int, int>> warp_;
};

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend(HeadlessOptions options) {
  std::vector<ScriptEvent> events;
  if (!options.inputScript.empty()) {
    std::optional<std::vector<ScriptEvent>> script = ReadInputScript(options.inputScript);
    if (!script) return nullptr;
    events = std::move(*script);
  }
  std::unique_ptr<WavCapture> recording;
  if (!options.audioFile.empty() && !(recording = WavCapture::Open(options.audioFile))) {
    return nullptr;
  }
  return std::make_unique<HeadlessBackend>(std::move(options), std::move(events),
                                           std::move(recording));
}

}  // namespace media
