#include "media/trig.h"

#include <cmath>
#include <numbers>

namespace media {

void SinCosDegrees(double degrees, double& sine, double& cosine) {
  const double turned = std::fmod(degrees, 360.0);
  const double quarters = turned / 90.0;
  if (quarters == std::trunc(quarters)) {
    static constexpr double kSin[] = {0, 1, 0, -1};
    const int q = (static_cast<int>(quarters) + 4) % 4;
    sine = kSin[q];
    cosine = kSin[(q + 1) % 4];
    return;
  }
  const double radians = turned * std::numbers::pi / 180.0;
  sine = std::sin(radians);
  cosine = std::cos(radians);
}

}  // namespace media

std::array<float, kTrigSteps> sinTable;
std::array<float, kTrigSteps> cosTable;

void FillTrigTables() {
  for (int i = 0; i < kTrigSteps; ++i) {
    double sine, cosine;
    media::SinCosDegrees(i / 10.0, sine, cosine);
    sinTable[i] = static_cast<float>(sine);
    cosTable[i] = static_cast<float>(cosine);
  }
}
