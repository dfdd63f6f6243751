#include "effect.h"

#include <sstream>

namespace sfxgen {
namespace {

constexpr float kLongestSeconds = 5;  // an effect is short; anything longer is a typo
constexpr int kMostVariants = 8;

struct ParseState {
  Effect effect;
  int variant = 0;
  int line = 0;
  std::string error;

  bool Fail(const std::string& why) {
    error = "line " + std::to_string(line) + ": " + why;
    return false;
  }
};

// "a|b|c" gives the variant's own alternative; a plain value serves every variant.
bool PickAlternative(ParseState& state, const std::string& value, std::string& picked) {
  std::vector<std::string> alternatives;
  std::istringstream in(value);
  for (std::string part; std::getline(in, part, '|');) alternatives.push_back(part);
  if (alternatives.size() == 1) {
    picked = alternatives[0];
    return true;
  }
  if (static_cast<int>(alternatives.size()) != state.effect.variants)
    return state.Fail("'" + value + "' needs one value per variant (" +
                      std::to_string(state.effect.variants) + ")");
  if (state.variant < 0 || state.variant >= state.effect.variants)
    return state.Fail("there is no variant " + std::to_string(state.variant + 1));
  picked = alternatives[state.variant];
  return true;
}

// The layer's own keys; everything else is an instrument setting of the music's synthesiser.
bool SetLayerField(Layer& layer, const std::string& key, const std::string& value) {
  if (key == "note") {
    layer.note.frequency = musicgen::NoteFrequency(value);
    return layer.note.frequency > 0;
  }
  if (key == "freq") return musicgen::ParseFloat(value, layer.note.frequency);
  if (key == "at") return musicgen::ParseFloat(value, layer.at);
  if (key == "hold") return musicgen::ParseFloat(value, layer.hold);
  if (key == "velocity") return musicgen::ParseFloat(value, layer.note.velocity);
  return musicgen::ParseInstrumentSetting(layer.instrument, key, value);
}

bool ParseLayer(ParseState& state, const std::vector<std::string>& words) {
  Layer layer;
  layer.note.velocity = 1;
  for (size_t i = 1; i < words.size(); ++i) {
    size_t equals = words[i].find('=');
    std::string value;
    if (equals == std::string::npos)
      return state.Fail("'" + words[i] + "' is not a key=value setting");
    if (!PickAlternative(state, words[i].substr(equals + 1), value)) return false;
    if (!SetLayerField(layer, words[i].substr(0, equals), value))
      return state.Fail("bad layer setting '" + words[i] + "'");
  }
  if (layer.at < 0 || layer.hold < 0) return state.Fail("a layer cannot start or hold below 0");
  state.effect.layers.push_back(layer);
  return true;
}

bool ParseNumbers(ParseState& state, const std::vector<std::string>& words, size_t wanted,
                  std::vector<float>& numbers) {
  if (words.size() != wanted + 1)
    return state.Fail(words[0] + " takes " + std::to_string(wanted) + " number(s)");
  for (size_t i = 1; i < words.size(); ++i) {
    float number = 0;
    if (!musicgen::ParseFloat(words[i], number))
      return state.Fail("'" + words[i] + "' is not a number");
    numbers.push_back(number);
  }
  return true;
}

bool ParseSetting(ParseState& state, const std::vector<std::string>& words) {
  Effect& effect = state.effect;
  const std::string& key = words[0];
  std::vector<float> numbers;
  if (!ParseNumbers(state, words, key == "echo" ? 3 : 1, numbers)) return false;
  if (key == "length") effect.length = numbers[0];
  if (key == "loudness") effect.loudness = numbers[0];
  if (key == "echo") effect.echo = {numbers[0], numbers[1], numbers[2]};
  if (key == "variants") {
    if (!effect.layers.empty()) return state.Fail("variants must come before the layers");
    effect.variants = static_cast<int>(numbers[0]);
    if (effect.variants < 1 || effect.variants > kMostVariants)
      return state.Fail("variants must be 1-" + std::to_string(kMostVariants));
  }
  if (effect.length <= 0 || effect.length > kLongestSeconds)
    return state.Fail("length must be above 0 and at most " + std::to_string(kLongestSeconds));
  if (effect.echo.feedback < 0 || effect.echo.feedback > 0.9f || effect.echo.seconds < 0)
    return state.Fail("echo takes seconds >= 0 and a feedback of 0-0.9");
  return true;
}

bool ParseLine(ParseState& state, const std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (key == "layer") return ParseLayer(state, words);
  for (const char* setting : {"length", "loudness", "variants", "echo"})
    if (key == setting) return ParseSetting(state, words);
  return state.Fail("unknown word '" + key + "'");
}

}  // namespace

std::optional<Effect> ParseEffect(const std::string& text, int variant, std::string& error) {
  ParseState state;
  state.variant = variant;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    ++state.line;
    std::vector<std::string> words = musicgen::Words(line);
    if (!words.empty() && !ParseLine(state, words)) {
      error = state.error;
      return std::nullopt;
    }
  }
  if (state.effect.layers.empty()) {
    error = "the effect has no layer";
    return std::nullopt;
  }
  if (variant < 0 || variant >= state.effect.variants) {
    error = "there is no variant " + std::to_string(variant + 1);
    return std::nullopt;
  }
  return state.effect;
}

}  // namespace sfxgen
