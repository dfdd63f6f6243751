#pragma once
// What differs between the real window and the headless runner. The rest of the layer (surface,
// rasterizer, input state, mixer, streams) is shared by both.
#include <cstdint>
#include <memory>
#include <string>

#include "media/display.h"
#include "media/image.h"
#include "media/input.h"

namespace media {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void SetTitle(const std::string& title) = 0;
  // Opens the window (or the headless stand-in); false when it cannot.
  virtual bool Open(Driver driver, int width, int height, bool fullScreen) = 0;
  virtual void Present(const Image& frame, bool waitVerticalBlank) = 0;
  // Moves pending events (keys, mouse, joysticks, close requests) into `input`.
  virtual void PumpEvents(InputState& input) = 0;
  virtual uint32_t Milliseconds() = 0;
  virtual void Sleep(int ms) = 0;
  // Waits for the next paced frame, due `ms` from now (0 or less: already due).
  virtual void AwaitFrame(int ms) {
    if (ms > 0) Sleep(ms);
  }
  virtual void ShowPointer(bool visible) = 0;
  virtual void WarpPointer(int x, int y) = 0;
  virtual void Notify(const std::string& text, bool serious) = 0;
};

// Installs the backend every media call uses; the previous one is destroyed. Without one, the
// layer behaves as a headless backend with no script.
void UseBackend(std::unique_ptr<Backend> backend);
Backend& CurrentBackend();

}  // namespace media
