// A match's messages: buttons, last buttons, the silent machines' rounds and the digests.
#include "net/input_log.h"
#include "net/message_readers.h"

namespace net {

namespace {

Verdict Ahead(uint32_t frame, const Arrival& arrival) {
  if (frame <= arrival.frame + kFrameWindow) return {};
  return "fotograma " + std::to_string(frame) + " demasiado adelantado (aquí se juega el " +
         std::to_string(arrival.frame) + ")";
}

// Compared frames are multiples of kDigestEvery, never far ahead of the frame being played. An
// old one is no fault: on a lossy line a reliable message can be held up for seconds behind a
// lost one.
Verdict Compared(uint32_t frame, const Arrival& arrival) {
  if (frame == 0 || frame % kDigestEvery != 0) {
    return "fotograma " + std::to_string(frame) + " sin resumen";
  }
  return Ahead(frame, arrival);
}

Verdict Machine(int machine, const Arrival& arrival) {
  if (machine < arrival.machines) return {};
  return "equipo " + std::to_string(machine) + " inexistente";
}

// Machines are taken out only by others: neither the sender nor the reader is named.
Verdict ThirdMachine(int machine, const Arrival& arrival) {
  if (machine == arrival.sender) return "se da a sí mismo por desaparecido";
  if (machine == arrival.local) return "da por desaparecido a este equipo";
  return {};
}

}  // namespace

Verdict ReadInputs(const Bytes& message, const Arrival& arrival, uint32_t ownKnown,
                   uint32_t senderKnown, InputsPacket& packet) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kInputs}, in); !why.empty()) return why;
  packet.confirmed = NearestFrame(in.U16(), ownKnown);
  if (!DecodeRuns(in, senderKnown, packet.first, packet.values)) return "botones mal formados";
  if (packet.confirmed > ownKnown) return "confirma botones que este equipo aún no ha enviado";
  return Ahead(packet.first + static_cast<uint32_t>(packet.values.size()), arrival);
}

Verdict ReadLastInputs(const Bytes& message, const Arrival& arrival, LastInputs& last) {
  ByteReader in(message);
  if (Verdict why =
          OpenMessage(message, {Message::kDone, Message::kLostReport, Message::kDrop}, in);
      !why.empty()) {
    return why;
  }
  const auto kind = static_cast<Message>(KindOf(message));
  last.machine = in.U8();
  last.firstMissing = in.U32();
  const uint32_t count = in.U8();
  last.values.clear();
  for (uint32_t i = 0; i < count && in.Ok(); ++i) last.values.push_back(in.U8());
  if (Verdict why = WholeMessage(in, "últimos botones"); !why.empty()) return why;
  if (Verdict why = Machine(last.machine, arrival); !why.empty()) return why;
  if (count > kCarriedFrames || count > last.firstMissing) return "más botones que fotogramas";
  if (kind == Message::kDone && last.machine != arrival.sender) {
    return "da por terminada la partida del equipo " + std::to_string(last.machine);
  }
  if (kind != Message::kDone) {
    if (Verdict why = ThirdMachine(last.machine, arrival); !why.empty()) return why;
  }
  return Ahead(last.firstMissing, arrival);
}

Verdict ReadLostQuery(const Bytes& message, const Arrival& arrival, int& machine) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kLostQuery}, in); !why.empty()) return why;
  machine = in.U8();
  if (Verdict why = WholeMessage(in, "pregunta por un equipo"); !why.empty()) return why;
  if (Verdict why = Machine(machine, arrival); !why.empty()) return why;
  return ThirdMachine(machine, arrival);
}

Verdict ReadDigest(const Bytes& message, const Arrival& arrival, uint32_t& frame,
                   uint64_t& digest) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kDigest}, in); !why.empty()) return why;
  frame = in.U32();
  digest = in.U64();
  if (Verdict why = WholeMessage(in, "resumen"); !why.empty()) return why;
  return Compared(frame, arrival);
}

Verdict ReadDesync(const Bytes& message, const Arrival& arrival, uint32_t& frame) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kDesync}, in); !why.empty()) return why;
  frame = in.U32();
  if (Verdict why = WholeMessage(in, "aviso de desincronización"); !why.empty()) return why;
  return Compared(frame, arrival);
}

Verdict ReadQuit(const Bytes& message) {
  ByteReader in(message);
  if (Verdict why = OpenMessage(message, {Message::kQuit}, in); !why.empty()) return why;
  return WholeMessage(in, "aviso de salida");
}

}  // namespace net
