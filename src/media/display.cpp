// The drawing surface: the render target is the back buffer of the rasterizer, presented by the
// backend. Flip -1 is always paced by software, full screen included: the layer does not try to
// find out whether vertical-blank waits hold the requested rate.
#include "media/display.h"

#include "media/backend.h"
#include "media/draw.h"
#include "media/frame_pacer.h"
#include "media/run_stats.h"

namespace media {
namespace {

struct DisplayState {
  Driver driver = Driver::kOpenGL;
  FramePacer pacer;
};

DisplayState& State() {
  static DisplayState state;
  return state;
}

}  // namespace

void SetTitle(const std::string& title) {
  CurrentBackend().SetTitle(title);
}

// The layer always draws to a back buffer, so the default flags change nothing.
void SelectDriver(Driver driver, int) {
  State().driver = driver;
}

DisplayPtr OpenDisplay(int width, int height, int depth, int refreshRate, int) {
  Backend& backend = CurrentBackend();
  bool fullScreen = depth != 0;
  if (!backend.Open(State().driver, width, height, fullScreen)) return nullptr;
  if (fullScreen) backend.WarpPointer(width / 2, height / 2);
  State().pacer.Start(refreshRate, backend.Milliseconds());
  auto display = std::make_shared<Display>();
  display->width = width;
  display->height = height;
  display->depth = depth;
  display->refreshRate = refreshRate;
  return display;
}

void Flip(int sync) {
  Backend& backend = CurrentBackend();
  FramePacer& pacer = State().pacer;
  if (sync == -1 && pacer.Active()) backend.AwaitFrame(pacer.NextWait(backend.Milliseconds()));
  backend.Present(*BackBuffer(), sync == 1);
  CountPresentedFrame(backend.Milliseconds());
}

}  // namespace media
