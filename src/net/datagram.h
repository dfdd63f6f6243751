#pragma once
// Plain UDP datagrams on a socket of their own, for the room server and its relay: no
// connections, no resends, nothing but checked bytes in and out.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/bytes.h"

namespace net {

// An IPv4 address and port as they travel: the address in network order, as ENet keeps it.
struct IpPort {
  uint32_t ip = 0;
  uint16_t port = 0;
  bool operator==(const IpPort&) const = default;
  std::string Host() const;
  std::string Text() const { return Host() + ":" + std::to_string(port); }
  Address AsAddress() const { return {Host(), port}; }
};

// The host name looked up; nothing when it does not resolve.
std::optional<IpPort> Resolve(const Address& address);

struct Datagram {
  IpPort from;
  Bytes data;
};

class DatagramSocket {
 public:
  // The largest datagram read whole; longer ones are cut and refused by their readers.
  static constexpr size_t kMaxDatagram = 1500;

  // Bound to the UDP port on every interface (0: any free one); null, with `error` saying why.
  static std::unique_ptr<DatagramSocket> Open(uint16_t port, std::string& error);
  ~DatagramSocket();
  DatagramSocket(const DatagramSocket&) = delete;
  DatagramSocket& operator=(const DatagramSocket&) = delete;

  uint16_t Port() const;
  int Handle() const { return socket_; }
  void Send(const IpPort& to, const uint8_t* data, size_t size);
  void Send(const IpPort& to, const Bytes& bytes) { Send(to, bytes.data(), bytes.size()); }
  // The next datagram waiting, without waiting for one.
  std::optional<Datagram> Receive();

 private:
  explicit DatagramSocket(int socket) : socket_(socket) {}
  int socket_;
};

// Waits up to timeoutMs until one of the sockets has a datagram; the indices of those that do.
std::vector<size_t> WaitForAny(const std::vector<const DatagramSocket*>& sockets, int timeoutMs);

}  // namespace net
