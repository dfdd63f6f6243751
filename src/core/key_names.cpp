#include "core/key_names.h"

#include <utility>

#include "media/draw.h"

std::array<std::string, kKeyNameCount> keyNames;

namespace {

// Runs of consecutive codes named by a prefix and a counter ("F1" to "F12", "Numpad 0" to ...).
struct NumberedRun {
  int firstCode;
  int lastCode;
  const char* prefix;
  int firstNumber;
};

constexpr NumberedRun kNumberedRuns[] = {
    {48, 57, "", 0},
    {96, 105, "Numpad ", 0},
    {112, 123, "F", 1},
};

// UTF-8 here; stored as Latin-1.
const std::pair<int, const char*> kNamedCodes[] = {
    {1, "Raton IZQDA"},
    {2, "Raton DCHA"},
    {3, "Raton CENTRO"},
    {8, "Retroceso"},
    {9, "Tab"},
    {12, "Borrar"},
    {13, "Intro"},
    {19, "Pausa"},
    {20, "Caps Lock"},
    {27, "Escape"},
    {32, "Espacio"},
    {33, "Re Pag"},
    {34, "Av Pag"},
    {35, "Fin"},
    {36, "Inicio"},
    {37, "IZQUIERDA"},
    {38, "ARRIBA"},
    {39, "DERECHA"},
    {40, "ABAJO"},
    {41, "Seleccionar"},
    {42, "Imprimir"},
    {43, "Ejecutar"},
    {44, "Pantalla"},
    {45, "Insertar"},
    {46, "Supr"},
    {47, "Ayuda"},
    {91, "Sys key (Izq)"},
    {92, "Sys key (Dcha)"},
    {106, "Numpad *"},
    {107, "'"},
    {108, "Numpad /"},
    {109, "¡"},
    {110, "Numpad ."},
    {111, "Numpad /"},
    {144, "Num Lock"},
    {145, "Scroll Lock"},
    {160, "Shift (IZQ)"},
    {161, "Shift (DCHO)"},
    {162, "Control (IZQ)"},
    {163, "Control (DCHO)"},
    {164, "Alt key (IZQ)"},
    {165, "Alt key (DCHO)"},
    {186, "ç"},
    {188, ","},
    {190, "."},
    {191, "-"},
    {192, "º"},
    {219, "["},
    {221, "]"},
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
    return "Joy " + std::to_string(JoystickPortOf(code)) + " Button " +
           std::to_string(JoystickButtonOf(code));
  }
  if (code >= 0 && code < kKeyNameCount && !keyNames[code].empty()) return keyNames[code];
  return "Tecla " + std::to_string(code);
}
