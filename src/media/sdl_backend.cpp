// The windowed backend. The rasterizer draws into an 800 x 600 surface in memory; each frame is
// uploaded to one streaming texture and scaled, letterboxed, to whatever size the window has.
#include "media/sdl_backend.h"

#include <SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "media/latin1.h"
#include "media/sdl_joysticks.h"
#include "media/sdl_keymap.h"
#include "media/sound.h"

namespace media {
namespace {

constexpr int kAudioChannels = 2;
#ifdef __EMSCRIPTEN__
// A page mixes on its one thread, between the game's frames, and the browser's timers fire late:
// small buffers would run dry. Four times the desktop's size still answers within a frame or three.
constexpr int kAudioBufferFrames = 1024;
#else
// An effect started by the game waits at most for the buffer being filled and the one playing:
// two buffers of 256 frames are under 12 ms, well inside the 25 ms a player does not notice.
constexpr int kAudioBufferFrames = 256;
constexpr int kLatencyBudgetMs = 25;
static_assert(2 * kAudioBufferFrames * 1000 / kMixRate <= kLatencyBudgetMs);
#endif
constexpr int kBytesPerPixel = 4;

#ifdef __EMSCRIPTEN__
// A page's picture reaches the screen only on the browser's own frames: two pictures put up
// between the same two frames show only the second, and timers drift against the display. So each
// picture waits for a browser frame, always the next one at least, and on displays faster than
// 60 Hz for the first one near its due time. Up to 7 ms early still counts: a browser running late
// delivers its frames closer together, and a 120 Hz display's in-between frame is 8 ms early. The
// due times are kept in the frames' own timestamps, which stay regular when the callbacks run
// late; after a stall they start again from the frame that ended it.
// clang-format off
EM_ASYNC_JS(void, AwaitBrowserFrame, (), {
  const period = 1000 / 60;
  const early = 7;
  await new Promise((shown) => {
    const frame = (time) => {
      const due = Module.browserFrameDue || 0;
      if (time < due - early) return requestAnimationFrame(frame);
      Module.browserFrameDue = Math.max(due + period, time + period - early);
      shown();
    };
    requestAnimationFrame(frame);
  });
});
// clang-format on
#endif

void FeedAudio(void*, Uint8* stream, int bytes) {
  MixAudio(reinterpret_cast<int16_t*>(stream), bytes / (kAudioChannels * sizeof(int16_t)));
}

// No device is not an error: the game simply plays without sound.
SDL_AudioDeviceID OpenAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec wanted{};
  wanted.freq = kMixRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kAudioChannels;
  wanted.samples = kAudioBufferFrames;
  wanted.callback = FeedAudio;
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device != 0) SDL_PauseAudioDevice(device, 0);
  return device;
}

// Typed text arrives as UTF-8; the game's characters are Latin-1, so anything beyond is dropped.
void QueueLatin1(std::string_view utf8, InputState& input) {
  for (size_t at = 0; at < utf8.size();) {
    const uint32_t code = NextCodePoint(utf8, at);
    if (code <= kLatin1Last) input.CharEvent(static_cast<int>(code));
  }
}

// Keys that type a control character as well as being keys.
int ControlCharacter(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return kKeyEnter;
    case SDL_SCANCODE_BACKSPACE:
      return kKeyBackspace;
    case SDL_SCANCODE_ESCAPE:
      return kKeyEscape;
    default:
      return 0;
  }
}

int GameMouseButton(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}

class WindowedBackend : public Backend {
 public:
  WindowedBackend() {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    joysticksReady_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (joysticksReady_) joysticks_.emplace();
  }

  ~WindowedBackend() override {
    if (audio_ != 0) SDL_CloseAudioDevice(audio_);
    CloseWindow();
    joysticks_.reset();
    SDL_Quit();
  }

  void SetTitle(const std::string& title) override {
    title_ = title;
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
  }

  bool Open(Driver driver, int width, int height, bool fullScreen) override;
  void Present(const Image& frame, bool waitVerticalBlank) override;
  void PumpEvents(InputState& input) override;

