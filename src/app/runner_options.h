#pragma once
// The headless runner's command line. Each option is one row of a table in runner_options.cpp, so
// a new option is a field here and a row there.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/startup.h"

namespace app {

struct RunnerOptions {
  std::string dataFolder;   // empty: the folder beside the runner
  std::string inputScript;  // path of the input script; empty: no input
  double seconds = 0;       // virtual seconds before the run stops with status 0; 0: no limit
  std::vector<std::pair<uint32_t, std::string>> shots;  // virtual ms, PNG path
  std::string traceFile;
  std::string audioFile;             // the mix recorded as WAV; empty: none
  std::optional<MatchChoice> match;  // play this match instead of the menu, then end
  int bots = 0;                      // players 1 … bots are pressed by bots
  std::optional<int32_t> seed;       // the random draws of play; none: the same every run
  bool draw = true;                  // false: matches update without drawing
  bool networked = false;            // --host or --join: `network` says which
  NetChoice network;
  std::string pretendVersion;  // test-only: the version this machine claims to be
};

extern const char* const kRunnerUsage;
extern const char* const kWindowUsage;

// Null, with `error` saying why, when the arguments are not understood. Paths are made absolute
// against the current folder, since the runner moves into its data folder before it starts. The
// windowed program takes only the network options and --match.
std::optional<RunnerOptions> ParseRunnerOptions(const std::vector<std::string>& args,
                                                std::string& error, bool windowed = false);

}  // namespace app
