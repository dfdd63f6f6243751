#include "media/sdl_keymap.h"

#include "media/input.h"

namespace media {
namespace {

// Virtual-key codes with no name in input.h, from the Windows key code table.
enum : int {
  kVkPrintScreen = 44,
  kVkLeftSystem = 91,
  kVkRightSystem = 92,
  kVkApplication = 93,
  kVkMultiply = 106,
  kVkAdd = 107,
  kVkSubtract = 109,
  kVkDecimal = 110,
  kVkDivide = 111,
  kVkF13 = 124,
  kVkOemSemicolon = 186,
  kVkOemPlus = 187,
  kVkOemComma = 188,
  kVkOemMinus = 189,
  kVkOemPeriod = 190,
  kVkOemSlash = 191,
  kVkOemTilde = 192,
  kVkOemOpenBracket = 219,
  kVkOemBackslash = 220,
  kVkOemCloseBracket = 221,
  kVkOemQuote = 222,
  kVkOemExtraBackslash = 226,
};

// Keys whose scancodes come in runs that map onto runs of virtual keys.
struct Run {
  SDL_Scancode first;
  SDL_Scancode last;
  int firstKey;
};
constexpr Run kRuns[] = {
    {SDL_SCANCODE_A, SDL_SCANCODE_Z, kKeyA},
    {SDL_SCANCODE_1, SDL_SCANCODE_9, kKey0 + 1},
    {SDL_SCANCODE_F1, SDL_SCANCODE_F12, kKeyF1},
    {SDL_SCANCODE_F13, SDL_SCANCODE_F24, kVkF13},
    {SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_9, kKeyNumpad0 + 1},
};

struct Single {
  SDL_Scancode scancode;
  int key;
};
constexpr Single kSingles[] = {
    {SDL_SCANCODE_0, kKey0},
    {SDL_SCANCODE_KP_0, kKeyNumpad0},
    {SDL_SCANCODE_RETURN, kKeyEnter},
    {SDL_SCANCODE_KP_ENTER, kKeyEnter},
    {SDL_SCANCODE_ESCAPE, kKeyEscape},
    {SDL_SCANCODE_BACKSPACE, kKeyBackspace},
    {SDL_SCANCODE_TAB, kKeyTab},
    {SDL_SCANCODE_SPACE, kKeySpace},
    {SDL_SCANCODE_PAUSE, kKeyPause},
    {SDL_SCANCODE_CAPSLOCK, kKeyCapsLock},
    {SDL_SCANCODE_PRINTSCREEN, kVkPrintScreen},
    {SDL_SCANCODE_SCROLLLOCK, kKeyScrollLock},
    {SDL_SCANCODE_NUMLOCKCLEAR, kKeyNumLock},
    {SDL_SCANCODE_INSERT, kKeyInsert},
    {SDL_SCANCODE_DELETE, kKeyDelete},
    {SDL_SCANCODE_HOME, kKeyHome},
    {SDL_SCANCODE_END, kKeyEnd},
    {SDL_SCANCODE_PAGEUP, kKeyPageUp},
    {SDL_SCANCODE_PAGEDOWN, kKeyPageDown},
    {SDL_SCANCODE_LEFT, kKeyLeft},
    {SDL_SCANCODE_UP, kKeyUp},
    {SDL_SCANCODE_RIGHT, kKeyRight},
    {SDL_SCANCODE_DOWN, kKeyDown},
    {SDL_SCANCODE_KP_DIVIDE, kVkDivide},
    {SDL_SCANCODE_KP_MULTIPLY, kVkMultiply},
    {SDL_SCANCODE_KP_MINUS, kVkSubtract},
    {SDL_SCANCODE_KP_PLUS, kVkAdd},
    {SDL_SCANCODE_KP_PERIOD, kVkDecimal},
    {SDL_SCANCODE_LSHIFT, kKeyLeftShift},
    {SDL_SCANCODE_RSHIFT, kKeyRightShift},
    {SDL_SCANCODE_LCTRL, kKeyLeftControl},
    {SDL_SCANCODE_RCTRL, kKeyRightControl},
    {SDL_SCANCODE_LALT, kKeyLeftAlt},
    {SDL_SCANCODE_RALT, kKeyRightAlt},
    {SDL_SCANCODE_LGUI, kVkLeftSystem},
    {SDL_SCANCODE_RGUI, kVkRightSystem},
    {SDL_SCANCODE_APPLICATION, kVkApplication},
    {SDL_SCANCODE_SEMICOLON, kVkOemSemicolon},
    {SDL_SCANCODE_EQUALS, kVkOemPlus},
    {SDL_SCANCODE_COMMA, kVkOemComma},
    {SDL_SCANCODE_MINUS, kVkOemMinus},
    {SDL_SCANCODE_PERIOD, kVkOemPeriod},
    {SDL_SCANCODE_SLASH, kVkOemSlash},
    {SDL_SCANCODE_GRAVE, kVkOemTilde},
    {SDL_SCANCODE_LEFTBRACKET, kVkOemOpenBracket},
    {SDL_SCANCODE_BACKSLASH, kVkOemBackslash},
    {SDL_SCANCODE_NONUSHASH, kVkOemBackslash},
    {SDL_SCANCODE_RIGHTBRACKET, kVkOemCloseBracket},
    {SDL_SCANCODE_APOSTROPHE, kVkOemQuote},
    {SDL_SCANCODE_NONUSBACKSLASH, kVkOemExtraBackslash},
};

}  // namespace

int VirtualKeyFromScancode(SDL_Scancode scancode) {
  for (const Run& run : kRuns) {
    if (scancode >= run.first && scancode <= run.last) return run.firstKey + (scancode - run.first);
  }
  for (const Single& single : kSingles) {
    if (single.scancode == scancode) return single.key;
  }
  return 0;
}

}  // namespace media