  uint32_t Milliseconds() override { return SDL_GetTicks(); }
#ifdef __EMSCRIPTEN__
  // A sleep hands the page back to the browser, which may paint or run other work first and wake
  // the game a frame later; a sleep of nothing is better not taken. Every frame already waits for
  // the browser's frame.
  void Sleep(int ms) override {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
  }
  void AwaitFrame(int) override {
    AwaitBrowserFrame();
    onBrowserFrame_ = true;
  }
#else
  void Sleep(int ms) override {
    SDL_Delay(ms > 0 ? static_cast<Uint32>(ms) : 0);
  }
#endif
  void ShowPointer(bool visible) override {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
  }
  void WarpPointer(int x, int y) override;
  void Notify(const std::string& text, bool serious) override;

 private:
  void CloseWindow();
  bool CreateTexture(int width, int height);
  void HandleKey(const SDL_KeyboardEvent& key, InputState& input);
  void HandleWindowEvent(const SDL_WindowEvent& event, InputState& input);
  void MoveMouse(float x, float y, InputState& input);
  void ToggleFullScreen();

  std::string title_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool vsync_ = false;
  SDL_AudioDeviceID audio_ = 0;
  bool joysticksReady_ = false;
  std::optional<JoystickPorts> joysticks_;
  std::optional<std::pair<int, int>> warp_;
#ifdef __EMSCRIPTEN__
  bool onBrowserFrame_ = false;
#endif
};

// With no display SDL falls back to its offscreen driver, and the game would run where nobody
// can see it. Such drivers count only when SDL_VIDEODRIVER names them on purpose (tests do).
bool ShowsOnScreen() {
  const std::string driver = SDL_GetCurrentVideoDriver();
  return (driver != "offscreen" && driver != "dummy") || SDL_getenv("SDL_VIDEODRIVER") != nullptr;
}

// A GL that runs on the processor (Mesa's llvmpipe on a virtual X server, say) would only copy
// our finished frames, at the cost of a compiler's worth of memory; the fallback driver hands
// them to the window system directly.
bool RendersOnTheProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
    return false;
  }
  constexpr unsigned kGlRenderer = 0x1F01;
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  if (!name) return false;
  const std::string glName(reinterpret_cast<const char*>(name));
  for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
    if (glName.find(software) != std::string::npos) return true;
  }
  return false;
}

bool WindowedBackend::Open(Driver driver, int width, int height, bool fullScreen) {
  CloseWindow();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  if (!ShowsOnScreen()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  // The fallback presents through the window system's own image transfer, never through a GL
  // texture behind SDL's back (the accelerated renderer has no use for that surface).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Hidden until its renderer is accepted, so a refused driver's window never shows.
  Uint32 windowFlags =
      SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                             height, windowFlags);
  // The accelerated renderer stands for the OpenGL driver, the software one for the fallback.
  Uint32 rendererFlags =
      driver == Driver::kOpenGL ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
  if (window_) renderer_ = SDL_CreateRenderer(window_, -1, rendererFlags);
  if (driver == Driver::kOpenGL && renderer_ && RendersOnTheProcessor(renderer_)) {
    CloseWindow();
    return false;
  }
  if (!renderer_ || SDL_RenderSetLogicalSize(renderer_, width, height) != 0 ||
      !CreateTexture(width, height)) {
    CloseWindow();
    return false;
  }
  SDL_ShowWindow(window_);
  vsync_ = false;
  if (audio_ == 0) audio_ = OpenAudio();
  SDL_StartTextInput();
  return true;
}

bool WindowedBackend::CreateTexture(int width, int height) {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  width_ = width;
  height_ = height;
  return texture_ != nullptr;
}

void WindowedBackend::CloseWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
}

