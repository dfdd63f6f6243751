#pragma once
// The top-level loop that hands control to whichever long-lived screen the state names.
#include "core/top_level_state.h"

class TMenu;
class TJuego;
class TTutorial;

// Runs screens until one answers kStateQuit. Each screen's Run returns the next state.
void RunStateLoop(TMenu& menu, TJuego& game, TTutorial& tutorial);

// One match instead of the menu, for runs that go straight into play.
void RunOneMatch(TJuego& game);

// The state being run, for traces (kStateMenu before the loop starts).
int CurrentState();
