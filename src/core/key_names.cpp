#include "core/key_names.h"

#include <utility>

#include "media/draw.h"

std::array<std::string, kKeyNameCount> keyNames;

namespace {

// Runs of consecutive codes named by a prefix and a counter ("F1" to "F24", "Num 0" to "Num 9").
struct NumberedRun {
  int firstCode;
  int lastCode;
  const char* prefix;
  int firstNumber;
};

constexpr NumberedRun kNumberedRuns[] = {
    {48, 57, "", 0},
    {96, 105, "Num ", 0},
    {112, 135, "F", 1},
};

// Named as the keys of a Spanish keyboard read, whose layout puts its own signs where the codes
// 186-226 sit. UTF-8 here; stored as Latin-1.
const std::pair<int, const char*> kNamedCodes[] = {
    {1, "Clic izquierdo"},
    {2, "Clic derecho"},
    {3, "Clic central"},
    {8, "Retroceso"},
    {9, "Tabulador"},
    {12, "Borrar"},
    {13, "Intro"},
    {19, "Pausa"},
    {20, "Bloq Mayús"},
    {27, "Esc"},
    {32, "Espacio"},
    {33, "Re Pág"},
    {34, "Av Pág"},
    {35, "Fin"},
    {36, "Inicio"},
    {37, "Flecha izquierda"},
    {38, "Flecha arriba"},
    {39, "Flecha derecha"},
    {40, "Flecha abajo"},
    {41, "Seleccionar"},
    {42, "Imprimir"},
    {43, "Ejecutar"},
    {44, "Impr Pant"},
    {45, "Insert"},
    {46, "Supr"},
    {47, "Ayuda"},
    {91, "Sistema izquierda"},
    {92, "Sistema derecha"},
    {93, "Menú"},
    {106, "Num *"},
    {107, "Num +"},
    {108, "Num ,"},
    {109, "Num -"},
    {110, "Num ."},
    {111, "Num /"},
    {144, "Bloq Num"},
    {145, "Bloq Despl"},
    {160, "Mayús izquierda"},
    {161, "Mayús derecha"},
    {162, "Ctrl izquierda"},
    {163, "Ctrl derecha"},
    {164, "Alt"},
    {165, "Alt Gr"},
    {186, "Ñ"},
    {187, "¡"},
    {188, ","},
    {189, "'"},
    {190, "."},
    {191, "-"},
    {192, "º"},
    {219, "`"},
    {220, "Ç"},
    {221, "+"},
    {222, "´"},
    {226, "<"},
};

}  // namespace

void BuildKeyNames() {
  keyNames.fill("");
  for (const auto& run : kNumberedRuns) {
    for (int code = run.firstCode; code <= run.lastCode; ++code) {
      keyNames[code] = run.prefix + std::to_string(run.firstNumber + code - run.firstCode);
    }
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) keyNames[letter] = std::string(1, letter);
  for (const auto& [code, name] : kNamedCodes) keyNames[code] = media::Latin1(name);
}

std::string KeyName(int code) {
  if (const auto strength = SeatStrength(code)) {
    static const char* const kStrengthNames[kCpuStrengths] = {"CPU fácil", "CPU normal",
                                                              "CPU difícil"};
    return media::Latin1(kStrengthNames[static_cast<int>(*strength)]);
  }
  if (code >= kJoystickCodeBase) {
    // Counted from 1, as the players count their pads and buttons.
    return media::Latin1("Mando " + std::to_string(JoystickPortOf(code) + 1) + " botón " +
                         std::to_string(JoystickButtonOf(code) + 1));
  }
  if (code >= 0 && code < kKeyNameCount && !keyNames[code].empty()) return keyNames[code];
  return "Tecla " + std::to_string(code);
}
