#include "look.h"

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

namespace chargen {

namespace {

uint32_t Colour(const std::string& text) {
  size_t used = 0;
  const unsigned long value = std::stoul(text, &used, 16);
  if (used != text.size() || text.size() != 6) throw std::invalid_argument("colour");
  return 0xFF000000u | static_cast<uint32_t>(value);
}

bool OneOf(const std::string& value, std::initializer_list<const char*> allowed) {
  for (const char* word : allowed) {
    if (value == word) return true;
  }
  return false;
}

using Setter = std::function<void(Look&, const std::string&)>;

Setter Text(std::string Look::*field, std::initializer_list<const char*> allowed) {
  std::vector<std::string> words(allowed.begin(), allowed.end());
  return [field, words](Look& look, const std::string& value) {
    for (const auto& word : words) {
      if (value == word) {
        look.*field = value;
        return;
      }
    }
    throw std::invalid_argument("value");
  };
}

const std::map<std::string, Setter>& Setters() {
  static const std::map<std::string, Setter> setters = {
      {"skin", [](Look& l, const std::string& v) { l.skin = Colour(v); }},
      {"shirt", [](Look& l, const std::string& v) { l.shirt = Colour(v); }},
      {"accent", [](Look& l, const std::string& v) { l.accent = Colour(v); }},
      {"trousers", [](Look& l, const std::string& v) { l.trousers = Colour(v); }},
      {"shoes", [](Look& l, const std::string& v) { l.shoes = Colour(v); }},
      {"hair", [](Look& l, const std::string& v) { l.hair = Colour(v); }},
      {"hat", [](Look& l, const std::string& v) { l.hat = Colour(v); }},
      {"pattern", Text(&Look::pattern,
                       {"plain", "stripes", "dots", "chevron", "tie", "vest", "apron", "zip"})},
      {"hair_style", Text(&Look::hairStyle, {"short", "spiky", "long", "mohawk", "bald", "curly",
                                             "bun", "combover"})},
      {"hat_style", Text(&Look::hatStyle, {"none", "cap", "beanie", "headband"})},
      {"prop", Text(&Look::prop, {"axe", "cleaver", "party_hat", "top_hat", "plunger", "bowler",
                                  "cone", "knife"})},
      {"build", [](Look& l, const std::string& v) { l.build = std::stof(v); }},
      {"belly", [](Look& l, const std::string& v) { l.belly = std::stof(v); }},
      {"limbs", [](Look& l, const std::string& v) { l.limbs = std::stof(v); }},
      {"skirt",
       [](Look& l, const std::string& v) {
         if (!OneOf(v, {"yes", "no"})) throw std::invalid_argument("value");
         l.skirt = v == "yes";
       }},
  };
  return setters;
}

}  // namespace

// look NAME player|zombie ... end, with one "key value" per line in between.
std::vector<Look> LoadLooks(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error(path + ": cannot open");
  std::vector<Look> looks;
  bool open = false;
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    std::istringstream words(line.substr(0, line.find('#')));
    std::string key, value, extra;
    if (!(words >> key)) continue;
    words >> value >> extra;
    const std::string where = path + ":" + std::to_string(lineNumber) + ": ";
    if (key == "end" && open) {
      open = false;
    } else if (key == "look" && !open && OneOf(extra, {"player", "zombie"})) {
      looks.push_back({});
      looks.back().name = value;
      looks.back().zombie = extra == "zombie";
      open = true;
    } else if (open && Setters().count(key) && !value.empty() && extra.empty()) {
      try {
        Setters().at(key)(looks.back(), value);
      } catch (const std::exception&) {
        throw std::runtime_error(where + "bad value '" + value + "' for " + key);
      }
    } else {
      throw std::runtime_error(where + "unexpected '" + line + "'");
    }
  }
  if (open) throw std::runtime_error(path + ": missing 'end'");
  return looks;
}

}  // namespace chargen
