#include <chrono>

#include "net/endpoint.h"

namespace net {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace net
