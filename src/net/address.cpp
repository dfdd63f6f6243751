#include "net/address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <charconv>

namespace net {

std::optional<uint16_t> ParsePort(const std::string& text, bool anyAllowed) {
  unsigned port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || (port == 0 && !anyAllowed) ||
      port > 65535) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(port);
}

std::optional<Address> ParseAddress(const std::string& text) {
  const size_t colon = text.rfind(':');
  Address address;
  address.host = text.substr(0, colon);
  if (address.host.empty() || address.host.find(':') != std::string::npos) return std::nullopt;
  if (colon != std::string::npos) {
    const auto port = ParsePort(text.substr(colon + 1));
    if (!port) return std::nullopt;
    address.port = *port;
  }
  return address;
}

std::vector<std::string> LocalAddresses() {
  std::vector<std::string> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
    const auto* ip = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    if (ntohl(ip->sin_addr.s_addr) >> 24 == 127) continue;
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &ip->sin_addr, text, sizeof text)) found.emplace_back(text);
  }
  freeifaddrs(list);
  return found;
}

}  // namespace net
