#include "media/run_stats.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace media {
namespace {

constexpr const char* kSwitch = "SKULLGNAWER_STATS";
constexpr int kStartTimeField = 22;  // in /proc/self/stat, clock ticks after boot

struct RunStats {
  double firstFrameMs = -1;
  uint32_t firstMs = 0;
  uint32_t lastMs = 0;
  long frames = 0;
};

RunStats& Stats() {
  static RunStats stats;
  return stats;
}

// Milliseconds since this process was started, on the clock the kernel stamps processes with.
double MillisecondsSinceLaunch() {
  std::ifstream file("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(file)), {});
  // The command name may hold spaces: the fields after it are counted from its closing ')'.
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  for (int n = 3; n <= kStartTimeField; ++n) fields >> field;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (now.tv_sec + now.tv_nsec * 1e-9 - std::atof(field.c_str()) / ticks) * 1000;
}

double PeakMemoryMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
  }
  return -1;
}

void Report() {
  const RunStats& s = Stats();
  const double seconds = (s.lastMs - s.firstMs) / 1000.0;
  std::fprintf(stderr,
               "%s: first frame %.0f ms after launch; %ld frames in %.1f s (%.1f per second); "
               "peak memory %.1f MB\n",
               kSwitch, s.firstFrameMs, s.frames, seconds,
               seconds > 0 ? (s.frames - 1) / seconds : 0.0, PeakMemoryMegabytes());
}

}  // namespace

void CountPresentedFrame(uint32_t ms) {
  static const bool wanted = std::getenv(kSwitch) != nullptr;
  if (!wanted) return;
  RunStats& s = Stats();
  if (s.frames++ == 0) {
    s.firstFrameMs = MillisecondsSinceLaunch();
    s.firstMs = ms;
    std::atexit(Report);
  }
  s.lastMs = ms;
}

}  // namespace media
