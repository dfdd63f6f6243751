// libFuzzer entry point; FUZZ_FORMAT names the format this build of it feeds.
#include <unistd.h>

#include <string>

#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/skull_fuzz_" + std::to_string(getpid()) + ".input";
  FeedFormatInput(FormatInput::FUZZ_FORMAT, data, size, path);
  return 0;
}
