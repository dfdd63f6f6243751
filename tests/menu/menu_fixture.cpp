#include "menu_fixture.h"

#include <unistd.h>

#include <fstream>

#include "core/key_names.h"
#include "core/music.h"
#include "media/backend.h"
#include "media/draw.h"
#include "media/headless_backend.h"
#include "media/image.h"
#include "menu/submenu.h"

namespace {

// Long enough for a fade-out and a panel's settling, or the main menu's slide-in.
constexpr int kSettleFrames = 11 + kSettleSteps + 1;

}  // namespace

ScreenPoint CentreOf(const std::string& imagePath, float x, float y) {
  const media::ImagePtr image = media::LoadImage(imagePath);
  EXPECT_TRUE(image) << imagePath;
  return {static_cast<int>(x) + media::ImageWidth(image) / 2,
          static_cast<int>(y) + media::ImageHeight(image) / 2};
}

void Settle(TSubMenu& panel) {
  for (int frame = 0; frame < kSettleSteps; ++frame) ASSERT_EQ(panel.Step(), TSubMenu::kStillOpen);
}

int ClickStep(TSubMenu& panel, ScreenPoint point) {
  MoveMouse(point);
  LeftButton(true);
  EXPECT_EQ(panel.Step(), TSubMenu::kStillOpen);
  LeftButton(false);
  return panel.Step();
}

bool StepToFreshFadeIn(TSubMenu& panel) {
  for (int steps = 0; steps < 1000; ++steps) {
    if (panel.Step() != TSubMenu::kStillOpen) return false;
    if (panel.phase == TSubMenu::kFadingIn && panel.fade == 0) return true;
  }
  return false;
}

void MenuTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "skullmenu_XXXXXX").string();
  folder_ = mkdtemp(pattern.data());
  previousFolder_ = std::filesystem::current_path();
  for (const char* data : {"gfx", "music"}) {
    std::filesystem::create_directory_symlink(std::filesystem::path(SKULL_BUILD_DIR) / data,
                                              folder_ / data);
  }
  std::filesystem::current_path(folder_);

  // A script that only mentions joystick port 1 makes the backend report two ports.
  const std::filesystem::path script = folder_ / "two_joysticks.txt";
  std::ofstream(script) << "0 joy 1 31 up\n";
  media::HeadlessOptions options;
  options.inputScript = script.string();
  options.onPresent = [this](uint32_t) {
    ++presented_;
    if (actions_.empty()) return;
    Action action = std::move(actions_.front());
    actions_.pop_front();
    action();
  };
  media::UseBackend(media::MakeHeadlessBackend(options));
  media::Input().FlushKeys();
  media::Input().FlushMouse();
  media::Input().MouseMove(0, 0);
  media::ResetRenderState();
  LoadMusic();
  BuildKeyNames();
  system_ = TSistema::Create();
  system_->Init();
  menu_ = TMenu::Create(system_);
  menu_->Init();
  ListenToSoundEffects(
      [this](SoundEffect effect, float, int volume) { heard_.emplace_back(effect, volume); });
}

void MenuTest::TearDown() {
  ListenToSoundEffects(nullptr);
  media::StopChannel(menu_->musicChannel);
  media::ResetRenderState();
  media::UseBackend(media::MakeHeadlessBackend({}));
  std::filesystem::current_path(previousFolder_);
  std::error_code error;
  std::filesystem::remove_all(folder_, error);
}

void MenuTest::Wait(int frames) {
  for (int i = 0; i < frames; ++i) Then([] {});
}

void MenuTest::ClickAfterSettling(ScreenPoint point) {
  Wait(kSettleFrames);
  Then([point] {
    MoveMouse(point);
    LeftButton(true);
  });
  Then([] { LeftButton(false); });
}

std::vector<int32_t> MenuTest::SettingsFile() {
  std::ifstream file(TConfiguracion::kFileName, std::ios::binary);
  std::vector<int32_t> values(7);
  file.read(reinterpret_cast<char*>(values.data()), TConfiguracion::kFileBytes);
  EXPECT_TRUE(file) << "wtf.cfg holds fewer than 28 bytes";
  return values;
}
