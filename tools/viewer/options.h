#pragma once
// The command line of one viewer mode: positional words and --name value flags.
#include <map>
#include <string>
#include <vector>

namespace viewer {

class Options {
 public:
  // argv after the mode name. Flags listed in `switches` take no value.
  Options(int argc, char** argv, const std::vector<std::string>& switches);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& flag) const { return flags_.count(flag) > 0; }
  // The flag's value as a number, or `fallback` when absent; throws on a bad number.
  float Number(const std::string& flag, float fallback) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> flags_;
};

}  // namespace viewer
