#pragma once
// The package module's one way out: every failure of a reader or writer ends the program.
#include <string>

namespace vgp {

// Shows the message in a box, writes it to standard output without a line break, then raises
// "Tarn.net VGP module abnormal termination".
[[noreturn]] void Fail(const std::string& message);

}  // namespace vgp
