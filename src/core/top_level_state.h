#pragma once
// The values the screens hand back to the state loop: which long-lived screen runs next.
enum TopLevelState : int {
  kStateMenu = 0,
  kStateMatch = 1,
  kStateQuit = 2,
  kStateTutorial = 3,
  kStateDemo = 4,  // a match of bots while nobody is at the controls
};
