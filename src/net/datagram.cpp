#include "net/datagram.h"

#include <arpa/inet.h>
#include <enet/enet.h>
#include <poll.h>

namespace net {

std::string IpPort::Host() const {
  in_addr address{};
  address.s_addr = ip;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address, text, sizeof text);
  return text;
}

std::optional<IpPort> Resolve(const Address& address) {
  ENetAddress found{};
  if (enet_address_set_host(&found, address.host.c_str()) != 0) {
    return std::nullopt;
  }
  return IpPort{found.host, address.port};
}

std::unique_ptr<DatagramSocket> DatagramSocket::Open(uint16_t port, std::string& error) {
  const ENetSocket socket = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  if (socket == ENET_SOCKET_NULL || enet_socket_bind(socket, &address) != 0 ||
      enet_socket_set_option(socket, ENET_SOCKOPT_NONBLOCK, 1) != 0) {
    if (socket != ENET_SOCKET_NULL) enet_socket_destroy(socket);
    error = "No se pudo abrir el puerto " + std::to_string(port);
    return nullptr;
  }
  return std::unique_ptr<DatagramSocket>(new DatagramSocket(socket));
}

DatagramSocket::~DatagramSocket() {
  enet_socket_destroy(socket_);
}

uint16_t DatagramSocket::Port() const {
  ENetAddress address{};
  enet_socket_get_address(socket_, &address);
  return address.port;
}

void DatagramSocket::Send(const IpPort& to, const uint8_t* data, size_t size) {
  const ENetAddress address{to.ip, to.port};
  ENetBuffer buffer{};
  buffer.data = const_cast<uint8_t*>(data);
  buffer.dataLength = size;
  enet_socket_send(socket_, &address, &buffer, 1);
}

std::optional<Datagram> DatagramSocket::Receive() {
  uint8_t data[kMaxDatagram];
  ENetBuffer buffer{};
  buffer.data = data;
  buffer.dataLength = sizeof data;
  ENetAddress address{};
  const int got = enet_socket_receive(socket_, &address, &buffer, 1);
  if (got <= 0) return std::nullopt;
  return Datagram{{address.host, address.port}, Bytes(data, data + got)};
}

std::vector<size_t> WaitForAny(const std::vector<const DatagramSocket*>& sockets, int timeoutMs) {
  std::vector<pollfd> polled;
  for (const DatagramSocket* socket : sockets) polled.push_back({socket->Handle(), POLLIN, 0});
  std::vector<size_t> ready;
  if (poll(polled.data(), polled.size(), timeoutMs) <= 0) return ready;
  for (size_t i = 0; i < polled.size(); ++i) {
    if (polled[i].revents & POLLIN) ready.push_back(i);
  }
  return ready;
}

}  // namespace net
