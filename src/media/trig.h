#pragma once
// The one way the game takes sine and cosine: angles in degrees, 0 to the right and 90 down the
// screen. Exact at multiples of 90 so that quarter turns stay pixel-exact; the tables serve the
// posing of skeletons, which looks up every tenth of a degree.
#include <array>

namespace media {

void SinCosDegrees(double degrees, double& sine, double& cosine);

inline float CosDegrees(float degrees) {
  double sine, cosine;
  SinCosDegrees(degrees, sine, cosine);
  return static_cast<float>(cosine);
}
inline float SinDegrees(float degrees) {
  double sine, cosine;
  SinCosDegrees(degrees, sine, cosine);
  return static_cast<float>(sine);
}

}  // namespace media

constexpr int kTrigSteps = 3600;  // tenths of a degree in a turn

extern std::array<float, kTrigSteps> sinTable;
extern std::array<float, kTrigSteps> cosTable;

// Done by the system object's Init; code that poses skeletons without a window calls it itself.
void FillTrigTables();
