// The windowed backend without a display: SDL's virtual joysticks stand in for hardware (only
// the joystick subsystem is needed), and a missing video driver makes Open fail cleanly.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "following_source.h"
#include "media/backend.h"
#include "media/input.h"
#include "media/sdl_backend.h"
#include "media/sound.h"
#include "media/system.h"
#include "support/virtual_display.h"
#include "temp_dir.h"

namespace {

constexpr int kButtons = 8;

class VirtualJoystick {
 public:
  VirtualJoystick() {
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 0, kButtons, 0);
    if (index >= 0) joystick_ = SDL_JoystickOpen(index);
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

// One second of a mono 44.1 kHz WAV whose every sample is `value`.
void WriteConstantWav(const std::string& path, int16_t value) {
  constexpr uint32_t kFrames = 44100;
  std::ofstream out(path, std::ios::binary);
  auto put = [&](uint32_t number, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(number >> (8 * i)));
  };
  out << "RIFF";
  put(36 + kFrames * 2, 4);
  out << "WAVEfmt ";
  for (auto [number, bytes] :
       {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {44100u, 4}, {88200u, 4}, {2u, 2}, {16u, 2}}) {
    put(number, bytes);
  }
  out << "data";
  put(kFrames * 2, 4);
  for (uint32_t i = 0; i < kFrames; ++i) put(static_cast<uint16_t>(value), 2);
}

void PushKey(SDL_Scancode scancode, bool down, Uint16 mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.scancode = scancode;
  event.key.keysym.mod = mod;
  SDL_PushEvent(&event);
}

TEST(WindowedBackend, KeysTextAndButtonsBecomeGameCodes) {
  media::UseBackend(media::MakeWindowedBackend());
  media::Input() = media::InputState();
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) GTEST_SKIP() << "no event queue: " << SDL_GetError();
  const std::pair<SDL_Scancode, int> keys[] = {
      {SDL_SCANCODE_A, 65},           {SDL_SCANCODE_Z, 90},
      {SDL_SCANCODE_0, 48},           {SDL_SCANCODE_9, 57},
      {SDL_SCANCODE_F1, 112},         {SDL_SCANCODE_F12, 123},
      {SDL_SCANCODE_KP_0, 96},        {SDL_SCANCODE_KP_7, 103},
      {SDL_SCANCODE_RSHIFT, 161},     {SDL_SCANCODE_LALT, 164},
      {SDL_SCANCODE_SEMICOLON, 186},  {SDL_SCANCODE_GRAVE, 192},
      {SDL_SCANCODE_APOSTROPHE, 222}, {SDL_SCANCODE_NONUSBACKSLASH, 226},
      {SDL_SCANCODE_PAUSE, 19},       {SDL_SCANCODE_NUMLOCKCLEAR, 144},
      {SDL_SCANCODE_KP_ENTER, 13},
  };
  for (auto [scancode, code] : keys) {
    PushKey(scancode, true);
    EXPECT_EQ(media::KeyDown(code), 1) << SDL_GetScancodeName(scancode);
    PushKey(scancode, false);
    EXPECT_EQ(media::KeyHit(code), 1) << SDL_GetScancodeName(scancode);
  }

  media::FlushKeys();
  PushKey(SDL_SCANCODE_BACKSPACE, true);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text,
              "a\xc3\xb1\xe2\x82\xac"
              "b",
              sizeof text.text.text);  // a, n tilde, euro, b
  SDL_PushEvent(&text);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);  // toggles full screen, types nothing
  EXPECT_EQ(media::NextChar(), 8);
  EXPECT_EQ(media::NextChar(), 'a');
  EXPECT_EQ(media::NextChar(), 241);
  EXPECT_EQ(media::NextChar(), 'b');
  EXPECT_EQ(media::NextChar(), 0);
  EXPECT_EQ(media::KeyHit(media::kKeyEnter), 0);

  SDL_Event button{};
  button.type = SDL_MOUSEBUTTONDOWN;
  button.button.button = SDL_BUTTON_MIDDLE;
  SDL_PushEvent(&button);
  EXPECT_EQ(media::MouseDown(3), 1);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_THROW(media::KeyHit(media::kKeyEscape), media::ProgramExit);
  media::UseBackend(nullptr);
}

// In the window the source runs after SDL's events, so bots could play there as well.
TEST(InputSource, FollowsTheWindowsEventsInTheSamePump) {
  media::UseBackend(media::MakeWindowedBackend());
  media::Input() = media::InputState();
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) GTEST_SKIP() << "no event queue: " << SDL_GetError();
  auto source = std::make_shared<FollowingSource>();
  media::UseInputSource(source);
  PushKey(SDL_SCANCODE_A, true);
  EXPECT_EQ(media::KeyDown(FollowingSource::kFollower), 1);
  PushKey(SDL_SCANCODE_A, false);
  EXPECT_EQ(media::KeyDown(FollowingSource::kFollower), 0);
  EXPECT_EQ(media::KeyHit(FollowingSource::kFollower), 1);
  media::UseInputSource(nullptr);
  media::UseBackend(nullptr);
}

