#pragma once
// What two machines must share to play together: the game's version and the data files that
// decide play. A joiner whose identity differs from the host's is refused with a message that
// says which.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "net/bytes.h"

namespace net {

struct Identity {
  std::string version;
  // Each data file by its path under the data folder, with a digest of its bytes, sorted by path.
  std::vector<std::pair<std::string, uint64_t>> files;

  void Write(ByteWriter& out) const;
  // False when cut short or naming more than kMaxDataFiles files.
  static bool Read(ByteReader& in, Identity& identity);
};

// The running game's identity over the files in anim/ and gfx/ of the current folder.
Identity LocalIdentity();
// Tests play a machine of another version through this (empty: the real one again); the data
// still count.
void PretendVersion(const std::string& version);

// Empty when a joiner with `joiner` may play with a host of `host`; else the refusal, in Spanish.
std::string Refusal(const Identity& host, const Identity& joiner);

}  // namespace net
