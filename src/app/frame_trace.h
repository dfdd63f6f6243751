#pragma once
// The headless runner's trace: one JSON object per presented frame, one per line, so two runs of
// the same script can be diffed.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "field/player_report.h"

namespace app {

class FrameTrace {
 public:
  // Null, after a message on standard error naming the file, when it cannot be created.
  static std::unique_ptr<FrameTrace> Open(const std::string& path);
  ~FrameTrace();
  FrameTrace(const FrameTrace&) = delete;
  FrameTrace& operator=(const FrameTrace&) = delete;

  // {"t": MS, "state": S, "players": [{"slot": 0, "state": 1, "x": 400.00, "y": 475.00}]}, and
  // in a network match also "frame": F, "waiting": [P, ...] (the players waited for) and
  // "rolled": N (the frames played again before this one).
  void Write(uint32_t ms);
  // A confirmed frame of a network match: {"frame": F, "state": S, "players": [...]}.
  void WriteConfirmed(uint32_t frame, const std::vector<field::PlayerReport>& players);

 private:
  explicit FrameTrace(std::FILE* file) : file_(file) {}
  void WritePlayers(const std::vector<field::PlayerReport>& players);
  std::FILE* file_;
};

}  // namespace app
