// The browser's datagrams: a page has no UDP, so no socket ever opens and a look-up finds nothing.
// The room server never runs there; the game's room messages go through the endpoint, which
// refuses first.
#include "net/datagram.h"
#include "net/endpoint.h"

namespace net {

std::string IpPort::Host() const {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&ip);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

std::optional<IpPort> Resolve(const Address&) {
  return std::nullopt;
}

std::unique_ptr<DatagramSocket> DatagramSocket::Open(uint16_t, std::string& error) {
  error = Endpoint::Unavailable();
  return nullptr;
}

DatagramSocket::~DatagramSocket() {}

uint16_t DatagramSocket::Port() const {
  return 0;
}

void DatagramSocket::Send(const IpPort&, const uint8_t*, size_t) {}

std::optional<Datagram> DatagramSocket::Receive() {
  return std::nullopt;
}

std::vector<size_t> WaitForAny(const std::vector<const DatagramSocket*>&, int) {
  return {};
}

}  // namespace net
