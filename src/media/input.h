#pragma once
// Polled keyboard, mouse and joystick. Every query pumps the backend's events first.
#include <cstdint>
#include <memory>

namespace media {

// Windows virtual-key codes the game names, packed as a table.
// clang-format off
enum Key : int {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyPause = 19,
  kKeyCapsLock = 20,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyInsert = 45,
  kKeyDelete = 46,
  kKey0 = 48,
  kKeyA = 65,
  kKeyNumpad0 = 96,
  kKeyF1 = 112,
  kKeyF10 = 121,
  kKeyF12 = 123,
  kKeyNumLock = 144,
  kKeyScrollLock = 145,
  kKeyLeftShift = 160,
  kKeyRightShift = 161,
  kKeyLeftControl = 162,
  kKeyRightControl = 163,
  kKeyLeftAlt = 164,
  kKeyRightAlt = 165,
};
// clang-format on
constexpr int kKeyCodes = 256;
constexpr int kMouseButtons = 3;  // 1 left, 2 right, 3 middle
constexpr int kJoystickPorts = 16;
constexpr int kJoystickButtons = 32;
// No device is given the last port: it is the computer's pad, whose buttons the players the
// computer holds are pressed by, through the same input as everyone else's.
constexpr int kComputerPadPort = kJoystickPorts - 1;
constexpr int kCharQueueSize = 256;

int KeyHit(int key);
int KeyDown(int key);
void FlushKeys();
int NextChar();  // 0 when the queue is empty
int WaitKey();

int MouseX();
int MouseY();
int MouseHit(int button);
int MouseDown(int button);
void FlushMouse();
void HidePointer();
void ShowPointer();

int JoystickCount();
int JoystickDown(int button, int port);
int JoystickHit(int button, int port);

// How many times a key, a mouse button or a device's button has gone down so far; the
// computer's pad is not counted, so a change means a person is at the controls.
uint32_t PersonPresses();

// What the backends feed in (and tests, through the headless script).
class InputState {
 public:
  void KeyEvent(int key, bool down);
  void CharEvent(int character);
  void MouseMove(int x, int y);
  void MouseButtonEvent(int button, bool down);
  void JoystickButtonEvent(int port, int button, bool down);
  void SetJoystickCount(int count);
  void CloseRequested() { closeRequested_ = true; }
  bool TakeCloseRequest();

  // Queries without pumping, for the layer's own use.
  int KeyHit(int key);
  int KeyDown(int key) const;
  void FlushKeys();
  int NextChar();
  int MouseX() const { return mouseX_; }
  int MouseY() const { return mouseY_; }
  int MouseHit(int button);
  int MouseDown(int button) const;
  void FlushMouse();
  int JoystickCount() const { return joystickCount_; }
  int JoystickDown(int button, int port) const;
  int JoystickHit(int button, int port);
  uint32_t PersonPresses() const { return personPresses_; }

 private:
  void Pressed(bool& down, int& hits, bool byPerson);

  int keyHits_[kKeyCodes] = {};
  bool keyDown_[kKeyCodes] = {};
  int charQueue_[kCharQueueSize] = {};
  int charHead_ = 0;
  int charCount_ = 0;
  int mouseX_ = 0;
  int mouseY_ = 0;
  int mouseHits_[kMouseButtons + 1] = {};
  bool mouseDown_[kMouseButtons + 1] = {};
  int joystickCount_ = 0;
  int joyHits_[kJoystickPorts][kJoystickButtons] = {};
  bool joyDown_[kJoystickPorts][kJoystickButtons] = {};
  bool closeRequested_ = false;
  uint32_t personPresses_ = 0;
};

InputState& Input();  // the layer's one input state

// Players that are not people (the demo bots) press through this: after every pump of the
// backend's events, in the window as headless, the source may add events of its own.
class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual void Feed(InputState& input, uint32_t nowMs) = 0;
};

// Installs the one input source; null removes it.
void UseInputSource(std::shared_ptr<InputSource> source);

}  // namespace media
