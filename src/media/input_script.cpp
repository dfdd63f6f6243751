// Reading and applying the headless input script.
#include "media/input_script.h"

#include <algorithm>
#include <sstream>

#include "media/stream.h"

namespace media {
namespace {

bool ReadInt(std::istringstream& words, int low, int high, int& value) {
  std::string word;
  if (!(words >> word)) return false;
  size_t used = 0;
  try {
    long parsed = std::stol(word, &used);
    if (used != word.size() || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool ReadUpDown(std::istringstream& words, bool& down) {
  std::string word;
  if (!(words >> word) || (word != "down" && word != "up")) return false;
  down = word == "down";
  return true;
}

bool ReadCharacter(std::istringstream& words, int& code) {
  std::string word;
  if (!(words >> word)) return false;
  if (word.size() == 1 && (word[0] < '0' || word[0] > '9')) {
    code = static_cast<unsigned char>(word[0]);
    return true;
  }
  std::istringstream number(word);
  return ReadInt(number, 1, kKeyCodes - 1, code);
}

bool ParseEvent(const std::string& line, ScriptEvent& event) {
  using Kind = ScriptEvent::Kind;
  std::istringstream words(line);
  int ms = 0;
  std::string kind;
  if (!ReadInt(words, 0, INT32_MAX, ms) || !(words >> kind)) return false;
  event.ms = static_cast<uint32_t>(ms);
  bool ok = false;
  if (kind == "key") {
    event.kind = Kind::kKey;
    ok = ReadInt(words, 1, kKeyCodes - 1, event.a) && ReadUpDown(words, event.down);
  } else if (kind == "mouse") {
    event.kind = Kind::kMouseMove;
    ok = ReadInt(words, INT32_MIN, INT32_MAX, event.a) &&
         ReadInt(words, INT32_MIN, INT32_MAX, event.b);
  } else if (kind == "button") {
    event.kind = Kind::kMouseButton;
    ok = ReadInt(words, 1, kMouseButtons, event.a) && ReadUpDown(words, event.down);
  } else if (kind == "joy") {
    event.kind = Kind::kJoystick;
    ok = ReadInt(words, 0, kJoystickPorts - 1, event.a) &&
         ReadInt(words, 0, kJoystickButtons - 1, event.b) && ReadUpDown(words, event.down);
  } else if (kind == "char") {
    event.kind = Kind::kChar;
    ok = ReadCharacter(words, event.a);
  } else if (kind == "close") {
    event.kind = Kind::kClose;
    ok = true;
  }
  std::string extra;
  return ok && !(words >> extra);
}

bool IsBlankOrComment(const std::string& line) {
  size_t start = line.find_first_not_of(" \t");
  return start == std::string::npos || line[start] == '#';
}

}  // namespace

std::optional<std::vector<ScriptEvent>> ReadInputScript(const std::string& path) {
  StreamPtr stream = Stream::OpenRead(path);
  if (!stream) {
    Print("cannot read the input script " + path);
    return std::nullopt;
  }
  std::vector<ScriptEvent> events;
  for (int number = 1; !stream->Eof(); ++number) {
    std::string line = stream->ReadLine();
    if (IsBlankOrComment(line)) continue;
    ScriptEvent event;
    if (!ParseEvent(line, event)) {
      Print(path + ":" + std::to_string(number) + ": bad input script line: " + line);
      return std::nullopt;
    }
    events.push_back(event);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& x, const ScriptEvent& y) { return x.ms < y.ms; });
  return events;
}

void ApplyScriptEvent(const ScriptEvent& event, InputState& input) {
  using Kind = ScriptEvent::Kind;
  switch (event.kind) {
    case Kind::kKey:
      input.KeyEvent(event.a, event.down);
      break;
    case Kind::kMouseMove:
      input.MouseMove(event.a, event.b);
      break;
    case Kind::kMouseButton:
      input.MouseButtonEvent(event.a, event.down);
      break;
    case Kind::kJoystick:
      input.JoystickButtonEvent(event.a, event.b, event.down);
      break;
    case Kind::kChar:
      input.CharEvent(event.a);
      break;
    case Kind::kClose:
      input.CloseRequested();
      break;
  }
}

}  // namespace media
