#include "vgp/fixed_text.h"

std::string ReadFixedText(media::Stream& stream, int n) {
  std::string text;
  int consumed = 0;
  int last = -1;
  while (!stream.Eof() && consumed < n && last != 0) {
    last = stream.ReadByte();
    ++consumed;
    if (last != 0) text += static_cast<char>(last);
  }
  while (consumed < n && !stream.Eof()) {
    stream.ReadByte();
    ++consumed;
  }
  return text;
}
