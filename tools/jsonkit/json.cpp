#include "json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace jsonkit {
namespace {

constexpr int kMaxNesting = 512;

bool IsNumberLiteral(const std::string& text) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > start;
  };
  if (i < text.size() && text[i] == '-') ++i;
  if (!digits()) return false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == text.size();
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void WriteString(std::string& out, const std::string& text) {
  out += '"';
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

class Parser {
 public:
  explicit Parser(const std::string& text) : text_(text) {}

  Value Document() {
    Value value = Parse(0);
    SkipSpace();
    if (at_ != text_.size()) Fail("text after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& problem) const {
    throw JsonError("JSON: " + problem + " at byte " + std::to_string(at_));
  }
  void SkipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }
  char Peek() {
    SkipSpace();
    if (at_ >= text_.size()) Fail("unexpected end");
    return text_[at_];
  }
  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++at_;
  }
  bool Word(const char* word) {
    const std::string_view expected(word);
    if (text_.compare(at_, expected.size(), expected) != 0) return false;
    at_ += expected.size();
    return true;
  }

  Value Parse(int depth) {
    if (depth > kMaxNesting) Fail("nesting too deep");
    const char c = Peek();
    if (c == '{') return ParseObject(depth);
    if (c == '[') return ParseArray(depth);
    if (c == '"') return Value::String(ParseString());
    if (Word("true")) return Value::Bool(true);
    if (Word("false")) return Value::Bool(false);
    if (Word("null")) return Value();
    const size_t start = at_;
    while (at_ < text_.size() &&
           std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos) {
      ++at_;
    }
    const std::string literal = text_.substr(start, at_ - start);
    if (!IsNumberLiteral(literal)) Fail("bad value");
    return Value::NumberText(literal);
  }

  Value ParseArray(int depth) {
    Expect('[');
    Value array = Value::Array();
    if (Peek() == ']') return ++at_, array;
    while (true) {
      array.Push(Parse(depth + 1));
      if (Peek() == ']') return ++at_, array;
      Expect(',');
    }
  }

  Value ParseObject(int depth) {
    Expect('{');
    Value object = Value::Object();
    if (Peek() == '}') return ++at_, object;
    while (true) {
      if (Peek() != '"') Fail("expected a key");
      const std::string key = ParseString();
      Expect(':');
      object.Set(key, Parse(depth + 1));
      if (Peek() == '}') return ++at_, object;
      Expect(',');
    }
  }

  uint32_t ParseHex4() {
    if (at_ + 4 > text_.size()) Fail("short \\u escape");
    uint32_t code = 0;
    const auto [end, error] = std::from_chars(&text_[at_], &text_[at_] + 4, code, 16);
    if (error != std::errc() || end != &text_[at_] + 4) Fail("bad \\u escape");
    at_ += 4;
    return code;
  }

  std::string ParseString() {
    Expect('"');
    std::string out;
    while (true) {
      if (at_ >= text_.size()) Fail("unterminated string");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("unterminated string");
      const char escape = text_[at_++];
      switch (escape) {
        case '"':
        case '\\':
        case '/':
          out += escape;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u':
          AppendUtf8(out, ParseCodePoint());
          break;
        default:
          Fail("bad escape");
      }
    }
  }

  uint32_t ParseCodePoint() {
    const uint32_t code = ParseHex4();
    if (code < 0xD800 || code > 0xDBFF) return code;
    if (!Word("\\u")) Fail("lone surrogate");
    const uint32_t low = ParseHex4();
    if (low < 0xDC00 || low > 0xDFFF) Fail("bad surrogate pair");
    return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }

  const std::string& text_;
  size_t at_ = 0;
};

}  // namespace

Value Value::Bool(bool value) {
  Value result;
  result.type_ = Type::kBool;
  result.flag_ = value;
  return result;
}

Value Value::Integer(int64_t value) {
  return NumberText(std::to_string(value));
}

