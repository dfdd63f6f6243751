#pragma once
// A network match asked for on the command line: a plain screen that waits in the lobby (the host
// starts by itself once its players' seats are filled), then the match.
#include <memory>

#include "app/startup.h"
#include "game/net_play.h"
#include "net/lockstep.h"

class TJuego;

namespace app {

// False, after a notice saying why, when the match never began.
bool PlayNetMatch(TJuego& game, const NetChoice& choice, const MatchChoice& match);

// Gives the game a match agreed on over the network (here or in the menu's panel): its next Run
// plays it, with the level, player count and way of playing the frames the host chose.
void HandOver(TJuego& game, std::unique_ptr<net::Lockstep> match, int localPlayers,
              uint32_t nudgeAfter = 0, bool relayed = false);

}  // namespace app
