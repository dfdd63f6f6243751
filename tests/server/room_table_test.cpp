// The room table and the wrong-code limit on their own: codes, members, expiry, the limits.
#include "server/room_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "server/wrong_codes.h"

namespace {

using server::RoomTable;
using server::WrongCodes;

net::Whereabouts At(uint32_t ip, uint16_t port) {
  return {{ip, port}, {}};
}

TEST(RoomTable, CodesAreDistinctAndReadable) {
  RoomTable rooms(2000, 64, 7);
  std::set<std::string> codes;
  for (int i = 0; i < 2000; ++i) {
    const server::Room* room = rooms.Open(At(1 + i, 1), 0);
    ASSERT_NE(room, nullptr);
    const std::string code = net::CodeText(room->code);
    EXPECT_EQ(code.find_first_not_of(net::kRoomCodeLetters), std::string::npos) << code;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), 2000u);
  EXPECT_EQ(rooms.Open(At(5000, 1), 0), nullptr) << "a full table takes no more rooms";
}

TEST(RoomTable, OneAddressHoldsAFewRoomsAtMost) {
  RoomTable rooms(100, 64, 9);
  std::vector<net::RoomCode> codes;
  for (size_t i = 0; i < RoomTable::kRoomsPerAddress; ++i) {
    const server::Room* room = rooms.Open(At(7, static_cast<uint16_t>(i)), 0);
    ASSERT_NE(room, nullptr);
    codes.push_back(room->code);
  }
  EXPECT_TRUE(rooms.AddressFull(7));
  EXPECT_EQ(rooms.Open(At(7, 999), 0), nullptr);
  EXPECT_NE(rooms.Open(At(8, 1), 0), nullptr) << "another address is not held back";

  rooms.Close(codes[0], rooms.Find(codes[0])->host.secret);
  EXPECT_FALSE(rooms.AddressFull(7)) << "a closed room frees its place";
  EXPECT_NE(rooms.Open(At(7, 999), 0), nullptr);
  rooms.Expire(RoomTable::kKeepLimitMs + 1);
  EXPECT_EQ(rooms.Count(), 0u);
  EXPECT_FALSE(rooms.AddressFull(7)) << "expired rooms free theirs";
}

TEST(RoomTable, MembersAreCappedAndAJoinerAskingTwiceKeepsItsNumber) {
  RoomTable rooms(10, 64, 1);
  server::Room* room = rooms.Find(rooms.Open(At(1, 1), 0)->code);
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(rooms.Admit(*room, At(2, 1)), 1);
  EXPECT_EQ(rooms.Admit(*room, At(3, 1)), 2);
  EXPECT_EQ(rooms.Admit(*room, At(2, 1)), 1);
  EXPECT_EQ(rooms.Admit(*room, At(4, 1)), 3);
  EXPECT_EQ(rooms.Admit(*room, At(5, 1)), std::nullopt);
  EXPECT_NE(room->joiners[0].secret, room->joiners[1].secret);
}

TEST(RoomTable, RoomsEndWhenClosedByTheirHostSilentOrAnHourOld) {
  RoomTable rooms(10, 64, 3);
  const net::RoomCode closed = rooms.Open(At(1, 1), 0)->code;
  const uint64_t secret = rooms.Find(closed)->host.secret;
  rooms.Close(closed, secret + 1);
  EXPECT_NE(rooms.Find(closed), nullptr) << "only the host's secret closes a room";
  rooms.Close(closed, secret);
  EXPECT_EQ(rooms.Find(closed), nullptr);

  const net::RoomCode silent = rooms.Open(At(1, 2), 0)->code;
  const net::RoomCode kept = rooms.Open(At(1, 3), 0)->code;
  const uint64_t keptSecret = rooms.Find(kept)->host.secret;
  for (double t = 5000; t <= RoomTable::kLifeMs; t += 5000) {
    EXPECT_TRUE(rooms.Keep(kept, keptSecret, t));
    rooms.Expire(t);
  }
  EXPECT_EQ(rooms.Find(silent), nullptr);
  EXPECT_NE(rooms.Find(kept), nullptr);
  rooms.Expire(RoomTable::kLifeMs + 1);
  EXPECT_EQ(rooms.Find(kept), nullptr);
  EXPECT_EQ(rooms.Count(), 0u);
}

TEST(WrongCodes, TenAMinutePerAddress) {
  WrongCodes limit;
  for (int i = 0; i < WrongCodes::kPerMinute; ++i) {
    ASSERT_TRUE(limit.MayTry(1, 1000 + i));
    limit.Count(1, 1000 + i);
  }
  EXPECT_FALSE(limit.MayTry(1, 2000));
  EXPECT_TRUE(limit.MayTry(2, 2000)) << "another address is not held back";
  EXPECT_TRUE(limit.MayTry(1, 1000 + WrongCodes::kWindowMs));
}

TEST(WrongCodes, FollowsABoundedNumberOfAddresses) {
  WrongCodes limit;
  for (uint32_t ip = 0; ip < WrongCodes::kMaxFollowed + 10; ++ip) limit.Count(ip, 0);
  EXPECT_EQ(limit.Followed(), WrongCodes::kMaxFollowed);
  EXPECT_FALSE(limit.MayTry(WrongCodes::kMaxFollowed + 20, 10));
  EXPECT_TRUE(limit.MayTry(WrongCodes::kMaxFollowed + 20, WrongCodes::kWindowMs + 1))
      << "once their minute is over, the old ones are forgotten";
}

TEST(Bandwidth, ASecondsWorthAtMostThenTheRate) {
  server::Bandwidth share(80);  // 10 bytes a millisecond
  EXPECT_TRUE(share.Spend(10000, 1000));
  EXPECT_FALSE(share.Spend(100, 1000));
  EXPECT_TRUE(share.Spend(100, 1010));
  EXPECT_FALSE(share.Spend(100, 1010));
}

}  // namespace