Value Value::Float(float value) {
  if (std::isnan(value)) return String("NaN");
  if (std::isinf(value)) return String(value > 0 ? "Infinity" : "-Infinity");
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return NumberText(std::string(text, result.ptr));
}

Value Value::NumberText(const std::string& text) {
  if (!IsNumberLiteral(text)) throw JsonError("JSON: not a number: " + text);
  Value result;
  result.type_ = Type::kNumber;
  result.text_ = text;
  return result;
}

Value Value::String(std::string text) {
  Value result;
  result.type_ = Type::kString;
  result.text_ = std::move(text);
  return result;
}

Value Value::Array() {
  Value result;
  result.type_ = Type::kArray;
  return result;
}

Value Value::Object() {
  Value result;
  result.type_ = Type::kObject;
  return result;
}

int64_t Value::AsInteger(const std::string& what) const {
  int64_t value = 0;
  if (type_ == Type::kNumber) {
    const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), value);
    if (error == std::errc() && end == text_.data() + text_.size()) return value;
  }
  throw JsonError(what + " must be an integer");
}

float Value::AsFloat(const std::string& what) const {
  if (type_ == Type::kString) {
    if (text_ == "NaN") return std::numeric_limits<float>::quiet_NaN();
    if (text_ == "Infinity") return std::numeric_limits<float>::infinity();
    if (text_ == "-Infinity") return -std::numeric_limits<float>::infinity();
  }
  float value = 0;
  if (type_ == Type::kNumber) {
    const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), value);
    if (error == std::errc() && end == text_.data() + text_.size()) return value;
  }
  throw JsonError(what + " must be a number");
}

const std::string& Value::AsString(const std::string& what) const {
  if (type_ != Type::kString) throw JsonError(what + " must be a string");
  return text_;
}

const std::vector<Value>& Value::AsArray(const std::string& what) const {
  if (type_ != Type::kArray) throw JsonError(what + " must be an array");
  return items_;
}

Value& Value::Set(const std::string& key, Value value) {
  for (auto& [name, member] : members_) {
    if (name == key) return member = std::move(value);
  }
  members_.emplace_back(key, std::move(value));
  return members_.back().second;
}

const Value* Value::Find(const std::string& key) const {
  for (const auto& [name, member] : members_) {
    if (name == key) return &member;
  }
  return nullptr;
}

const Value& Value::Get(const std::string& key) const {
  if (type_ != Type::kObject) throw JsonError("an object was expected around \"" + key + "\"");
  const Value* member = Find(key);
  if (!member) throw JsonError("\"" + key + "\" is missing");
  return *member;
}

Value& Value::Push(Value value) {
  items_.push_back(std::move(value));
  return items_.back();
}

std::string Value::Write() const {
  std::string out;
  WriteTo(out);
  return out;
}

void Value::WriteTo(std::string& out) const {
  switch (type_) {
    case Type::kNull:
      out += "null";
      break;
    case Type::kBool:
      out += flag_ ? "true" : "false";
      break;
    case Type::kNumber:
      out += text_;
      break;
    case Type::kString:
      WriteString(out, text_);
      break;
    case Type::kArray:
      out += '[';
      for (size_t i = 0; i < items_.size(); ++i) {
        if (i > 0) out += ", ";
        items_[i].WriteTo(out);
      }
      out += ']';
      break;
    case Type::kObject:
      out += '{';
      for (size_t i = 0; i < members_.size(); ++i) {
        if (i > 0) out += ", ";
        WriteString(out, members_[i].first);
        out += ": ";
        members_[i].second.WriteTo(out);
      }
      out += '}';
      break;
  }
}

Value Parse(const std::string& text) {
  return Parser(text).Document();
}

std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) AppendUtf8(out, c);
  return out;
}

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      out += static_cast<char>((c & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      throw JsonError("a text holds a character beyond Latin-1");
    }
  }
  return out;
}

}  // namespace jsonkit
