#pragma once
// A compact JSON reader and writer for the format tools. Numbers keep the text they were read
// or made with, so a float written by the tools reads back to the same bits.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace jsonkit {

class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Value {
 public:
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };

  Value() = default;
  static Value Bool(bool value);
  static Value Integer(int64_t value);
  static Value Float(float value);  // shortest text that reads back to the same float
  static Value NumberText(const std::string& text);  // a checked JSON number literal
  static Value String(std::string text);
  static Value Array();
  static Value Object();

  Type GetType() const { return type_; }
  bool IsNull() const { return type_ == Type::kNull; }

  // Typed reads: JsonError naming `what` when the value is not of that kind or range.
  int64_t AsInteger(const std::string& what) const;
  float AsFloat(const std::string& what) const;  // also "NaN", "Infinity", "-Infinity"
  const std::string& AsString(const std::string& what) const;
  const std::vector<Value>& AsArray(const std::string& what) const;

  // Objects: members keep their order; Get fails with JsonError when the key is missing.
  Value& Set(const std::string& key, Value value);
  const Value* Find(const std::string& key) const;
  const Value& Get(const std::string& key) const;
  // Arrays.
  Value& Push(Value value);

  // One line, ", " and ": " between items.
  std::string Write() const;

 private:
  void WriteTo(std::string& out) const;

  Type type_ = Type::kNull;
  bool flag_ = false;
  std::string text_;  // a number's literal or a string's UTF-8 text
  std::vector<Value> items_;
  std::vector<std::pair<std::string, Value>> members_;
};

// Parses one JSON document; JsonError with the byte offset on bad input.
Value Parse(const std::string& text);

// Texts of the formats are Latin-1; JSON texts are UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);
std::string Utf8ToLatin1(const std::string& utf8);  // JsonError above U+00FF

}  // namespace jsonkit
