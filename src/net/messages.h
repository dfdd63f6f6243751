#pragma once
// The first byte of every message says what it is.
#include <cstddef>
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

// A match's own messages; they may reach a machine still in the lobby, a moment before its match
// begins.
inline bool EarlyForTheMatch(Message kind) {
  return kind >= Message::kInputs && kind <= Message::kDrop;
}

// Changes whenever a message changes; machines that differ refuse each other.
inline constexpr uint32_t kProtocol = 3;

// The largest message the protocol needs is a joiner's hello naming every data file; the
// transport refuses anything larger.
inline constexpr size_t kMaxMessageBytes = 16 * 1024;
inline constexpr int kMaxDataFiles = 1024;
// A line slower than this is refused; its input delay is the largest one sent.
inline constexpr double kLongestRoundTripMs = 1000;
inline constexpr int kMaxInputDelay = 31;
inline constexpr int kDigestEvery = 30;  // frames between state comparisons
// A match message may name frames at most this far from the frame being played where it
// arrives: more than twice the largest input delay (how far apart two machines can be) plus the
// frames one packet carries.
inline constexpr uint32_t kFrameWindow = 256;

}  // namespace net
