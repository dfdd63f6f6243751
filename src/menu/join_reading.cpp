#include "menu/join_reading.h"

JoinReading ReadJoinText(const std::string& text) {
  JoinReading reading;
  reading.code = net::ParseRoomCode(text);
  if (reading.code) return reading;
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) return reading;
  const std::string trimmed = text.substr(first, last - first + 1);
  // No host name has a space in it; such text is a mistyped something, not an address.
  if (trimmed.find(' ') == std::string::npos) reading.address = net::ParseAddress(trimmed);
  return reading;
}

std::string JoinReading::Text() const {
  if (code) return "Código de sala " + net::CodeText(*code);
  if (address) return "Dirección " + address->Text();
  return "";
}
