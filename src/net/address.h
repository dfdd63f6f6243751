#pragma once
// Where a machine is found: a host name or IPv4 address and a UDP port.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace net {

inline constexpr uint16_t kDefaultPort = 27315;

struct Address {
  std::string host;
  uint16_t port = kDefaultPort;
  std::string Text() const { return host + ":" + std::to_string(port); }
};

// "HOST" or "HOST:PORT" (port 1-65535); nothing when the text is not one of those.
std::optional<Address> ParseAddress(const std::string& text);
// A port 1-65535 given alone (0 too when `anyAllowed`: any free port); nothing otherwise.
std::optional<uint16_t> ParsePort(const std::string& text, bool anyAllowed = false);
// The machine's own IPv4 addresses other than the loopback, to give to friends who join.
std::vector<std::string> LocalAddresses();

}  // namespace net
