#pragma once
// Sine and cosine of every tenth of a degree, read when skeletons are posed.
#include <array>

constexpr int kTrigSteps = 3600;  // tenths of a degree in a turn

extern std::array<float, kTrigSteps> sinTable;
extern std::array<float, kTrigSteps> cosTable;

// Done by the system object's Init; code that poses skeletons without a window calls it itself.
void FillTrigTables();
