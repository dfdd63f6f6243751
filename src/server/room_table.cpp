#include "server/room_table.h"

#include <algorithm>
#include <iterator>

namespace server {

bool Bandwidth::Spend(size_t bytes, double nowMs) {
  left_ = std::min(left_ + (nowMs - last_) * bytesPerMs_, bytesPerMs_ * 1000);
  last_ = nowMs;
  if (left_ < static_cast<double>(bytes)) return false;
  left_ -= static_cast<double>(bytes);
  return true;
}

RoomTable::RoomTable(size_t maxRooms, int relayKbps, uint64_t seed, size_t roomsPerAddress)
    : maxRooms_(maxRooms), roomsPerAddress_(roomsPerAddress), relayKbps_(relayKbps), random_(seed) {
  rooms_.reserve(maxRooms);
}

bool RoomTable::AddressFull(uint32_t ip) const {
  const auto found = byAddress_.find(ip);
  return found != byAddress_.end() && found->second >= roomsPerAddress_;
}

uint32_t RoomTable::Key(const net::RoomCode& code) {
  uint32_t key = 0;
  for (const char letter : code) key = key << 8 | static_cast<uint8_t>(letter);
  return key;
}

net::RoomCode RoomTable::NewCode() {
  constexpr size_t kLetters = sizeof net::kRoomCodeLetters - 1;
  std::uniform_int_distribution<size_t> letter(0, kLetters - 1);
  net::RoomCode code{};
  do {
    for (char& c : code) c = net::kRoomCodeLetters[letter(random_)];
  } while (rooms_.count(Key(code)));
  return code;
}

const Room* RoomTable::Open(const net::Whereabouts& host, double nowMs) {
  if (rooms_.size() >= maxRooms_ || AddressFull(host.seen.ip)) return nullptr;
  ++byAddress_[host.seen.ip];
  Room room;
  room.code = NewCode();
  room.host = {host, random_()};
  room.openedMs = room.keptMs = nowMs;
  room.relay = std::make_shared<Bandwidth>(relayKbps_);
  return &(rooms_[Key(room.code)] = std::move(room));
}

Room* RoomTable::Find(const net::RoomCode& code) {
  const auto found = rooms_.find(Key(code));
  return found == rooms_.end() ? nullptr : &found->second;
}

bool RoomTable::Keep(const net::RoomCode& code, uint64_t secret, double nowMs) {
  Room* room = Find(code);
  if (!room || room->host.secret != secret) return false;
  room->keptMs = nowMs;
  return true;
}

void RoomTable::Close(const net::RoomCode& code, uint64_t secret) {
  const Room* room = Find(code);
  if (room && room->host.secret == secret) Erase(rooms_.find(Key(code)));
}

RoomTable::Rooms::iterator RoomTable::Erase(Rooms::iterator room) {
  const uint32_t ip = room->second.host.where.seen.ip;
  if (--byAddress_[ip] == 0) byAddress_.erase(ip);
  return rooms_.erase(room);
}

std::optional<int> RoomTable::Admit(Room& room, const net::Whereabouts& joiner) {
  for (size_t i = 0; i < room.joiners.size(); ++i) {
    if (room.joiners[i].where.seen == joiner.seen) return static_cast<int>(i + 1);
  }
  if (room.joiners.size() >= kMaxJoiners) return std::nullopt;
  room.joiners.push_back({joiner, random_()});
  return static_cast<int>(room.joiners.size());
}

void RoomTable::Expire(double nowMs) {
  for (auto it = rooms_.begin(); it != rooms_.end();) {
    const Room& room = it->second;
    const bool over = nowMs - room.keptMs > kKeepLimitMs || nowMs - room.openedMs > kLifeMs;
    it = over ? Erase(it) : std::next(it);
  }
}

}  // namespace server
