#pragma once
// One input for the network message readers, shared by the fuzz target, the test that replays
// its seed corpus and the hostile peer that records the seeds: a short header that says where the
// message arrives (how many machines, which one reads it, which one sent it, the frame being
// played and how far each log is known), then the message exactly as it came. Every reader runs;
// whatever a reader lets through must keep the promises the game relies on, or the input is a
// finding.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/input_log.h"
#include "net/message_readers.h"

namespace net_inputs {

inline constexpr size_t kHeaderBytes = 8;

struct Where {
  net::Arrival arrival;
  uint32_t ownKnown = 0;
  uint32_t senderKnown = 0;
};

inline std::vector<uint8_t> Header(const Where& where) {
  net::ByteWriter out;
  out.U8(where.arrival.machines).U8(where.arrival.local).U8(where.arrival.sender);
  out.U16(where.arrival.frame).U8(where.ownKnown - where.arrival.frame);
  out.U16(where.senderKnown);
  return out.Take();
}

inline Where ReadHeader(const uint8_t* data) {
  net::ByteReader in(data, kHeaderBytes);
  Where where;
  where.arrival.machines = 2 + in.U8() % (net::kMaxMachines - 1);
  where.arrival.local = in.U8() % where.arrival.machines;
  where.arrival.sender = in.U8() % where.arrival.machines;
  if (where.arrival.sender == where.arrival.local) {
    where.arrival.sender = (where.arrival.local + 1) % where.arrival.machines;
  }
  where.arrival.frame = in.U16();
  where.ownKnown = where.arrival.frame + in.U8() % 64;
  where.senderKnown = in.U16();
  return where;
}

inline void Require(bool promise) {
  if (!promise) std::abort();
}

inline void CheckMatchReaders(const net::Bytes& message, const Where& where) {
  const net::Arrival& arrival = where.arrival;
  const uint32_t farthest = arrival.frame + net::kFrameWindow;
  net::InputsPacket packet;
  if (net::ReadInputs(message, arrival, where.ownKnown, where.senderKnown, packet).empty()) {
    Require(packet.confirmed <= where.ownKnown && packet.values.size() <= net::kCarriedFrames);
    Require(packet.first + packet.values.size() <= farthest);
    net::InputLog log;
    log.Add(packet.first, packet.values);
  }
  net::LastInputs last;
  if (net::ReadLastInputs(message, arrival, last).empty()) {
    Require(last.machine < arrival.machines && last.firstMissing <= farthest);
    Require(last.values.size() <= last.firstMissing);
    const bool done = message[0] == uint8_t(net::Message::kDone);
    Require((last.machine == arrival.sender) == done);
    Require(done || last.machine != arrival.local);
  }
  int machine = 0;
  if (net::ReadLostQuery(message, arrival, machine).empty()) {
    Require(machine < arrival.machines && machine != arrival.sender && machine != arrival.local);
  }
  uint32_t frame = 0;
  uint64_t digest = 0;
  if (net::ReadDigest(message, arrival, frame, digest).empty() ||
      net::ReadDesync(message, arrival, frame).empty()) {
    // An old frame is taken (a reliable message may be held up on a lossy line; the match lets
    // it go unstored), one ahead of the window never.
    Require(frame % net::kDigestEvery == 0 && frame <= farthest);
  }
  net::ReadQuit(message);
}

inline void CheckLobbyReaders(const net::Bytes& message, int localMachine) {
  net::HelloMessage hello;
  if (net::ReadHello(message, hello).empty()) {
    Require(hello.localPlayers >= 1 && hello.localPlayers <= net::kMaxSeats);
    Require(hello.identity.files.size() <= size_t(net::kMaxDataFiles));
  }
  std::string text;
  if (net::ReadRefuse(message, text).empty()) Require(net::Printable(text) == text);
  int me = 0;
  std::vector<net::RosterEntry> roster;
  if (net::ReadRoster(message, me, roster).empty()) {
    Require(me >= 1 && me < int(roster.size()) && roster.size() <= size_t(net::kMaxMachines));
  }
  std::vector<net::PeerEntry> peers;
  if (net::ReadPeers(message, localMachine, peers).empty()) {
    Require(peers.size() < size_t(net::kMaxMachines));
  }
  int machine = 0;
  if (net::ReadMeet(message, localMachine, machine).empty()) Require(machine > localMachine);
  uint64_t sent = 0;
  net::ReadProbe(message, sent);
  double longest = 0;
  net::ReadReady(message, longest);
  net::MatchSetup setup;
  if (net::ReadStart(message, localMachine, setup).empty()) {
    Require(setup.inputDelay >= 1 && setup.inputDelay <= net::kMaxInputDelay);
    Require(localMachine < int(setup.machines.size()));
  }
}

}  // namespace net_inputs

// Runs every reader over the message after the header.
inline void FeedNetInput(const uint8_t* data, size_t size) {
  if (size < net_inputs::kHeaderBytes) return;
  const net_inputs::Where where = net_inputs::ReadHeader(data);
  const net::Bytes message(data + net_inputs::kHeaderBytes, data + size);
  net_inputs::CheckMatchReaders(message, where);
  net_inputs::CheckLobbyReaders(message, where.arrival.local);
}
