// Joysticks through the windowed backend, with SDL's virtual joysticks standing in for hardware.
// Only the joystick subsystem is needed, so this runs without a display.
#include <SDL.h>
#include <gtest/gtest.h>

#include "media/backend.h"
#include "media/input.h"
#include "media/sdl_backend.h"

namespace {

constexpr int kButtons = 8;

class VirtualJoystick {
 public:
  VirtualJoystick() {
    id_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0, kButtons, 0);
    if (id_ < 0) return;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) >= 0 && SDL_JoystickIsVirtual(index) &&
          !SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index))) {
        joystick_ = SDL_JoystickOpen(index);
        break;
      }
    }
  }
  ~VirtualJoystick() { Unplug(); }
  bool Ready() const { return joystick_ != nullptr; }
  void Press(int button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }
  void Unplug() {
    if (!joystick_) return;
    int index = DeviceIndex();
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index);
  }

 private:
  int DeviceIndex() const {
    SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == id) return index;
    }
    return -1;
  }
  int id_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

TEST(WindowedJoysticks, PortsFollowPluggingAndButtonsAreCounted) {
  media::UseBackend(media::MakeWindowedBackend());
  media::Input() = media::InputState();
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0)
    GTEST_SKIP() << "no joystick subsystem: " << SDL_GetError();
  auto first = std::make_unique<VirtualJoystick>();
  if (!first->Ready()) GTEST_SKIP() << "virtual joysticks unavailable: " << SDL_GetError();
  auto second = std::make_unique<VirtualJoystick>();
  ASSERT_TRUE(second->Ready());
  EXPECT_EQ(media::JoystickCount(), 2);

  second->Press(5, true);
  EXPECT_EQ(media::JoystickDown(5, 1), 1);
  EXPECT_EQ(media::JoystickDown(5, 0), 0);
  second->Press(5, false);
  EXPECT_EQ(media::JoystickDown(5, 1), 0);
  EXPECT_EQ(media::JoystickHit(5, 1), 1);
  EXPECT_EQ(media::JoystickHit(5, 1), 0);

  // Unplugging the first joystick leaves the second on its port; a new one fills the gap.
  first->Press(2, true);
  EXPECT_EQ(media::JoystickDown(2, 0), 1);
  first->Unplug();
  EXPECT_EQ(media::JoystickDown(2, 0), 0);
  EXPECT_EQ(media::JoystickCount(), 2);
  second->Press(1, true);
  EXPECT_EQ(media::JoystickDown(1, 1), 1);
  auto third = std::make_unique<VirtualJoystick>();
  third->Press(0, true);
  EXPECT_EQ(media::JoystickDown(0, 0), 1);
  second.reset();
  third.reset();
  EXPECT_EQ(media::JoystickCount(), 0);
  media::UseBackend(nullptr);
}

}  // namespace
