#include "vgp/failure.h"

#include "media/system.h"

namespace vgp {

void Fail(const std::string& message) {
  media::Notify(message, false);
  media::Write(message);
  media::Raise("Tarn.net VGP module abnormal termination");
}

}  // namespace vgp
