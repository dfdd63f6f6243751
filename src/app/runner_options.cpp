#include "app/runner_options.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string_view>
#include <version>

#include "net/room_server_setting.h"

namespace app {

const char* const kRunnerUsage =
    "usage: skullgnawer-headless [--data DIR] [--input FILE] [--seconds S] "
    "[--shot MS:FILE.png]... [--trace FILE] [--confirmed-trace FILE] [--audio FILE.wav] "
    "[--match LEVEL:PLAYERS] [--bots N] [--seed N] [--no-draw] [--host [PORT] | --join "
    "HOST[:PORT] | --join-code ABCD] [--server HOST[:PORT]] [--local K] [--lockstep] "
    "[--input-delay N]";
const char* const kWindowUsage =
    "usage: skullgnawer [--host [PORT] | --join HOST[:PORT] | --join-code ABCD] "
    "[--server HOST[:PORT]] [--local K] [--lockstep] [--input-delay N] [--match LEVEL:PLAYERS]";

namespace {

std::string Absolute(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

#ifndef __cpp_lib_to_chars
// A standard library without floating-point from_chars (the web build's) reads seconds with strtod,
// refusing the leading blanks and plus sign from_chars refuses.
bool ParseNumber(std::string_view text, double& value) {
  const std::string copy(text);
  if (copy.empty() || std::isspace(static_cast<unsigned char>(copy[0])) || copy[0] == '+') {
    return false;
  }
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size();
}
#endif

bool ParseShot(const std::string& text, RunnerOptions& options) {
  const size_t colon = text.find(':');
  uint32_t ms = 0;
  if (colon == std::string::npos || colon + 1 == text.size() ||
      !ParseNumber(std::string_view(text).substr(0, colon), ms)) {
    return false;
  }
  options.shots.emplace_back(ms, Absolute(text.substr(colon + 1)));
  return true;
}

// LEVEL 0-2 (bosque, ciudad, metro) and PLAYERS 2-4.
bool ParseMatch(const std::string& text, RunnerOptions& options) {
  const size_t colon = text.find(':');
  MatchChoice match;
  if (colon == std::string::npos ||
      !ParseNumber(std::string_view(text).substr(0, colon), match.level) ||
      !ParseNumber(std::string_view(text).substr(colon + 1), match.players) || match.level < 0 ||
      match.level > 2 || match.players < 2 || match.players > 4) {
    return false;
  }
  options.match = match;
  return true;
}

// An option whose value is a path, kept absolute in the given field.
auto PathInto(std::string RunnerOptions::*field) {
  return [field](const std::string& value, RunnerOptions& options) {
    options.*field = Absolute(value);
    return true;
  };
}

// --host [PORT]: any free port when PORT is 0.
bool ParseHost(const std::string& value, RunnerOptions& options) {
  options.networked = true;
  options.network.hosting = true;
  if (value.empty()) return true;
  const auto port = net::ParsePort(value, true);
  if (port) options.network.port = *port;
  return port.has_value();
}

bool ParseJoin(const std::string& value, RunnerOptions& options) {
  const auto address = net::ParseAddress(value);
  if (!address) return false;
  options.networked = true;
  options.network.hosting = false;
  options.network.host = *address;
  return true;
}

// Beyond this a press would wait longer than rollback keeps states for.
constexpr int kMostInputDelay = 10;

// --hold-packets FRAME:MS, test-only: from that frame this machine's packets wait MS ms.
bool ParseHold(const std::string& text, RunnerOptions& options) {
  const size_t colon = text.find(':');
  NetChoice& network = options.network;
  return colon != std::string::npos &&
         ParseNumber(std::string_view(text).substr(0, colon), network.holdFrame) &&
         ParseNumber(std::string_view(text).substr(colon + 1), network.holdMs) &&
         network.holdMs > 0;
}

// --server HOST[:PORT]: the room server, on its own port unless another is given.
bool ParseServer(const std::string& value, RunnerOptions& options) {
  options.network.server = net::ParseRoomServer(value);
  return options.network.server.has_value();
}

bool ParseJoinCode(const std::string& value, RunnerOptions& options) {
  options.network.code = net::ParseRoomCode(value);
  options.networked = true;
  options.network.hosting = false;
  return options.network.code.has_value();
}

enum class Takes { kValue, kNothing, kOptionalValue };

struct OptionRow {
  const char* name;
  // Takes the option's value (empty for a flag); false when the value is not understood.
  std::function<bool(const std::string&, RunnerOptions&)> apply;
  Takes takes = Takes::kValue;
  bool windowed = false;  // the windowed program takes it too
};

const OptionRow kOptions[] = {
    {"--data", PathInto(&RunnerOptions::dataFolder)},
    {"--input", PathInto(&RunnerOptions::inputScript)},
    {"--seconds",
     [](const std::string& value, RunnerOptions& options) {
       return ParseNumber(value, options.seconds) && options.seconds > 0;
     }},
    {"--shot", ParseShot},
    {"--trace", PathInto(&RunnerOptions::traceFile)},
    {"--confirmed-trace", PathInto(&RunnerOptions::confirmedTraceFile)},
    {"--audio", PathInto(&RunnerOptions::audioFile)},
    {"--match", ParseMatch, Takes::kValue, true},
    {"--bots",
     [](const std::string& value, RunnerOptions& options) {
       return ParseNumber(value, options.bots) && options.bots >= 1 && options.bots <= 4;
     }},
    {"--seed",
     [](const std::string& value, RunnerOptions& options) {
       int32_t seed = 0;
       if (!ParseNumber(value, seed)) return false;
       options.seed = seed;
       return true;
     }},
    {"--no-draw",
     [](const std::string&, RunnerOptions& options) {
       options.draw = false;
       return true;
     },
     Takes::kNothing},
    {"--host", ParseHost, Takes::kOptionalValue, true},
    {"--join", ParseJoin, Takes::kValue, true},
    {"--server", ParseServer, Takes::kValue, true},
    {"--join-code", ParseJoinCode, Takes::kValue, true},
    {"--local",
     [](const std::string& value, RunnerOptions& options) {
       int& local = options.network.localPlayers;
       return ParseNumber(value, local) && local >= 1 && local <= 4;
     },
     Takes::kValue, true},
    {"--lockstep",
     [](const std::string&, RunnerOptions& options) {
       options.network.lockstep = true;
       return true;
     },
     Takes::kNothing, true},
    {"--input-delay",
     [](const std::string& value, RunnerOptions& options) {
       int& delay = options.network.inputDelay;
       return ParseNumber(value, delay) && delay >= 1 && delay <= kMostInputDelay;
     },
     Takes::kValue, true},
    {"--hold-packets", ParseHold},
    {"--pretend-version",
     [](const std::string& value, RunnerOptions& options) {
       options.pretendVersion = value;
       return !value.empty();
     }},
    {"--nudge-after",
     [](const std::string& value, RunnerOptions& options) {
       return ParseNumber(value, options.network.nudgeAfter) && options.network.nudgeAfter > 0;
     }},
};

const OptionRow* FindOption(const std::string& name) {
  for (const OptionRow& row : kOptions) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

}  // namespace

std::optional<RunnerOptions> ParseRunnerOptions(const std::vector<std::string>& args,
                                                std::string& error, bool windowed) {
  RunnerOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const OptionRow* row = FindOption(args[i]);
    if (!row || (windowed && !row->windowed)) {
      error = "unknown option " + args[i];
      return std::nullopt;
    }
    const bool valueFollows = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
    if (row->takes == Takes::kNothing || (row->takes == Takes::kOptionalValue && !valueFollows)) {
      row->apply("", options);
      continue;
    }
    if (i + 1 == args.size()) {
      error = args[i] + " needs a value";
      return std::nullopt;
    }
    ++i;
    if (!row->apply(args[i], options)) {
      error = "bad value for " + args[i - 1] + ": " + args[i];
      return std::nullopt;
    }
  }
  if (options.networked && options.bots > 0) {
    error = "--bots does not go with --host or --join";
    return std::nullopt;
  }
  if (options.network.code && !options.network.server) {
    error = "--join-code needs --server";
    return std::nullopt;
  }
  if (options.network.server && !options.network.code && !options.network.hosting) {
    error = "--server goes with --host or --join-code";
    return std::nullopt;
  }
  if (options.networked && options.seed) {
    error = "--seed does not go with --host or --join: the host chooses the seed";
    return std::nullopt;
  }
  const NetChoice plain;
  if (!options.networked &&
      (options.network.localPlayers != plain.localPlayers || options.network.server ||
       options.network.nudgeAfter != plain.nudgeAfter || options.network.holdMs != plain.holdMs)) {
    error = "--local, --server, --nudge-after and --hold-packets need --host or --join";
    return std::nullopt;
  }
  const bool hosting = options.networked && options.network.hosting;
  if (options.network.inputDelay != plain.inputDelay && !hosting) {
    error = "--input-delay goes with --host: the host chooses it for every machine";
    return std::nullopt;
  }
  if (options.network.lockstep && !hosting) {
    error = "--lockstep goes with --host: the host chooses how every machine plays the frames";
    return std::nullopt;
  }
  return options;
}

}  // namespace app
