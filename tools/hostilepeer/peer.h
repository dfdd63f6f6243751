#pragma once
// A joiner that plays along with a real host, then sends one message no honest machine would; or
// a crowd of connections that never say hello. Its own small ENet client: it builds the game's
// messages with the game's writers, but keeps no state beyond what it needs to be let in.
#include <enet/enet.h>

#include <cstdint>
#include <string>
#include <vector>

#include "net/bytes.h"
#include "net/input_log.h"
#include "net/match_setup.h"

namespace hostile {

struct Settings {
  std::string host = "127.0.0.1";
  uint16_t port = 0;
  std::string attack;          // empty: plays along to the end
  uint32_t attackFrame = 120;  // the frame from which the attack goes out
  double seconds = 60;         // the whole run at most
  int knockers = 0;            // > 0: that many silent connections instead of a joiner
  std::string record;          // a folder for every message sent and received
};

// The names --attack takes.
const std::vector<std::string>& Attacks();

class Peer {
 public:
  explicit Peer(const Settings& settings) : settings_(settings) {}
  ~Peer() {
    if (enet_) enet_host_destroy(enet_);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;
  // 0 when the host cut it off after the attack, or it left as planned; 1 otherwise.
  int Run();
  // Connections that never say hello, made again whenever the host drops them.
  int Knock();

 private:
  void OnMessage(const net::Bytes& message);
  void Send(const net::Bytes& message, bool reliable = true);
  void SendInputs();
  void Play();
  void Attack();
  void Record(const char* way, const net::Bytes& message);

  Settings settings_;
  ENetHost* enet_ = nullptr;
  ENetPeer* peer_ = nullptr;
  int machine_ = 0;
  bool linking_ = false;
  bool started_ = false;
  bool attacked_ = false;
  net::MatchSetup setup_;
  net::InputLog own_;
  net::InputLog host_;
  uint32_t confirmed_ = 0;  // the host has this machine's buttons before this frame
  int recorded_ = 0;
};

}  // namespace hostile
