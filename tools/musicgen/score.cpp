#include "score.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace musicgen {
namespace {

constexpr float kAccentVelocity = 1.0f;
constexpr float kNormalVelocity = 0.78f;
constexpr float kSoftVelocity = 0.5f;
constexpr double kLongestLoopSeconds = 600;  // anything longer is a typo, not a loop

struct Pattern {
  int instrument = 0;
  std::vector<std::string> steps;
};

struct ParseState {
  Score score;
  std::map<std::string, int> instrumentIndex;
  std::map<std::string, Pattern> patterns;
  std::string openPattern;  // the pattern whose step lines are being read; empty outside one
  int line = 0;
  std::string error;

  bool Fail(const std::string& why) {
    error = "line " + std::to_string(line) + ": " + why;
    return false;
  }
};

bool ParseWave(const std::string& text, Wave& out) {
  static const std::map<std::string, Wave> kWaves = {{"sine", Wave::kSine},
                                                     {"triangle", Wave::kTriangle},
                                                     {"saw", Wave::kSaw},
                                                     {"square", Wave::kSquare},
                                                     {"noise", Wave::kNoise}};
  auto found = kWaves.find(text);
  if (found == kWaves.end()) return false;
  out = found->second;
  return true;
}

bool ParseFilter(const std::string& text, FilterMode& out) {
  static const std::map<std::string, FilterMode> kModes = {{"none", FilterMode::kNone},
                                                           {"lowpass", FilterMode::kLowPass},
                                                           {"highpass", FilterMode::kHighPass},
                                                           {"bandpass", FilterMode::kBandPass}};
  auto found = kModes.find(text);
  if (found == kModes.end()) return false;
  out = found->second;
  return true;
}

}  // namespace

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word && word[0] != '#';) words.push_back(word);
  return words;
}

bool ParseFloat(const std::string& text, float& out) {
  char* end = nullptr;
  out = std::strtof(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

bool ParseInstrumentSetting(Instrument& instrument, const std::string& key,
                            const std::string& value) {
  if (key == "wave") return ParseWave(value, instrument.wave);
  if (key == "filter") return ParseFilter(value, instrument.filter);
  static const std::map<std::string, float Instrument::*> kNumbers = {
      {"attack", &Instrument::attack},
      {"decay", &Instrument::decay},
      {"sustain", &Instrument::sustain},
      {"release", &Instrument::release},
      {"gain", &Instrument::gain},
      {"pan", &Instrument::pan},
      {"detune", &Instrument::detune},
      {"noise", &Instrument::noise},
      {"sweep", &Instrument::sweep},
      {"sweeptime", &Instrument::sweepTime},
      {"glide", &Instrument::glide},
      {"glidetime", &Instrument::glideTime},
      {"drive", &Instrument::drive},
      {"vibrato", &Instrument::vibratoRate},
      {"vibratodepth", &Instrument::vibratoDepth},
      {"cutoff", &Instrument::cutoff},
      {"resonance", &Instrument::resonance},
      {"envelope", &Instrument::filterEnvelope},
      {"echo", &Instrument::echo},
      {"pitch", &Instrument::pitch}};
  auto found = kNumbers.find(key);
  return found != kNumbers.end() && ParseFloat(value, instrument.*(found->second));
}

namespace {

bool ParseInstrument(ParseState& state, const std::vector<std::string>& words) {
  if (words.size() < 2) return state.Fail("instrument needs a name");
  Instrument instrument;
  instrument.name = words[1];
  for (size_t i = 2; i < words.size(); ++i) {
    size_t equals = words[i].find('=');
    if (equals == std::string::npos ||
        !ParseInstrumentSetting(instrument, words[i].substr(0, equals),
                                words[i].substr(equals + 1)))
      return state.Fail("bad instrument setting '" + words[i] + "'");
  }
  state.instrumentIndex[instrument.name] = static_cast<int>(state.score.instruments.size());
  state.score.instruments.push_back(instrument);
  return true;
}

bool ParseSongSetting(ParseState& state, const std::vector<std::string>& words) {
  Score& score = state.score;
  std::vector<float> numbers;
  for (size_t i = 1; i < words.size(); ++i) {
    float number = 0;
    if (!ParseFloat(words[i], number)) return state.Fail("'" + words[i] + "' is not a number");
    numbers.push_back(number);
  }
  const std::string& key = words[0];
  size_t wanted = key == "echo" ? 2 : 1;
  if (numbers.size() != wanted) return state.Fail(key + " takes " + std::to_string(wanted));
  if (key == "tempo") score.tempo = numbers[0];
  if (key == "steps") score.stepsPerBeat = static_cast<int>(numbers[0]);
  if (key == "meter") score.beatsPerBar = static_cast<int>(numbers[0]);
  if (key == "bars") score.bars = static_cast<int>(numbers[0]);
  if (key == "room") score.roomSize = numbers[0];
  if (key == "loudness") score.loudness = numbers[0];
  if (key == "echo") score.echoBeats = numbers[0], score.echoFeedback = numbers[1];
  if (score.tempo <= 0 || score.stepsPerBeat <= 0 || score.beatsPerBar <= 0 || score.bars <= 0)
    return state.Fail("tempo, steps, meter and bars must be positive");
  return true;
}

// Adds the notes of one step token ("a3", "a3+c4+e4!", "x'") starting at `step`.
bool AddStepNotes(ParseState& state, const Pattern& pattern, const std::string& token, int step,
                  int length) {
  std::string body = token;
  float velocity = kNormalVelocity;
  if (body.back() == '!') velocity = kAccentVelocity, body.pop_back();
  if (!body.empty() && body.back() == '\'') velocity = kSoftVelocity, body.pop_back();
  std::istringstream parts(body);
  for (std::string name; std::getline(parts, name, '+');) {
    const Instrument& instrument = state.score.instruments[pattern.instrument];
    float frequency = name == "x" ? instrument.pitch : NoteFrequency(name);
    if (frequency <= 0) return state.Fail("'" + token + "' is not a note");
    state.score.notes.push_back({pattern.instrument, step, length, frequency, velocity});
  }
  return true;
}

// Lays a pattern's tokens down from `start`: "." rests, "-" holds the note before it.
bool PlacePattern(ParseState& state, const Pattern& pattern, int start) {
  const std::vector<std::string>& steps = pattern.steps;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i] == "." || steps[i] == "-") continue;
    size_t end = i + 1;
    while (end < steps.size() && steps[end] == "-") ++end;
    if (!AddStepNotes(state, pattern, steps[i], start + static_cast<int>(i),
                      static_cast<int>(end - i)))
      return false;
  }
  return true;
}

