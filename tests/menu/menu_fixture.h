#pragma once
// Runs the menu screens on the headless backend in a fresh folder that sees the built pictures
// and music, with a scripted user that acts once per presented frame.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/sistema.h"
#include "core/sound_effects.h"
#include "media/input.h"
#include "menu/menu.h"

// Steps of a freshly opened panel until its fade-in (11 frames) and the slowest slide-in of its
// buttons (32 frames, from y 650 to 180) have ended.
constexpr int kSettleSteps = 44;

// Where a picture of the menus lands when its top-left corner is placed at (x, y).
struct ScreenPoint {
  int x = 0;
  int y = 0;
};
ScreenPoint CentreOf(const std::string& imagePath, float x, float y);

inline void MoveMouse(ScreenPoint point) {
  media::Input().MouseMove(point.x, point.y);
}
inline void LeftButton(bool down) {
  media::Input().MouseButtonEvent(1, down);
}

class TSubMenu;
// Steps a panel until every button has slid in.
void Settle(TSubMenu& panel);
// Presses and releases over `point`, one Step each; the answer of the release frame.
int ClickStep(TSubMenu& panel, ScreenPoint point);
// Steps a panel until it has begun to fade in afresh (a panel it opened has closed); false after
// a thousand steps.
bool StepToFreshFadeIn(TSubMenu& panel);

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // What the user does after a presented frame; the queue runs one action per frame.
  using Action = std::function<void()>;
  void Then(Action action) { actions_.push_back(std::move(action)); }
  void Wait(int frames);
  // Drops the actions still queued.
  void ForgetActions() { actions_.clear(); }
  // Waits long enough for any fade and slide-in to end, then presses and releases at `point`,
  // holding the button over one presented frame.
  void ClickAfterSettling(ScreenPoint point);

  // Reads "wtf.cfg" as its seven integers.
  static std::vector<int32_t> SettingsFile();

  TConfiguracion& Config() { return *system_->GetConfig(); }

  // The sound effects asked for since the last call, with the volume of each.
  std::vector<std::pair<SoundEffect, int>> Heard() { return std::exchange(heard_, {}); }

  std::shared_ptr<TSistema> system_;
  std::shared_ptr<TMenu> menu_;
  int presented_ = 0;

 private:
  std::filesystem::path previousFolder_;
  std::filesystem::path folder_;
  std::deque<Action> actions_;
  std::vector<std::pair<SoundEffect, int>> heard_;
};
