// The one backend every media call goes through.
#include "media/backend.h"

#include "media/headless_backend.h"

namespace media {
namespace {

std::unique_ptr<Backend>& Installed() {
  static std::unique_ptr<Backend> backend;
  return backend;
}

}  // namespace

void UseBackend(std::unique_ptr<Backend> backend) {
  Installed() = std::move(backend);
}

Backend& CurrentBackend() {
  std::unique_ptr<Backend>& backend = Installed();
  if (!backend) backend = MakeHeadlessBackend(HeadlessOptions{});
  return *backend;
}

}  // namespace media
