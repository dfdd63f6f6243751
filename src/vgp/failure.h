#pragma once
// The package module's one way out: every failure of a reader or writer ends the program.
#include <cstdint>
#include <string>

namespace vgp {

// Shows the message in a box, writes it to standard output without a line break, then raises
// "Tarn.net VGP module abnormal termination".
[[noreturn]] void Fail(const std::string& message);

// A graph size as the messages give it: "width x height".
std::string SizeText(int32_t width, int32_t height);

}  // namespace vgp
