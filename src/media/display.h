#pragma once
// The one drawing surface: opened once, presented by flip.
#include <memory>
#include <string>

namespace media {

enum class Driver { kOpenGL, kDirect3D7 };
constexpr int kDisplayBackBuffer = 2;

class Display {
 public:
  int width = 0;
  int height = 0;
  int depth = 0;
  int refreshRate = 0;
};
using DisplayPtr = std::shared_ptr<Display>;

void SetTitle(const std::string& title);
void SelectDriver(Driver driver, int defaultFlags = kDisplayBackBuffer);
// Depth 0 opens a window; any other depth full screen. Null when the mode cannot be set.
DisplayPtr OpenDisplay(int width, int height, int depth, int refreshRate, int flags);
// sync 1 waits for vertical blank, 0 does not, -1 paces to the refresh rate given at open.
void Flip(int sync);

}  // namespace media
