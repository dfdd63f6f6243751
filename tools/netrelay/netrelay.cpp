// netrelay --to PORT [--loss SHARE] [--delay LOW-HIGH] [--seconds S] [--seed N]
// Prints "relay PORT" (the host's public port, where joiners join) and runs until S seconds have
// passed; then prints how many datagrams it forwarded and dropped.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "relay.h"

namespace {

constexpr const char* kUsage =
    "usage: netrelay --to PORT [--loss SHARE] [--delay LOW-HIGH] [--seconds S] [--seed N]";

bool Parse(int argc, char** argv, relay::Settings& settings) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--to") {
      settings.hostPort = static_cast<uint16_t>(std::atoi(value));
    } else if (name == "--loss") {
      settings.lossShare = std::atof(value);
    } else if (name == "--delay") {
      if (std::sscanf(value, "%d-%d", &settings.delayLowMs, &settings.delayHighMs) != 2) {
        return false;
      }
    } else if (name == "--seconds") {
      settings.seconds = std::atof(value);
    } else if (name == "--seed") {
      settings.seed = static_cast<uint32_t>(std::atoi(value));
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && settings.hostPort != 0 && settings.lossShare >= 0 &&
         settings.lossShare < 1 && settings.delayLowMs >= 0 &&
         settings.delayHighMs >= settings.delayLowMs && settings.seconds > 0;
}

}  // namespace

int main(int argc, char** argv) {
  relay::Settings settings;
  if (!Parse(argc, argv, settings)) {
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
  }
  relay::Relay relay;
  if (!relay.Open(settings)) {
    std::perror("netrelay");
    return 1;
  }
  std::printf("relay %u\n", relay.PublicPort(0));
  std::fflush(stdout);
  relay.Run();
  std::printf("forwarded %llu dropped %llu\n", static_cast<unsigned long long>(relay.forwarded),
              static_cast<unsigned long long>(relay.dropped));
  return 0;
}
