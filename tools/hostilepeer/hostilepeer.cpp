// hostilepeer --join HOST:PORT --data DIR [--attack NAME] [--attack-frame F] [--record DIR]
//             [--seconds S]
// hostilepeer --knock HOST:PORT --connections N [--seconds S]
// A joiner that plays along and then sends one bad message (--attack; none: it plays along to
// the end), or N connections that never say hello. For the network tests
// only: it talks to the loopback they run on.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "net/address.h"
#include "peer.h"

namespace {

constexpr const char* kUsage =
    "usage: hostilepeer --join HOST:PORT --data DIR [--attack NAME] [--attack-frame F] "
    "[--record DIR] [--seconds S]\n"
    "       hostilepeer --knock HOST:PORT --connections N [--seconds S]";

bool SetAddress(const char* text, hostile::Settings& settings) {
  const auto address = net::ParseAddress(text);
  if (!address) return false;
  settings.host = address->host;
  settings.port = address->port;
  return true;
}

bool Parse(int argc, char** argv, hostile::Settings& settings) {
  bool placed = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--join" || name == "--knock") {
      placed = SetAddress(value, settings);
    } else if (name == "--data") {
      if (chdir(value) != 0) return false;
    } else if (name == "--attack") {
      settings.attack = value;
    } else if (name == "--attack-frame") {
      settings.attackFrame = static_cast<uint32_t>(std::atoi(value));
    } else if (name == "--record") {
      settings.record = value;
    } else if (name == "--seconds") {
      settings.seconds = std::atof(value);
    } else if (name == "--connections") {
      settings.knockers = std::atoi(value);
    } else {
      return false;
    }
  }
  bool known = settings.attack.empty();
  for (const std::string& attack : hostile::Attacks()) known |= attack == settings.attack;
  return argc % 2 == 1 && placed && known && settings.seconds > 0 && settings.knockers >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  hostile::Settings settings;
  if (!Parse(argc, argv, settings) || enet_initialize() != 0) {
    std::fprintf(stderr, "%s\n", kUsage);
    return 64;
  }
  hostile::Peer peer(settings);
  const int status = settings.knockers > 0 ? peer.Knock() : peer.Run();
  std::fflush(stdout);
  return status;
}
