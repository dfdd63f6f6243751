// libFuzzer entry point for the network message readers (see net_inputs.h).
#include "net_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FeedNetInput(data, size);
  return 0;
}