// "track A A*3 rest B": patterns one after another from the loop's start; "*n" repeats and
// "rest" is a silent bar.
bool ParseTrack(ParseState& state, const std::vector<std::string>& words) {
  int step = 0;
  for (size_t i = 1; i < words.size(); ++i) {
    size_t star = words[i].find('*');
    std::string name = words[i].substr(0, star);
    int repeats = star == std::string::npos ? 1 : std::atoi(words[i].c_str() + star + 1);
    if (repeats < 1) return state.Fail("bad repeat in '" + words[i] + "'");
    if (name == "rest") {
      step += repeats * state.score.beatsPerBar * state.score.stepsPerBeat;
      continue;
    }
    auto found = state.patterns.find(name);
    if (found == state.patterns.end()) return state.Fail("no pattern '" + name + "'");
    for (int r = 0; r < repeats; ++r) {
      if (!PlacePattern(state, found->second, step)) return false;
      step += static_cast<int>(found->second.steps.size());
    }
  }
  if (step > state.score.Steps()) return state.Fail("track is longer than the song");
  return true;
}

bool ParsePatternHead(ParseState& state, const std::vector<std::string>& words) {
  if (words.size() != 3) return state.Fail("pattern takes a name and an instrument");
  auto found = state.instrumentIndex.find(words[2]);
  if (found == state.instrumentIndex.end()) return state.Fail("no instrument '" + words[2] + "'");
  state.patterns[words[1]] = Pattern{found->second, {}};
  state.openPattern = words[1];
  return true;
}

bool ParseLine(ParseState& state, const std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (!state.openPattern.empty()) {
    if (key == "end") {
      state.openPattern.clear();
      return true;
    }
    for (const std::string& word : words)
      if (word != "|") state.patterns[state.openPattern].steps.push_back(word);
    return true;
  }
  if (key == "instrument") return ParseInstrument(state, words);
  if (key == "pattern") return ParsePatternHead(state, words);
  if (key == "track") return ParseTrack(state, words);
  static const char* kSettings[] = {"tempo", "steps", "meter", "bars", "room", "loudness", "echo"};
  for (const char* setting : kSettings)
    if (key == setting) return ParseSongSetting(state, words);
  return state.Fail("unknown word '" + key + "'");
}

}  // namespace

float NoteFrequency(const std::string& name) {
  static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g from c
  if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') return 0;
  int semitone = kSemitones[name[0] - 'a'];
  size_t at = 1;
  if (name[at] == '#')
    ++semitone, ++at;
  else if (name[at] == 'b' && at + 1 < name.size())
    --semitone, ++at;
  if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') return 0;
  int midi = 12 * (name[at] - '0' + 1) + semitone;
  return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

std::optional<Score> ParseScore(const std::string& text, std::string& error) {
  ParseState state;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    ++state.line;
    std::vector<std::string> words = Words(line);
    if (!words.empty() && !ParseLine(state, words)) {
      error = state.error;
      return std::nullopt;
    }
  }
  if (!state.openPattern.empty()) {
    error = "pattern '" + state.openPattern + "' has no end";
    return std::nullopt;
  }
  if (state.score.Steps() * state.score.SecondsPerStep() > kLongestLoopSeconds) {
    error = "the loop would last more than ten minutes";
    return std::nullopt;
  }
  return state.score;
}

}  // namespace musicgen
