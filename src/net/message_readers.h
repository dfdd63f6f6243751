#pragma once
// The one door every message from another machine comes in by. Each reader takes a whole message
// as it arrived and either fills in what it says or returns why it is refused (in Spanish, for
// the line on standard error); nothing is acted on before the whole message has passed. Sizes,
// counts, machine numbers and frame numbers are checked against what an honest machine can send:
// the sender's machine number comes from its link, never from the message, and frames must lie
// in a window around the frame being played here.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/bytes.h"
#include "net/identity.h"
#include "net/match_setup.h"
#include "net/messages.h"

namespace net {

// Empty when the message may be acted on; else why it is refused.
using Verdict = std::string;

// The kind a message says it is; 0 for an empty one.
uint8_t KindOf(const Bytes& message);
// For the readers: starts reading a message that must be of one of `kinds`, and checks that it
// was read whole, neither cut short nor with bytes left over.
Verdict OpenMessage(const Bytes& message, std::initializer_list<Message> kinds, ByteReader& in);
Verdict WholeMessage(const ByteReader& in, const char* what);

// In the lobby.
struct HelloMessage {
  uint32_t protocol = 0;
  Identity identity;
  int localPlayers = 0;
};
struct RosterEntry {
  int localPlayers = 1;
  std::string address;
};
struct PeerEntry {
  int machine = 0;
  Address address;
};
Verdict ReadHello(const Bytes& message, HelloMessage& hello);
Verdict ReadRefuse(const Bytes& message, std::string& why);
// `me` is the reader's machine number as the host gave it.
Verdict ReadRoster(const Bytes& message, int& me, std::vector<RosterEntry>& members);
Verdict ReadPeers(const Bytes& message, int localMachine, std::vector<PeerEntry>& peers);
Verdict ReadMeet(const Bytes& message, int localMachine, int& machine);
// A probe and its echo: the prober's clock in microseconds.
Verdict ReadProbe(const Bytes& message, uint64_t& sentUs);
Verdict ReadReady(const Bytes& message, double& longestRoundTripMs);
Verdict ReadStart(const Bytes& message, int localMachine, MatchSetup& setup);

// In a match: what the reader knows as the message comes in.
struct Arrival {
  int machines = 0;    // in the match
  int local = 0;       // the reader's machine
  int sender = 0;      // the machine whose link the message came on
  uint32_t frame = 0;  // the frame being played here
};

// Buttons: how far the sender has the reader's, and a run of the sender's from `first` on.
struct InputsPacket {
  uint32_t confirmed = 0;
  uint32_t first = 0;
  std::vector<uint8_t> values;
};
// `ownKnown`: the reader's own buttons it has sent; `senderKnown`: the sender's it has.
Verdict ReadInputs(const Bytes& message, const Arrival& arrival, uint32_t ownKnown,
                   uint32_t senderKnown, InputsPacket& packet);

// A machine's last buttons, as kDone, kLostReport and kDrop carry them: the values end just
// before `firstMissing`.
struct LastInputs {
  int machine = 0;
  uint32_t firstMissing = 0;
  std::vector<uint8_t> values;
  uint32_t First() const { return firstMissing - static_cast<uint32_t>(values.size()); }
};
Verdict ReadLastInputs(const Bytes& message, const Arrival& arrival, LastInputs& last);
Verdict ReadLostQuery(const Bytes& message, const Arrival& arrival, int& machine);
// A digest or a desync names a frame whose state was compared.
Verdict ReadDigest(const Bytes& message, const Arrival& arrival, uint32_t& frame, uint64_t& digest);
Verdict ReadDesync(const Bytes& message, const Arrival& arrival, uint32_t& frame);
Verdict ReadQuit(const Bytes& message);

}  // namespace net
