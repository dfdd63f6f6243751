#include "options.h"

#include <algorithm>
#include <stdexcept>

namespace viewer {

Options::Options(int argc, char** argv, const std::vector<std::string>& switches) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("--", 0) != 0) {
      positional_.push_back(word);
    } else if (std::find(switches.begin(), switches.end(), word) != switches.end()) {
      flags_[word] = "";
    } else if (i + 1 < argc) {
      flags_[word] = argv[++i];
    } else {
      throw std::runtime_error(word + " needs a value");
    }
  }
}

float Options::Number(const std::string& flag, float fallback) const {
  const auto found = flags_.find(flag);
  if (found == flags_.end()) return fallback;
  try {
    return std::stof(found->second);
  } catch (const std::exception&) {
    throw std::runtime_error(flag + ": '" + found->second + "' is not a number");
  }
}

}  // namespace viewer
