#pragma once
// The options: one button per player to bind that player's input, one beside it to hand the seat
// to the computer at a strength, and the music and sound volume sliders. Edits stay pending until
// OK, which stores them in the settings, saves the file at once and applies the music volume;
// cancel drops them. Answers 1 when closed.
#include <array>

#include "core/configuracion.h"
#include "menu/submenu.h"

class TSubMenuOptions : public TSubMenu {
 public:
  static constexpr int kClosedAnswer = 1;

  void Draw() override;
  void Init() override;
  int Step() override;
  static std::shared_ptr<TSubMenuOptions> Create(TMenu* parent, const std::string& imagePath,
                                                 float x, float y);
  // Runs its own frames, with the prompt blinking over the steady panel, until a key, a mouse
  // button or a joystick button is pressed; returns that input's code.
  int CaptureKey();

  media::ImagePtr promptImage;
  std::array<int, kMaxPlayers> pendingKeys = {};
  // The button each seat's person had last, for when the computer hands the seat back.
  std::array<int, kMaxPlayers> personKeys = {};

 protected:
  void OnClick(int value) override;
  int Close() override;

 private:
  static constexpr int kNoCapture = -1;

  void DrawBindings(float alpha) const;
  void DrawPrompt(int& blinkStart);
  void Apply();

  int captureFor_ = kNoCapture;  // the player whose binding button was clicked, until captured
};