// SDL's dummy video driver has no accelerated renderer and its disk audio driver writes what the
// device plays to a file: the driver fallback and the audio path run without a screen or card.
TEST(WindowedBackend, FallsBackToSoftwareAndFeedsTheAudioDevice) {
  TempDir dir;
  std::string played = dir.File("played.raw");
  // Whatever earlier tests stopped is still fading out in the mixer: let it end first.
  std::vector<int16_t> quiet(2 * media::kMixRate / 50);
  media::MixAudio(quiet.data(), media::kMixRate / 50);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  media::UseBackend(media::MakeWindowedBackend());
  media::Backend& backend = media::CurrentBackend();
  backend.SetTitle("prueba");
  EXPECT_FALSE(backend.Open(media::Driver::kOpenGL, 800, 600, false));
  ASSERT_TRUE(backend.Open(media::Driver::kDirect3D7, 800, 600, false));
  media::Image frame(800, 600, 1, 0);
  backend.Present(frame, false);
  backend.Present(frame, true);

  WriteConstantWav(dir.File("tone.wav"), 12345);
  media::Channel channel =
      media::PlaySound(media::LoadSound(dir.File("tone.wav"), media::kSoundLoop));
  // The disk device writes in real time; a busy machine may take a while to write enough.
  uintmax_t start = std::filesystem::file_size(played);
  for (int i = 0; i < 1000 && std::filesystem::file_size(played) < start + 100000; ++i) {
    backend.Sleep(5);
  }
  media::StopChannel(channel);
  media::UseBackend(nullptr);
  for (const char* name :
       {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) {
    unsetenv(name);
  }

  // The device plays silence until the channel starts, then the tone, which fades out once
  // stopped.
  std::ifstream in(played, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / sizeof(int16_t));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(int16_t));
  EXPECT_GT(std::count(samples.begin(), samples.end(), 12345), 20000);
  const auto fade = std::find(samples.rbegin(), samples.rend(), 12345).base();
  EXPECT_TRUE(std::all_of(samples.begin(), fade,
                          [](int16_t sample) { return sample == 0 || sample == 12345; }));
  EXPECT_TRUE(std::is_sorted(fade, samples.end(), std::greater<>()));
}

// What the GL driver allocates while it is tried stays with it until the process ends, out of
// the leak checker's reach once the driver is unloaded; it is not ours to free.
class GlDriverAllocations {
 public:
#if defined(__SANITIZE_ADDRESS__)
  GlDriverAllocations() {
    __lsan_disable();
  }
  ~GlDriverAllocations() {
    __lsan_enable();
  }
#endif
};

// Counts the windows SDL shows while it lives.
class ShownWindows {
 public:
  ShownWindows() { SDL_AddEventWatch(Count, this); }
  ~ShownWindows() { SDL_DelEventWatch(Count, this); }
  int count = 0;

 private:
  static int Count(void* self, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SHOWN)
      ++static_cast<ShownWindows*>(self)->count;
    return 0;
  }
};

// A virtual X server has no graphics card: whatever GL it offers runs on the processor, so the
// OpenGL driver is refused, without its window ever showing, and the fallback presents the
// frames in the one window a player sees.
TEST(WindowedBackend, RefusesAGlThatRunsOnTheProcessor) {
  [[maybe_unused]] const GlDriverAllocations unchecked;
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb cannot run here";
  const char* ownDisplay = std::getenv("DISPLAY");
  const std::string previous = ownDisplay ? ownDisplay : "";
  setenv("DISPLAY", display.Name().c_str(), 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::unique_ptr<media::Backend> backend = media::MakeWindowedBackend();
  {
    ShownWindows shown;
    EXPECT_FALSE(backend->Open(media::Driver::kOpenGL, 800, 600, false));
    EXPECT_EQ(shown.count, 0) << "the refused driver's window flashed on the screen";
    EXPECT_TRUE(backend->Open(media::Driver::kDirect3D7, 800, 600, false));
    EXPECT_EQ(shown.count, 1);
  }
  media::Image frame(800, 600, 1, 0);
  backend->Present(frame, false);
  backend.reset();
  unsetenv("SDL_AUDIODRIVER");
  if (ownDisplay)
    setenv("DISPLAY", previous.c_str(), 1);
  else
    unsetenv("DISPLAY");
}

TEST(WindowedBackend, OpenFailsWithoutAUsableVideoDriver) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  std::unique_ptr<media::Backend> backend = media::MakeWindowedBackend();
  EXPECT_FALSE(backend->Open(media::Driver::kOpenGL, 800, 600, false));
  EXPECT_FALSE(backend->Open(media::Driver::kDirect3D7, 800, 600, false));
  backend->PumpEvents(media::Input());  // still safe to use without a window
  unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
