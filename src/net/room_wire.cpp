#include "net/room_wire.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace net {

namespace {
// ENet's own packets never begin with 0xFF: that would ask for a decompressor the game never sets.
constexpr uint8_t kMark[] = {0xFF, 'S', 'K', 'R'};
}  // namespace

void WriteIpPort(ByteWriter& out, const IpPort& where) {
  out.U32(where.ip).U16(where.port);
}

IpPort ReadIpPort(ByteReader& in) {
  IpPort where;
  where.ip = in.U32();
  where.port = in.U16();
  return where;
}

void Whereabouts::Write(ByteWriter& out) const {
  WriteIpPort(out, seen);
  const size_t count = std::min(local.size(), kMaxLocalAddresses);
  out.U8(static_cast<uint32_t>(count));
  for (size_t i = 0; i < count; ++i) WriteIpPort(out, local[i]);
}

bool Whereabouts::Read(ByteReader& in) {
  seen = ReadIpPort(in);
  const size_t count = in.U8();
  if (count > kMaxLocalAddresses) return false;
  local.clear();
  for (size_t i = 0; i < count && in.Ok(); ++i) local.push_back(ReadIpPort(in));
  return in.Ok();
}

std::vector<IpPort> Whereabouts::All() const {
  std::vector<IpPort> all{seen};
  for (const IpPort& where : local) {
    if (std::find(all.begin(), all.end(), where) == all.end()) all.push_back(where);
  }
  return all;
}

ByteWriter RoomWriter(RoomMessage kind) {
  ByteWriter out;
  for (const uint8_t byte : kMark) out.U8(byte);
  out.U8(static_cast<uint8_t>(kind));
  return out;
}

bool LooksLikeRoomMessage(const uint8_t* data, size_t size) {
  return size > sizeof kMark && std::memcmp(data, kMark, sizeof kMark) == 0;
}

std::optional<RoomMessage> RoomKind(ByteReader& in) {
  for (const uint8_t byte : kMark) {
    if (in.U8() != byte) return std::nullopt;
  }
  const uint8_t kind = in.U8();
  if (!in.Ok() || kind < static_cast<uint8_t>(RoomMessage::kRegister) ||
      kind > static_cast<uint8_t>(RoomMessage::kPairRelay)) {
    return std::nullopt;
  }
  return static_cast<RoomMessage>(kind);
}

Bytes Padded(ByteWriter request) {
  Bytes bytes = request.Take();
  if (bytes.size() < kRequestSize) bytes.resize(kRequestSize, 0);
  return bytes;
}

void WriteCode(ByteWriter& out, const RoomCode& code) {
  for (const char letter : code) out.U8(static_cast<uint8_t>(letter));
}

RoomCode ReadCode(ByteReader& in) {
  RoomCode code{};
  for (char& letter : code) letter = static_cast<char>(in.U8());
  return code;
}

std::string CodeText(const RoomCode& code) {
  return std::string(code.begin(), code.end());
}

std::optional<RoomCode> ParseRoomCode(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos || last - first + 1 != kRoomCodeLength) return std::nullopt;
  RoomCode code{};
  for (int i = 0; i < kRoomCodeLength; ++i) {
    const char letter =
        static_cast<char>(std::toupper(static_cast<unsigned char>(text[first + i])));
    if (!std::strchr(kRoomCodeLetters, letter) || letter == '\0') return std::nullopt;
    code[i] = letter;
  }
  return code;
}

void RoomTicket::Write(ByteWriter& out) const {
  WriteCode(out, code);
  out.U8(member).U64(secret);
}

std::string SilentServer(const IpPort& server) {
  return "El servidor de salas no responde en " + server.Text();
}

std::vector<IpPort> OwnAddresses(uint16_t port) {
  std::vector<IpPort> own;
  for (const std::string& text : LocalAddresses()) {
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) == 1) own.push_back({address.s_addr, port});
    if (own.size() == kMaxLocalAddresses) break;
  }
  return own;
}

}  // namespace net
