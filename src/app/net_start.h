#pragma once
// A network match asked for on the command line: a plain screen that waits in the lobby (the host
// starts by itself once its players' seats are filled), then the match.
#include "app/startup.h"

class TJuego;

namespace app {

// False, after a notice saying why, when the match never began.
bool PlayNetMatch(TJuego& game, const NetChoice& choice, const MatchChoice& match);

}  // namespace app
