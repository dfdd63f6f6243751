#pragma once
// This machine's end of the network: one ENet host with two channels. Buttons travel unreliable
// and sequenced on the first (a lost packet costs nothing, the next repeats it); set-up and
// messages travel reliably on the second. With datagram.cpp, the only file that talks to ENet.
// Packets larger than the protocol's largest message are refused by ENet itself, before they take
// any memory.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/bytes.h"
#include "net/datagram.h"

struct _ENetHost;
struct _ENetPeer;
struct _ENetEvent;

namespace net {

using PeerHandle = _ENetPeer*;

enum class Delivery {
  kReliable,     // on the control channel, in order, resent until acknowledged
  kSequenced,    // on the input channel: late packets are dropped, never waited for
  kUnsequenced,  // on the control channel, as they come (round-trip probes)
};

struct NetEvent {
  enum class Kind { kConnected, kDisconnected, kReceived };
  Kind kind = Kind::kReceived;
  PeerHandle peer = nullptr;
  Bytes data;
};

// Milliseconds on a steady clock: the network's own time, never the match's.
double NowMs();

class Endpoint {
 public:
  // Room for every machine of a match and for a crowd of connections that never say hello,
  // which the lobby lets go after a few seconds.
  static constexpr int kMaxPeers = 12;

  // Why this build of the game cannot play over the network at all; empty where it can.
  static std::string Unavailable();
  // Listens on the UDP port (0: any free one); null, with `error` saying why, when it cannot.
  static std::unique_ptr<Endpoint> Open(uint16_t port, std::string& error);
  ~Endpoint();
  Endpoint(const Endpoint&) = delete;
  Endpoint& operator=(const Endpoint&) = delete;

  uint16_t Port() const;
  // Starts connecting; null, with `error` saying why, when the host name does not resolve.
  PeerHandle Connect(const Address& to, std::string& error);
  // Waits up to timeoutMs for something to happen, then takes whatever else is already there.
  std::vector<NetEvent> Service(int timeoutMs);
  void Send(PeerHandle peer, const Bytes& bytes, Delivery how);
  // Puts everything queued on the wire now instead of at the next service.
  void Flush();
  // Cuts one peer off at once, freeing its slot; no disconnection event follows.
  void DisconnectNow(PeerHandle peer);
  // Says goodbye to one peer once what is queued for it has gone out.
  void DisconnectLater(PeerHandle peer);
  // How long since anything at all (ENet's own pings included) came from the peer.
  static double SilentMs(PeerHandle peer);
  // Says goodbye to every peer once what is queued for it has arrived, waiting up to timeoutMs.
  void DisconnectAll(int timeoutMs);
  // Room messages share the socket with ENet (the room server must see the port the game plays
  // from): sent as they are, and those received kept apart from ENet's own packets until taken.
  void SendRaw(const IpPort& to, const Bytes& bytes);
  std::vector<Datagram> TakeRaw() { return std::move(raw_); }
  // The peer's address as this machine sees it ("127.0.0.1:5000").
  static Address PeerAddress(PeerHandle peer);

  // What went over the wire: UDP payload bytes and datagrams, each way.
  struct Traffic {
    uint64_t bytesSent = 0;
    uint64_t bytesReceived = 0;
    uint64_t datagramsSent = 0;
    uint64_t datagramsReceived = 0;
  };
  Traffic CountTraffic();

 private:
  explicit Endpoint(_ENetHost* host) : host_(host) {}
  static int Intercept(_ENetHost* host, _ENetEvent* event);
  _ENetHost* host_;
  Traffic traffic_;
  std::vector<Datagram> raw_;
};

}  // namespace net
