#pragma once
// The open rooms by code. A room lives while its host keeps it (a word every few seconds), at
// most an hour, and ends when its host closes it; nothing of it is written anywhere.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "net/room_wire.h"

namespace server {

// A room's share of the relay, shared with its relayed links, which outlive the room itself
// once the match has begun.
class Bandwidth {
 public:
  explicit Bandwidth(int kbps) : bytesPerMs_(kbps / 8.0), left_(kbps * 125.0) {}
  // True, and the bytes spent, when the room may send them now.
  bool Spend(size_t bytes, double nowMs);

 private:
  double bytesPerMs_;
  double left_;  // at most a second's worth
  double last_ = 0;
};

struct Member {
  net::Whereabouts where;
  uint64_t secret = 0;
};

struct Room {
  net::RoomCode code{};
  Member host;
  std::vector<Member> joiners;  // member n is joiners[n - 1]
  double openedMs = 0;
  double keptMs = 0;
  std::shared_ptr<Bandwidth> relay;

  // Member n: 0 is the host, 1 on the joiners.
  const Member& MemberNumbered(int n) const { return n == 0 ? host : joiners[n - 1]; }
  int Members() const { return 1 + static_cast<int>(joiners.size()); }
};

class RoomTable {
 public:
  static constexpr double kKeepLimitMs = 30000;
  static constexpr double kLifeMs = 3600000;
  static constexpr size_t kMaxJoiners = 3;
  // Rooms open at once from one address: a household or a small club behind one router, never
  // enough for one address to fill the table.
  static constexpr size_t kRoomsPerAddress = 8;

  RoomTable(size_t maxRooms, int relayKbps, uint64_t seed,
            size_t roomsPerAddress = kRoomsPerAddress);
  // True when this address holds as many rooms as it may.
  bool AddressFull(uint32_t ip) const;
  // The new room; null when the table or the host's address is full.
  const Room* Open(const net::Whereabouts& host, double nowMs);
  Room* Find(const net::RoomCode& code);
  // The host's word that its room goes on; false for a wrong code or secret.
  bool Keep(const net::RoomCode& code, uint64_t secret, double nowMs);
  void Close(const net::RoomCode& code, uint64_t secret);
  // The joiner's member number (1 on), the same one again for a joiner asking twice; nothing
  // when the room is full.
  std::optional<int> Admit(Room& room, const net::Whereabouts& joiner);
  // Forgets the rooms whose host went silent or whose hour is over.
  void Expire(double nowMs);
  size_t Count() const { return rooms_.size(); }

 private:
  using Rooms = std::unordered_map<uint32_t, Room>;
  static uint32_t Key(const net::RoomCode& code);
  net::RoomCode NewCode();
  Rooms::iterator Erase(Rooms::iterator room);

  size_t maxRooms_;
  size_t roomsPerAddress_;
  int relayKbps_;
  std::mt19937_64 random_;
  Rooms rooms_;
  std::unordered_map<uint32_t, size_t> byAddress_;  // rooms open from each address
};

}  // namespace server
