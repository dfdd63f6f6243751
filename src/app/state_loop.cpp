#include "app/state_loop.h"

#include "app/net_start.h"
#include "field/player_report.h"
#include "game/juego.h"
#include "game/net_play.h"
#include "menu/menu.h"
#include "tutorial/tutorial.h"

namespace {

int state = kStateMenu;

}  // namespace

int CurrentState() {
  return state;
}

void RunOneMatch(TJuego& game) {
  state = kStateMatch;
  game.Run();
  field::ForgetPlayers();
  state = kStateQuit;
}

void RunStateLoop(TMenu& menu, TJuego& game, TTutorial& tutorial) {
  state = kStateMenu;
  while (state != kStateQuit) {
    if (state == kStateMenu) {
      state = menu.Run();
    } else if (state == kStateMatch) {
      if (menu.netMatch) {
        app::HandOver(game, std::move(menu.netMatch), menu.netLocalPlayers, 0, menu.netRelayed);
      }
      state = game.Run();
      game.net.reset();
    } else if (state == kStateTutorial) {
      state = tutorial.Run();
    } else if (state == kStateDemo) {
      state = game.RunDemo();
    }
    // A screen that has returned has no players on the field any more.
    field::ForgetPlayers();
  }
}
