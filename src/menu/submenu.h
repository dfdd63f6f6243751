#pragma once
// A modal panel over the main menu's background: it fades in, lets its buttons be clicked, fades
// out and answers. Each panel class says what a click means and what closing answers.
#include <memory>
#include <string>
#include <vector>

#include "media/image.h"
#include "menu/menu_button.h"
#include "menu/menu_slider.h"

class TMenu;

class TSubMenu {
 public:
  enum Phase : int { kFadingIn = 0, kActive = 1, kFadingOut = 2 };
  // Step's answer while the panel stays open; no panel answers it when it closes.
  static constexpr int kStillOpen = 0;

  // A row of a panel's button table: the picture and where it sits.
  struct ButtonPlace {
    const char* image;
    float x;
    float y;
  };

  virtual ~TSubMenu() = default;

  // The panel picture at (x, y) with the alpha in force; nothing when it is missing.
  virtual void Draw();
  // Rebuilds the buttons (they slide in again) and starts the fade-in.
  virtual void Init() = 0;
  // One whole frame: kStillOpen while the panel is open, its answer once it has closed.
  virtual int Step();

  // Loads the picture and stores the place and the parent; CreatePanel then calls Init.
  void Setup(TMenu* parent, const std::string& imagePath, float x, float y);

  media::ImagePtr panel;
  float x = 0;
  float y = 0;
  std::vector<std::shared_ptr<TMenuSlider>> sliders;
  std::vector<std::shared_ptr<TMenuButton>> buttons;
  int phase = kFadingIn;
  float fade = 0;
  TMenu* parent = nullptr;  // the main menu that owns this panel while it runs

 protected:
  // Fills `buttons` from a table whose index is the button's value; panel buttons only brighten.
  void MakeButtons(const ButtonPlace* places, int count);
  void StartFadeIn();

  // A button returned its value during the active phase.
  virtual void OnClick(int value) = 0;
  // The fade-out has ended: the answer, or kStillOpen to go on with this frame's pointer and flip.
  virtual int Close() = 0;

 private:
  void FadeIn();
  void Active();
  // False once the panel has faded out completely.
  bool FadeOut();
};

// Calls the panel's Step once per frame until it answers.
int RunToAnswer(TSubMenu& panel);

// Makes a panel of the class, sets it up and runs its Init: what every panel's Create does.
template <typename Panel>
std::shared_ptr<Panel> CreatePanel(TMenu* parent, const std::string& imagePath, float x, float y) {
  auto panel = std::make_shared<Panel>();
  panel->Setup(parent, imagePath, x, y);
  panel->Init();
  return panel;
}
