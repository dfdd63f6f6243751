#pragma once
// A volume slider of the options panel: a bar and a knob that follows the pointer while it is
// dragged. Only a press that starts on the knob drags it.
#include <memory>

#include "media/image.h"

class TMenuSlider {
 public:
  static std::shared_ptr<TMenuSlider> Create(float x, float y, float min, float max, float value);

  bool IsMouseOver() const;
  // One frame of dragging and drawing, with the render state in force.
  void Update();
  void Refresh() { Update(); }

  // Press tracking of the left mouse button, as for the menu buttons.
  enum PressState : int { kIdle = 0, kPressedHere = 1, kPressedElsewhere = 2 };

  float min = 0;
  float max = 0;
  float value = 0;
  float x = 0;  // left edge of the bar
  float y = 0;  // top edge of the knob
  float barWidth = 0;
  float knobWidth = 0;
  float knobHeight = 0;
  media::ImagePtr bar;
  media::ImagePtr knob;
  int dragging = 0;
  // The tick heard when the knob is let go plays at the slider's value (the sound volume's own
  // slider), else at the volume the sound effects have.
  bool ticksAtItsValue = false;
  int pressState = kIdle;

 private:
  float KnobX() const;
  void Tick() const;
};
