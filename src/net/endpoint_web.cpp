// The browser's end of the network: there is no UDP in a page, so no endpoint ever opens and every
// attempt says why. The members below exist only to complete the class; nothing reaches them.
#include "net/endpoint.h"

namespace net {

std::string Endpoint::Unavailable() {
  return "El juego en red necesita la versión de escritorio";
}

std::unique_ptr<Endpoint> Endpoint::Open(uint16_t, std::string& error) {
  error = Unavailable();
  return nullptr;
}

Endpoint::~Endpoint() = default;

uint16_t Endpoint::Port() const {
  return 0;
}

PeerHandle Endpoint::Connect(const Address&, std::string& error) {
  error = Unavailable();
  return nullptr;
}

std::vector<NetEvent> Endpoint::Service(int) {
  return {};
}

void Endpoint::Send(PeerHandle, const Bytes&, Delivery) {}

void Endpoint::Flush() {}

void Endpoint::DisconnectNow(PeerHandle) {}

void Endpoint::DisconnectLater(PeerHandle) {}

void Endpoint::SendRaw(const IpPort&, const Bytes&) {}

double Endpoint::SilentMs(PeerHandle) {
  return 0;
}

void Endpoint::DisconnectAll(int) {}

Address Endpoint::PeerAddress(PeerHandle) {
  return {};
}

Endpoint::Traffic Endpoint::CountTraffic() {
  return traffic_;
}

}  // namespace net
