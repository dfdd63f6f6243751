#include "vgp/failure.h"

#include "media/system.h"

namespace vgp {

void Fail(const std::string& message) {
  media::Notify(message, false);
  media::Write(message);
  media::Raise("Tarn.net VGP module abnormal termination");
}

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace vgp
