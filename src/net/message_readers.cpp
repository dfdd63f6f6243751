#include "net/message_readers.h"

namespace net {

uint8_t KindOf(const Bytes& message) {
  return message.empty() ? 0 : message[0];
}

Verdict OpenMessage(const Bytes& message, std::initializer_list<Message> kinds, ByteReader& in) {
  for (const Message kind : kinds) {
    if (KindOf(message) == static_cast<uint8_t>(kind)) {
      in.U8();
      return {};
    }
  }
  return "tipo de mensaje inesperado";
}

Verdict WholeMessage(const ByteReader& in, const char* what) {
  if (!in.Ok()) return std::string(what) + " cortado";
  if (!in.AtEnd()) return std::string(what) + " con bytes de más";
  return {};
}

}  // namespace net
