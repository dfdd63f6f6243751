#include "media/sdl_joysticks.h"

namespace media {

JoystickPorts::~JoystickPorts() {
  for (SDL_Joystick* joystick : ports_) {
    if (joystick) SDL_JoystickClose(joystick);
  }
}

bool JoystickPorts::HandleEvent(const SDL_Event& event, InputState& input) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      Add(event.jdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      Remove(event.jdevice.which, input);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      input.JoystickButtonEvent(PortOf(event.jbutton.which), event.jbutton.button,
                                event.type == SDL_JOYBUTTONDOWN);
      break;
    default:
      return false;
  }
  input.SetJoystickCount(Count());
  return true;
}

int JoystickPorts::Count() const {
  int count = 0;
  for (int port = 0; port < kComputerPadPort; ++port) {
    if (ports_[port]) count = port + 1;
  }
  return count;
}

void JoystickPorts::Add(int deviceIndex) {
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (PortOf(id) >= 0) return;  // already open: the event repeats a device seen at start-up
  for (SDL_Joystick*& port : ports_) {
    if (!port) {
      port = SDL_JoystickOpen(deviceIndex);
      return;
    }
  }
}

void JoystickPorts::Remove(SDL_JoystickID id, InputState& input) {
  int port = PortOf(id);
  if (port < 0) return;
  // A button held while the cable came out must not stay down for ever.
  for (int button = 0; button < kJoystickButtons; ++button) {
    input.JoystickButtonEvent(port, button, false);
  }
  SDL_JoystickClose(ports_[port]);
  ports_[port] = nullptr;
}

int JoystickPorts::PortOf(SDL_JoystickID id) const {
  for (int port = 0; port < kComputerPadPort; ++port) {
    if (ports_[port] && SDL_JoystickInstanceID(ports_[port]) == id) return port;
  }
  return -1;
}

}  // namespace media
