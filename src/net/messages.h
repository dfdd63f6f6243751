#pragma once
// The first byte of every message says what it is.
#include <cstdint>

namespace net {

enum class Message : uint8_t {
  kHello = 1,   // joiner → host: protocol, identity, local players
  kRefuse,      // host → joiner: why it may not join (text)
  kRoster,      // host → each joiner: its machine number, and who has joined
  kPeers,       // host → joiners at the start: where the other joiners are
  kMeet,        // joiner → joiner on a new link: its machine number
  kProbe,       // round-trip probe: sender's time, echoed back as it came
  kEcho,        //
  kReady,       // joiner → host: every link is up; its longest round trip
  kStart,       // host → joiners: the match set-up; play begins on receipt
  kInputs,      // buttons, on the sequenced channel
  kDigest,      // frame and digest of the match state after it
  kDesync,      // the digests of a frame differed: the match ends everywhere
  kQuit,        // Escape on the sender: the match ends everywhere
  kDone,        // the sender's match was decided; its last buttons, reliably
  kLostQuery,   // the coordinator asks what everyone has of a silent machine's buttons
  kLostReport,  // the answer
  kDrop,        // the silent machine's players leave play from a frame on
};

// Changes whenever a message changes; machines that differ refuse each other.
inline constexpr uint32_t kProtocol = 1;

}  // namespace net
