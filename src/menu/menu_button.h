#pragma once
// The image button of the main menu and of every panel: it eases up from below the screen, then
// answers a click (press and release over it) once, and grows or brightens under the pointer.
#include <memory>
#include <string>

#include "media/image.h"

class TMenuButton {
 public:
  // The button starts below the screen and slides in before it takes any input. A button that
  // grows may have its picture painted at `artScale` times its resting size, so that it stays
  // sharp when grown; its size and place are those of the resting button.
  static std::shared_ptr<TMenuButton> Create(const std::string& imagePath, float x, float y,
                                             int value, int growOnHover, float artScale = 1);

  void DrawSliding();
  void Draw();
  bool IsMouseOver() const;
  // One frame of slide-in, input and animation without drawing: `value` on the frame a click
  // completes, else -1.
  int Step();
  // Draws the button as the last Step left it: on its way in, or in place.
  void DrawCurrent();
  // Step, then DrawCurrent unless a click completed.
  int Update();

  // Press tracking of the left mouse button.
  enum PressState : int { kIdle = 0, kPressedHere = 1, kPressedElsewhere = 2 };

  media::ImagePtr image;
  float x = 0;
  float y = 0;         // top edge once the slide-in has ended
  float slideY = 650;  // top edge while sliding in
  float width = 0;
  float height = 0;
  float scale = 1.0f;
  float light = 0.5f;  // 0.5 resting, 1 under the pointer; the button is drawn opaque at any light
  int sliding = 0;
  int value = 0;
  int growOnHover = 1;  // 1 grows under the pointer (main menu); 0 only brightens (panels)
  int pressState = kIdle;
  float artScale = 1;    // the picture's size over the resting button's
  bool hovered = false;  // as the last Step found it, so the pointer's arrival is heard once

 private:
  void TrackPress();
  void Animate();

  bool drawSliding_ = false;  // the last Step moved the button on its way in
};
