#pragma once
// The match screen on the headless backend, in a fresh folder holding the match's data: the
// game's own objects, drawing nothing. The backend and the match hooks are put back when it goes.
#include <memory>

#include "core/configuracion.h"
#include "core/sistema.h"
#include "core/timer.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/headless_backend.h"
#include "media/trig.h"
#include "support/match_data.h"
#include "support/temp_folder.h"

struct HeadlessGame {
  HeadlessGame() {
    WriteMatchData();
    media::UseBackend(media::MakeHeadlessBackend({}));
    media::OpenDisplay(800, 600, 0, 60, 0);
    FillTrigTables();
    game::CurrentMatchHooks().draw = false;
    system = TSistema::Create();
    system->timer = TTimer::Create();
    system->config = std::make_shared<TConfiguracion>();
    game = TJuego::Create(system);
  }
  ~HeadlessGame() {
    game::CurrentMatchHooks() = {};
    media::UseBackend(media::MakeHeadlessBackend({}));
  }

  TempFolder folder;  // the working folder while the game lives
  std::shared_ptr<TSistema> system;
  std::shared_ptr<TJuego> game;
};
