#include "media/trig_tables.h"

#include <cmath>
#include <numbers>

std::array<float, kTrigSteps> sinTable;
std::array<float, kTrigSteps> cosTable;

void FillTrigTables() {
  for (int i = 0; i < kTrigSteps; ++i) {
    const double radians = i / 10.0 * std::numbers::pi / 180.0;
    sinTable[i] = static_cast<float>(std::sin(radians));
    cosTable[i] = static_cast<float>(std::cos(radians));
  }
}
