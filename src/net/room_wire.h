#pragma once
// What machines and the room server say to each other, outside any ENet link: plain datagrams
// that begin with a mark no ENet packet of the game begins with, so they share the game's socket
// (the server must see the very port the game plays from, as the home router maps it).
//
// Before the server knows a machine, it never answers with more bytes than it was sent: every
// request is padded to kRequestSize, and no answer is longer.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/bytes.h"
#include "net/datagram.h"

namespace net {

inline constexpr uint16_t kRoomServerPort = 27316;
// Changes whenever a room message changes; the server refuses machines that speak another.
inline constexpr uint32_t kRoomProtocol = 2;
inline constexpr size_t kRequestSize = 128;
inline constexpr int kRoomCodeLength = 4;
// No I, L, O or U: none of them can be read as a 1, a 0 or a V.
inline constexpr char kRoomCodeLetters[] = "ABCDEFGHJKMNPQRSTVWXYZ";
// A machine's own addresses beyond this many are not offered.
inline constexpr size_t kMaxLocalAddresses = 4;
// A request to the server goes again after this long without an answer, until the limit.
inline constexpr double kRoomResendMs = 500;
inline constexpr double kRoomAnswerLimitMs = 5000;

enum class RoomMessage : uint8_t {
  kRegister = 1,  // host → server: protocol, its local addresses; padded
  kRoom,          // server → host: the room's code and the secret that keeps and closes it
  kKeep,          // host → server: code, secret; the room is still open
  kLeave,         // host → server: code, secret; the room closes
  kFind,          // joiner → server: protocol, code, its local addresses; padded
  kFound,         // server → joiner: its member number and secret, and where the host is
  kRefused,       // server → machine: why not (text)
  kIncoming,      // server → host: a joiner's member number and where it is, to punch towards
  kPunch,         // machine → machine: code and member number; opens the sender's router
  kPunchBack,     // the answer to a punch: a direct link works
  kRelayAsk,      // joiner → server: code, member, secret; no direct link came up; padded
  kRelay,         // server → host and joiner: member number and the relay port to talk through
  kPairAsk,       // joiner → server: code, member, secret, and another joiner's address as the
                  // host gave it; their direct link did not come up; padded
  kPairRelay,     // server → joiner: that address again, and the relay port to reach it through
};

// Where a machine can be reached: as the server sees it, and on its own network.
struct Whereabouts {
  IpPort seen;
  std::vector<IpPort> local;  // at most kMaxLocalAddresses

  void Write(ByteWriter& out) const;
  // False when the bytes are not whereabouts.
  bool Read(ByteReader& in);
  // Everything worth punching towards, seen address first.
  std::vector<IpPort> All() const;
};

// A message of `kind`, its mark written.
ByteWriter RoomWriter(RoomMessage kind);
void WriteIpPort(ByteWriter& out, const IpPort& where);
IpPort ReadIpPort(ByteReader& in);

// The kind of a room message; nothing when the bytes are not one.
std::optional<RoomMessage> RoomKind(ByteReader& in);
// The request padded to kRequestSize.
Bytes Padded(ByteWriter request);
// True for the first bytes of every room message.
bool LooksLikeRoomMessage(const uint8_t* data, size_t size);

using RoomCode = std::array<char, kRoomCodeLength>;
void WriteCode(ByteWriter& out, const RoomCode& code);
RoomCode ReadCode(ByteReader& in);
std::string CodeText(const RoomCode& code);
// A code as a player types it (any case, spaces around); nothing when it cannot be one.
std::optional<RoomCode> ParseRoomCode(const std::string& text);

// What lets a joiner, once in a room, ask its server for more: a relay, say.
struct RoomTicket {
  IpPort server;
  RoomCode code{};
  int member = 0;
  uint64_t secret = 0;
  // The code, member number and secret, as every joiner's request after the first begins.
  void Write(ByteWriter& out) const;
};

// What a machine says when the server at `server` never answered.
std::string SilentServer(const IpPort& server);

// This machine's addresses on its own networks, with the port it plays from.
std::vector<IpPort> OwnAddresses(uint16_t port);

}  // namespace net