void WindowedBackend::Present(const Image& frame, bool waitVerticalBlank) {
  if (!renderer_) return;
  if ((frame.Width() != width_ || frame.Height() != height_) &&
      !CreateTexture(frame.Width(), frame.Height())) {
    return;
  }
  if (waitVerticalBlank != vsync_) {
    SDL_RenderSetVSync(renderer_, waitVerticalBlank ? 1 : 0);
    vsync_ = waitVerticalBlank;
  }
  SDL_UpdateTexture(texture_, nullptr, frame.Pixels(0), frame.Width() * kBytesPerPixel);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
#ifdef __EMSCRIPTEN__
  // SDL hands the page back to the browser after each picture, and the browser may paint or run
  // other work first and wake the game a frame late. A picture put up on the browser's own frame
  // needs no such turn: the next wait for a frame gives it.
  if (onBrowserFrame_) SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
  SDL_RenderPresent(renderer_);
  if (onBrowserFrame_) SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "1");
  onBrowserFrame_ = false;
#else
  SDL_RenderPresent(renderer_);
#endif
}

void WindowedBackend::PumpEvents(InputState& input) {
  if (!window_ && !joysticksReady_) return;
  if (warp_) MoveMouse(static_cast<float>(warp_->first), static_cast<float>(warp_->second), input);
  warp_.reset();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (joysticks_ && joysticks_->HandleEvent(event, input)) continue;
    switch (event.type) {
      case SDL_QUIT:
        input.CloseRequested();
        break;
      case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window, input);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        HandleKey(event.key, input);
        break;
      case SDL_TEXTINPUT:
        QueueLatin1(event.text.text, input);
        break;
      case SDL_MOUSEMOTION:  // already in surface pixels: the logical size maps them
        MoveMouse(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y), input);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        input.MouseButtonEvent(GameMouseButton(event.button.button),
                               event.type == SDL_MOUSEBUTTONDOWN);
        break;
      default:
        break;
    }
  }
}

void WindowedBackend::HandleKey(const SDL_KeyboardEvent& key, InputState& input) {
  bool down = key.type == SDL_KEYDOWN;
  SDL_Scancode scancode = key.keysym.scancode;
  if (down && (key.keysym.mod & KMOD_ALT) && scancode == SDL_SCANCODE_RETURN) {
    if (!key.repeat) ToggleFullScreen();
    return;
  }
  if (down && ControlCharacter(scancode) != 0) input.CharEvent(ControlCharacter(scancode));
  int virtualKey = VirtualKeyFromScancode(scancode);
  if (!key.repeat && virtualKey != 0) input.KeyEvent(virtualKey, down);
}

void WindowedBackend::HandleWindowEvent(const SDL_WindowEvent& event, InputState& input) {
  if (event.event == SDL_WINDOWEVENT_CLOSE) {
    input.CloseRequested();
  } else if (event.event == SDL_WINDOWEVENT_ENTER) {
    // The pointer may have moved while outside; SDL_GetMouseState reports window pixels.
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    float logicalX = 0;
    float logicalY = 0;
    SDL_RenderWindowToLogical(renderer_, x, y, &logicalX, &logicalY);
    MoveMouse(logicalX, logicalY, input);
  }
}

// Over the letterbox bars the pointer is held at the surface's edge.
void WindowedBackend::MoveMouse(float x, float y, InputState& input) {
  int surfaceX = SDL_clamp(static_cast<int>(x), 0, width_ - 1);
  int surfaceY = SDL_clamp(static_cast<int>(y), 0, height_ - 1);
  input.MouseMove(surfaceX, surfaceY);
}

void WindowedBackend::ToggleFullScreen() {
  if (!window_) return;
  bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void WindowedBackend::WarpPointer(int x, int y) {
  if (!renderer_) return;
  int windowX = 0;
  int windowY = 0;
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &windowX,
                            &windowY);
  SDL_WarpMouseInWindow(window_, windowX, windowY);
  warp_ = {x, y};  // not every video driver reports the move as a motion event
}

void WindowedBackend::Notify(const std::string& text, bool serious) {
  Uint32 kind = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(kind, title_.c_str(), text.c_str(), window_) != 0) {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

}  // namespace

std::unique_ptr<Backend> MakeWindowedBackend() {
  return std::make_unique<WindowedBackend>();
}

}  // namespace media
