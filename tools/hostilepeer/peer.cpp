#include "peer.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "../fuzz/net_inputs.h"
#include "net/endpoint.h"
#include "net/identity.h"
#include "net/messages.h"

namespace hostile {

namespace {

using net::Message;

constexpr double kResendMs = 10;
constexpr double kEchoEveryMs = 1000;
// After the attack, an honest host has cut this peer off long before this.
constexpr double kAfterAttackMs = 5000;
constexpr int kFloodedDigests = 20000;
// Far more than the protocol's largest message, and than the memory slack the tests allow.
constexpr size_t kOversizeBytes = 24 * 1024 * 1024;

net::ByteWriter Start(Message kind) {
  net::ByteWriter out;
  out.U8(static_cast<uint8_t>(kind));
  return out;
}

net::Bytes Hello(const std::string& version) {
  net::ByteWriter out = Start(Message::kHello);
  out.U32(net::kProtocol);
  net::Identity identity = net::LocalIdentity();
  if (!version.empty()) identity.version = version;
  identity.Write(out);
  return out.U8(1).Take();
}

// Last buttons, as kDone, kLostReport and kDrop carry them, with none given.
net::Bytes LastInputs(Message kind, int machine, uint32_t firstMissing) {
  return Start(kind).U8(machine).U32(firstMissing).U8(0).Take();
}

}  // namespace

const std::vector<std::string>& Attacks() {
  static const std::vector<std::string> attacks = {
      "done-far",     "done-other",  "drop-self",    "drop-host",    "query-host",  "report-far",
      "digest-flood", "inputs-far",  "desync-far",   "garbage",      "hello-again", "short",
      "oversize",     "hello-twice", "escape-hello", "echo-forever", "slow-ready"};
  return attacks;
}

void Peer::Record(const char* way, const net::Bytes& message) {
  if (settings_.record.empty()) return;
  net_inputs::Where where;
  const uint32_t delay = static_cast<uint32_t>(setup_.inputDelay);
  where.arrival = {2, way[0] == 'r' ? machine_ : 0, way[0] == 'r' ? 0 : machine_,
                   own_.Known() > delay ? own_.Known() - delay : 0};
  where.ownKnown = way[0] == 'r' ? own_.Known() : host_.Known();
  where.senderKnown = way[0] == 'r' ? host_.Known() : own_.Known();
  std::ofstream file(settings_.record + "/" + way + "-" + std::to_string(recorded_++),
                     std::ios::binary);
  const net::Bytes header = net_inputs::Header(where);
  file.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
  file.write(reinterpret_cast<const char*>(message.data()), std::streamsize(message.size()));
}

void Peer::Send(const net::Bytes& message, bool reliable) {
  if (message.size() <= net::kMaxMessageBytes) Record("sent", message);
  ENetPacket* packet =
      enet_packet_create(message.data(), message.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
  enet_peer_send(peer_, reliable ? 1 : 0, packet);
}

void Peer::SendInputs() {
  net::ByteWriter out = Start(Message::kInputs);
  out.U16(host_.Known() & 0xffff);
  net::EncodeFrom(own_, confirmed_, out);
  Send(out.Take(), false);
}

void Peer::OnMessage(const net::Bytes& message) {
  Record("received", message);
  net::ByteReader in(message);
  switch (static_cast<Message>(in.U8())) {
    case Message::kRoster:
      machine_ = in.U8();
      break;
    case Message::kPeers:
      linking_ = true;
      if (settings_.attack == "slow-ready") Send(Start(Message::kReady).U16(5000).Take());
      if (settings_.attack != "echo-forever" && settings_.attack != "slow-ready") {
        Send(Start(Message::kReady).U16(1).Take());
      }
      break;
    case Message::kProbe: {
      net::Bytes echo = message;
      echo[0] = static_cast<uint8_t>(Message::kEcho);
      Send(echo, false);
      break;
    }
    case Message::kStart:
      if (!setup_.Read(in)) break;
      for (int frame = 0; frame < setup_.inputDelay; ++frame)
        own_.Set(frame, 0), host_.Set(frame, 0);
      started_ = true;
      break;
    case Message::kInputs: {
      confirmed_ = std::max(confirmed_, net::NearestFrame(in.U16(), own_.Known()));
      uint32_t first = 0;
      std::vector<uint8_t> values;
      if (net::DecodeRuns(in, host_.Known(), first, values)) host_.Add(first, values);
      break;
    }
    default:
      break;
  }
}

// Plays as a machine with nothing pressed: each frame the host's buttons allow, one more of its
// own.
void Peer::Play() {
  while (own_.Known() < host_.Known() + static_cast<uint32_t>(setup_.inputDelay)) {
    own_.Set(own_.Known(), 0);
  }
  SendInputs();
}

void Peer::Attack() {
  attacked_ = true;
  const std::string& attack = settings_.attack;
  if (attack == "done-far") Send(LastInputs(Message::kDone, machine_, 0xffffffffu));
  if (attack == "done-other") Send(LastInputs(Message::kDone, 0, own_.Known()));
  if (attack == "drop-self") Send(LastInputs(Message::kDrop, machine_, 1000000));
  if (attack == "drop-host") Send(LastInputs(Message::kDrop, 0, host_.Known()));
  if (attack == "query-host") Send(Start(Message::kLostQuery).U8(0).Take());
  if (attack == "report-far") Send(LastInputs(Message::kLostReport, 0, 0xfffffff0u));
  if (attack == "desync-far") Send(Start(Message::kDesync).U32(0xfffffff0u).Take());
  if (attack == "garbage") Send({200, 1, 2, 3});
  if (attack == "hello-again") Send(Hello(""));
  if (attack == "short") Send(Start(Message::kDigest).U8(1).Take());
  if (attack == "oversize") Send(net::Bytes(kOversizeBytes, uint8_t(Message::kDigest)));
  if (attack == "inputs-far") {
    net::ByteWriter out = Start(Message::kInputs);
    out.U16(host_.Known() & 0xffff).U16((own_.Known() + 30000) & 0xffff).U8(1).U8(128);
    Send(out.Take(), false);
  }
  for (int i = 0; attack == "digest-flood" && i < kFloodedDigests; ++i) {
    Send(Start(Message::kDigest).U32(net::kDigestEvery * (100000 + i)).U64(i).Take());
  }
}

int Peer::Run() {
  ENetAddress address{};
  enet_address_set_host(&address, settings_.host.c_str());
  address.port = settings_.port;
  enet_ = enet_host_create(nullptr, 1, 2, 0, 0);
  peer_ = enet_ ? enet_host_connect(enet_, &address, 2, 0) : nullptr;
  if (!peer_) return 1;
  const double end = net::NowMs() + settings_.seconds * 1000;
  double attackedAt = 0;
  double lastSent = 0;
  for (ENetEvent event; net::NowMs() < end;) {
    while (enet_host_service(enet_, &event, 1) > 0) {
      if (event.type == ENET_EVENT_TYPE_CONNECT) {
        const bool escape = settings_.attack == "escape-hello";
        Send(Hello(escape ? "\x1b]0;owned\x07\x1b[2J1.0" : ""));
        if (settings_.attack == "hello-twice") Send(Hello("")), Send(Hello(""));
      } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
        std::printf("disconnected%s\n", attacked_ ? " after the attack" : "");
        return attacked_ || settings_.attack.empty() ? 0 : 1;
      } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
        OnMessage(net::Bytes(event.packet->data, event.packet->data + event.packet->dataLength));
        enet_packet_destroy(event.packet);
      }
    }
    const double now = net::NowMs();
    if (started_ && now - lastSent >= kResendMs) Play(), lastSent = now;
    if (started_ && !attacked_ && !settings_.attack.empty() &&
        own_.Known() >= settings_.attackFrame) {
      Attack();
      attackedAt = now;
    }
    if (attacked_ && now - attackedAt > kAfterAttackMs) break;
    // Echoes of probes never sent, to keep the host's linking alive without ever being ready.
    if (linking_ && settings_.attack == "echo-forever" && now - lastSent >= kEchoEveryMs) {
      Send(Start(Message::kEcho).U64(static_cast<uint64_t>(now * 1000)).Take(), false);
      lastSent = now;
    }
  }
  // Not cut off: it leaves without a word, as a machine that died would.
  std::printf("still linked%s\n", attacked_ ? " after the attack" : "");
  enet_peer_reset(peer_);
  return settings_.attack.empty() ? 0 : 2;
}

int Peer::Knock() {
  ENetAddress address{};
  enet_address_set_host(&address, settings_.host.c_str());
  address.port = settings_.port;
  enet_ = enet_host_create(nullptr, settings_.knockers, 2, 0, 0);
  if (!enet_) return 1;
  for (int i = 0; i < settings_.knockers; ++i) enet_host_connect(enet_, &address, 2, 0);
  int dropped = 0;
  const double end = net::NowMs() + settings_.seconds * 1000;
  for (ENetEvent event; net::NowMs() < end;) {
    if (enet_host_service(enet_, &event, 10) <= 0) continue;
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
      ++dropped;
      enet_host_connect(enet_, &address, 2, 0);
    }
    if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
  }
  std::printf("dropped %d\n", dropped);
  return 0;
}

}  // namespace hostile
