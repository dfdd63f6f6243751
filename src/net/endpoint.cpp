#include "net/endpoint.h"

#include <enet/enet.h>

#include <cstdlib>
#include <mutex>

#include "net/messages.h"
#include "net/room_wire.h"

namespace net {

namespace {

constexpr int kChannels = 2;
constexpr uint8_t kInputChannel = 0;
constexpr uint8_t kControlChannel = 1;
// Longer than the ten seconds after which the game itself gives up on a silent machine, so the
// game's rule decides, not ENet's.
constexpr uint32_t kTimeoutMinimumMs = 12000;
constexpr uint32_t kTimeoutMaximumMs = 20000;
// Room messages kept until taken; past this many, later ones are dropped.
constexpr size_t kMostRawKept = 256;
// The endpoint whose host is being serviced, for the intercept, which ENet calls with the host.
thread_local std::vector<Datagram>* servicedRaw = nullptr;
// What one peer may have waiting in ENet's queues to be taken: many messages' worth, far below
// ENet's own 32 MB.
constexpr size_t kMaxWaitingBytes = 16 * kMaxMessageBytes;

void StartENet() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (enet_initialize() == 0) std::atexit(enet_deinitialize);
  });
}

// ENet drops unreliable packets on its own when round trips grow; buttons must never be dropped
// by this side, whatever the line does, so the throttle never slows down.
void ConfigurePeer(ENetPeer* peer) {
  enet_peer_timeout(peer, 0, kTimeoutMinimumMs, kTimeoutMaximumMs);
  enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL,
                               ENET_PEER_PACKET_THROTTLE_ACCELERATION, 0);
}

NetEvent Translate(ENetEvent& event) {
  NetEvent out;
  out.peer = event.peer;
  if (event.type == ENET_EVENT_TYPE_CONNECT) {
    ConfigurePeer(event.peer);
    out.kind = NetEvent::Kind::kConnected;
  } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
    out.kind = NetEvent::Kind::kDisconnected;
  } else {
    out.kind = NetEvent::Kind::kReceived;
    out.data.assign(event.packet->data, event.packet->data + event.packet->dataLength);
    enet_packet_destroy(event.packet);
  }
  return out;
}

}  // namespace

std::string Endpoint::Unavailable() {
  return "";
}

std::unique_ptr<Endpoint> Endpoint::Open(uint16_t port, std::string& error) {
  StartENet();
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  ENetHost* host = enet_host_create(&address, kMaxPeers, kChannels, 0, 0);
  if (!host) {
    error = "No se pudo abrir el puerto " + std::to_string(port);
    return nullptr;
  }
  host->intercept = &Endpoint::Intercept;
  host->maximumPacketSize = kMaxMessageBytes;
  host->maximumWaitingData = kMaxWaitingBytes;
  return std::unique_ptr<Endpoint>(new Endpoint(host));
}

int Endpoint::Intercept(ENetHost* host, ENetEvent*) {
  if (!LooksLikeRoomMessage(host->receivedData, host->receivedDataLength)) return 0;
  if (servicedRaw && servicedRaw->size() < kMostRawKept) {
    const uint8_t* data = host->receivedData;
    servicedRaw->push_back({{host->receivedAddress.host, host->receivedAddress.port},
                            Bytes(data, data + host->receivedDataLength)});
  }
  return 1;
}

void Endpoint::SendRaw(const IpPort& to, const Bytes& bytes) {
  const ENetAddress address{to.ip, to.port};
  ENetBuffer buffer{};
  buffer.data = const_cast<uint8_t*>(bytes.data());
  buffer.dataLength = bytes.size();
  enet_socket_send(host_->socket, &address, &buffer, 1);
}

Endpoint::~Endpoint() {
  enet_host_destroy(host_);
}

uint16_t Endpoint::Port() const {
  ENetAddress address{};
  enet_socket_get_address(host_->socket, &address);
  return address.port;
}

PeerHandle Endpoint::Connect(const Address& to, std::string& error) {
  ENetAddress address{};
  address.port = to.port;
  if (enet_address_set_host(&address, to.host.c_str()) != 0) {
    error = "No se encuentra " + to.host;
    return nullptr;
  }
  ENetPeer* peer = enet_host_connect(host_, &address, kChannels, 0);
  if (!peer) error = "No quedan conexiones libres";
  return peer;
}

std::vector<NetEvent> Endpoint::Service(int timeoutMs) {
  std::vector<NetEvent> events;
  ENetEvent event;
  servicedRaw = &raw_;
  int got = enet_host_service(host_, &event, static_cast<uint32_t>(std::max(timeoutMs, 0)));
  servicedRaw = nullptr;
  while (got > 0) {
    if (event.type != ENET_EVENT_TYPE_NONE) events.push_back(Translate(event));
    got = enet_host_check_events(host_, &event);
  }
  return events;
}

void Endpoint::Send(PeerHandle peer, const Bytes& bytes, Delivery how) {
  if (!peer || peer->state != ENET_PEER_STATE_CONNECTED) return;
  uint32_t flags = 0;
  uint8_t channel = kControlChannel;
  if (how == Delivery::kReliable) flags = ENET_PACKET_FLAG_RELIABLE;
  if (how == Delivery::kUnsequenced) flags = ENET_PACKET_FLAG_UNSEQUENCED;
  if (how == Delivery::kSequenced) channel = kInputChannel;
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), flags);
  if (packet && enet_peer_send(peer, channel, packet) != 0) enet_packet_destroy(packet);
}

void Endpoint::Flush() {
  enet_host_flush(host_);
}

void Endpoint::DisconnectNow(PeerHandle peer) {
  if (peer && peer->state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(peer, 0);
}

void Endpoint::DisconnectLater(PeerHandle peer) {
  if (peer && peer->state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_later(peer, 0);
}

double Endpoint::SilentMs(PeerHandle peer) {
  // ENet's clock wraps; a receive time stamped a moment after now counts as no silence.
  const uint32_t since = enet_time_get() - peer->lastReceiveTime;
  return since >= 0x80000000u ? 0 : static_cast<double>(since);
}

void Endpoint::DisconnectAll(int timeoutMs) {
  int waiting = 0;
  for (size_t i = 0; i < host_->peerCount; ++i) {
    ENetPeer& peer = host_->peers[i];
    if (peer.state == ENET_PEER_STATE_DISCONNECTED) continue;
    enet_peer_disconnect_later(&peer, 0);
    ++waiting;
  }
  const double end = NowMs() + timeoutMs;
  while (waiting > 0 && NowMs() < end) {
    for (const NetEvent& event : Service(10)) {
      if (event.kind == NetEvent::Kind::kDisconnected) --waiting;
    }
  }
  for (size_t i = 0; i < host_->peerCount; ++i) enet_peer_reset(&host_->peers[i]);
}

Address Endpoint::PeerAddress(PeerHandle peer) {
  Address address;
  char text[64] = {};
  enet_address_get_host_ip(&peer->address, text, sizeof text);
  address.host = text;
  address.port = peer->address.port;
  return address;
}

Endpoint::Traffic Endpoint::CountTraffic() {
  traffic_.bytesSent += host_->totalSentData;
  traffic_.bytesReceived += host_->totalReceivedData;
  traffic_.datagramsSent += host_->totalSentPackets;
  traffic_.datagramsReceived += host_->totalReceivedPackets;
  host_->totalSentData = host_->totalReceivedData = 0;
  host_->totalSentPackets = host_->totalReceivedPackets = 0;
  return traffic_;
}

}  // namespace net
