#pragma once
// tutorial/, a screen (it includes no other screen). The guided one-player tutorial: the real play
// machinery (its own resources and entity manager, a player, the horde) under a script that shows
// fourteen slides, waits for Enter where the reader should try something, brings in a sparring
// partner, knocks the player down and ends in free play for four. Escape leaves at any time.
// Player 1 is always the reader, a person; the others follow their seats (one whose person would
// share the reader's button goes to the computer), and those the computer holds are played by
// bots once free play begins (until then the partner only stands there).
#include <array>
#include <memory>

#include "field/bots.h"
#include "field/panorama.h"
#include "media/image.h"
#include "media/sound.h"

class TAdministrador;
class TConfiguracion;
class TRecursos;
class TSistema;
class TTimer;

class TTutorial {
 public:
  static constexpr int kSlides = 14;

  // Null only without a system; a resource or entity manager that cannot be made is reported
  // through the system's Error, which does not return.
  static std::shared_ptr<TTutorial> Create(std::shared_ptr<TSistema> system);
  // Plays the tutorial until Escape; returns the menu's state.
  int Run();
  // The slide shown during a step of the script, -1 for none.
  static int SlideAt(int step);
  // Real milliseconds since the step clock was restarted.
  int StepElapsed() const;
  void RestartStepClock();
  // Advances the script by one frame.
  void Script(const TConfiguracion& settings);
  // Draws and presents one frame.
  void Draw();

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TRecursos> resources;
  std::shared_ptr<TAdministrador> manager;
  std::shared_ptr<TTimer> timer;
  float scroll = 401.0f;
  media::Channel musicChannel;
  field::PanelTiles tiles{};
  int state = 3;
  std::array<media::ImagePtr, kSlides> slides;
  media::ImagePtr enterPrompt;
  media::ImagePtr escPrompt;
  float promptAlpha = 1.0f;   // carries over from one run to the next
  float promptStep = 0.001f;  // per drawn frame
  int step = 0;
  int stepStart = 0;
  float heldX = 0;                    // where the first player is held while it lies knocked down
  std::shared_ptr<field::Bots> bots;  // the computer's players of free play; none before it

  // The script's own actions, one per step that does something (see tutorial_script.cpp).
  void AddPlayer(const TConfiguracion& settings, int slot);
  void PlacePlayer(int slot, float x);
  void KnockFirstPlayerDown();
  // Players 3 and 4 join, everyone is arranged afresh, and bots take the computer's seats.
  void StartFreePlay(const TConfiguracion& settings);

 private:
  void SetUp(const TConfiguracion& settings);
  void PlayFrame(const TConfiguracion& settings);
  // The level the tutorial plays in, loaded on first use.
  void ChooseLevel(TConfiguracion& settings);
  field::Panorama LevelPanorama() const;
  void DrawSlide() const;
  void DrawPrompt();
};
