#pragma once
// menu/, a screen (it includes no other screen). The main menu: the pulsing graveyard background,
// four buttons that slide in and grow under the pointer, a pointer of its own and the intro music.
// Its buttons open the panels, whose answers decide the next top-level state.
#include <array>
#include <memory>

#include "core/sistema.h"
#include "media/image.h"
#include "media/sound.h"
#include "menu/menu_button.h"
#include "net/lockstep.h"

class TMenu {
 public:
  static constexpr int kButtonCount = 4;
  static constexpr int kCursorFrameCount = 5;

  // Hides the system pointer; loads nothing until a run starts.
  static std::shared_ptr<TMenu> Create(std::shared_ptr<TSistema> system);

  // Prepares one run: new buttons sliding in, the intro music restarted, the images reloaded.
  void Init();
  // The panels draw the background first and the pointer last in each of their frames.
  void DrawBackground();
  void DrawCursor();
  // One frame of the menu itself: the value of the clicked button, or -1.
  int Frame();
  // Runs until the next top-level state is known: 1 match, 2 quit, 3 tutorial, or 4 the demo
  // after 90 s with nobody at the controls.
  int Run();

  std::shared_ptr<TSistema> system;
  media::Channel musicChannel;
  media::ImagePtr background;
  std::array<media::ImagePtr, kCursorFrameCount> cursorFrames;
  int cursorFrame = 0;
  int cursorFrameTime = 0;
  float pulse = 0;  // its absolute value is how far the additive light pass has risen
  std::array<std::shared_ptr<TMenuButton>, kButtonCount> buttons;
  int nextState = -1;
  // Since when nobody has pressed anything or moved the pointer.
  uint32_t idleSince = 0;
  uint32_t pressesSeen = 0;
  int pointerX = 0;
  int pointerY = 0;
  // A match agreed on over the network from the play panel, waiting for the game to take it.
  std::unique_ptr<net::Lockstep> netMatch;
  int netLocalPlayers = 1;
  bool netRelayed = false;  // some of the agreed match's links go through a room server's relay

 private:
  // A press or a move of the pointer starts the wait for the demo again.
  void StartIdleWatch();
  void WatchForSomeone();
  // Opens the panel of main button `clicked`, runs it to its answer and acts on that answer.
  void RunPanel(int clicked);
  void ChooseLevel(int answer);
  void DrawButtons() const;
};
