#pragma once
// The game's joystick ports over SDL joysticks. SDL's device indices shift when a joystick is
// unplugged, so ports are kept by instance id: a joystick keeps its port while plugged in, and a
// new one takes the lowest free port. The computer's pad port is never handed out.
#include <SDL.h>

#include <array>

#include "media/input.h"

namespace media {

class JoystickPorts {
 public:
  JoystickPorts() = default;
  JoystickPorts(const JoystickPorts&) = delete;
  JoystickPorts& operator=(const JoystickPorts&) = delete;
  ~JoystickPorts();

  // Handles device and button events; false for any other event.
  bool HandleEvent(const SDL_Event& event, InputState& input);
  // Ports 0 .. count - 1 cover every joystick plugged in.
  int Count() const;

 private:
  void Add(int deviceIndex);
  void Remove(SDL_JoystickID id, InputState& input);
  int PortOf(SDL_JoystickID id) const;

  std::array<SDL_Joystick*, kComputerPadPort> ports_{};
};

}  // namespace media
