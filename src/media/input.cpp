// Polled input: the backends, and then the input source, feed events into one InputState; the
// game's queries pump first, so whatever happened since the last query is counted.
#include "media/input.h"

#include "media/backend.h"
#include "media/system.h"

namespace media {
namespace {

bool ValidKey(int key) {
  return key >= 0 && key < kKeyCodes;
}
bool ValidButton(int button) {
  return button >= 1 && button <= kMouseButtons;
}
bool ValidJoystick(int port, int button) {
  return port >= 0 && port < kJoystickPorts && button >= 0 && button < kJoystickButtons;
}

int TakeCount(int& count) {
  int taken = count;
  count = 0;
  return taken;
}

std::shared_ptr<InputSource>& InstalledSource() {
  static std::shared_ptr<InputSource> source;
  return source;
}

// Closing the window ends the program as the game's own quit does.
InputState& Pumped() {
  InputState& input = Input();
  Backend& backend = CurrentBackend();
  backend.PumpEvents(input);
  if (const std::shared_ptr<InputSource>& source = InstalledSource())
    source->Feed(input, backend.Milliseconds());
  if (input.TakeCloseRequest()) End();
  return input;
}

}  // namespace

void InputState::Pressed(bool& down, int& hits, bool byPerson) {
  if (down) return;
  down = true;
  ++hits;
  if (byPerson) ++personPresses_;
}

void InputState::KeyEvent(int key, bool down) {
  if (!ValidKey(key)) return;
  if (down) {
    Pressed(keyDown_[key], keyHits_[key], true);
  } else {
    keyDown_[key] = false;
  }
}

void InputState::CharEvent(int character) {
  if (character <= 0 || character >= kKeyCodes || charCount_ == kCharQueueSize) return;
  charQueue_[(charHead_ + charCount_) % kCharQueueSize] = character;
  ++charCount_;
}

void InputState::MouseMove(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
}

void InputState::MouseButtonEvent(int button, bool down) {
  if (!ValidButton(button)) return;
  if (down) {
    Pressed(mouseDown_[button], mouseHits_[button], true);
  } else {
    mouseDown_[button] = false;
  }
}

void InputState::JoystickButtonEvent(int port, int button, bool down) {
  if (!ValidJoystick(port, button)) return;
  if (down) {
    Pressed(joyDown_[port][button], joyHits_[port][button], port != kComputerPadPort);
  } else {
    joyDown_[port][button] = false;
  }
}

void InputState::SetJoystickCount(int count) {
  joystickCount_ = count;
}

bool InputState::TakeCloseRequest() {
  bool requested = closeRequested_;
  closeRequested_ = false;
  return requested;
}

int InputState::KeyHit(int key) {
  return ValidKey(key) ? TakeCount(keyHits_[key]) : 0;
}

int InputState::KeyDown(int key) const {
  return ValidKey(key) && keyDown_[key] ? 1 : 0;
}

void InputState::FlushKeys() {
  for (int key = 0; key < kKeyCodes; ++key) {
    keyHits_[key] = 0;
    keyDown_[key] = false;
  }
  charHead_ = 0;
  charCount_ = 0;
}

int InputState::NextChar() {
  if (charCount_ == 0) return 0;
  int character = charQueue_[charHead_];
  charHead_ = (charHead_ + 1) % kCharQueueSize;
  --charCount_;
  return character;
}

int InputState::MouseHit(int button) {
  return ValidButton(button) ? TakeCount(mouseHits_[button]) : 0;
}

int InputState::MouseDown(int button) const {
  return ValidButton(button) && mouseDown_[button] ? 1 : 0;
}

void InputState::FlushMouse() {
  for (int button = 0; button <= kMouseButtons; ++button) {
    mouseHits_[button] = 0;
    mouseDown_[button] = false;
  }
}

int InputState::JoystickDown(int button, int port) const {
  return ValidJoystick(port, button) && joyDown_[port][button] ? 1 : 0;
}

int InputState::JoystickHit(int button, int port) {
  return ValidJoystick(port, button) ? TakeCount(joyHits_[port][button]) : 0;
}

InputState& Input() {
  static InputState input;
  return input;
}

void UseInputSource(std::shared_ptr<InputSource> source) {
  InstalledSource() = std::move(source);
}

int KeyHit(int key) {
  return Pumped().KeyHit(key);
}
int KeyDown(int key) {
  return Pumped().KeyDown(key);
}
void FlushKeys() {
  Pumped().FlushKeys();
}
int NextChar() {
  return Pumped().NextChar();
}

int WaitKey() {
  FlushKeys();
  for (;;) {
    InputState& input = Pumped();
    int lowest = 0;
    for (int key = kKeyCodes - 1; key >= 1; --key) {
      if (input.KeyHit(key) > 0) lowest = key;
    }
    if (lowest != 0) return lowest;
    // One millisecond between polls keeps a real machine idle and moves the headless clock.
    Sleep(1);
  }
}

int MouseX() {
  return Pumped().MouseX();
}
int MouseY() {
  return Pumped().MouseY();
}
int MouseHit(int button) {
  return Pumped().MouseHit(button);
}
int MouseDown(int button) {
  return Pumped().MouseDown(button);
}
void FlushMouse() {
  Pumped().FlushMouse();
}
void HidePointer() {
  CurrentBackend().ShowPointer(false);
}
void ShowPointer() {
  CurrentBackend().ShowPointer(true);
}

int JoystickCount() {
  return Pumped().JoystickCount();
}
int JoystickDown(int button, int port) {
  return Pumped().JoystickDown(button, port);
}
int JoystickHit(int button, int port) {
  return Pumped().JoystickHit(button, port);
}
uint32_t PersonPresses() {
  return Pumped().PersonPresses();
}

}  // namespace media
