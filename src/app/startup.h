#pragma once
// app/, the top layer. The program from start-up to the end of the state loop, shared by the
// windowed program and the headless runner; each installs its media backend and enters the data
// folder first.
#include <cstdint>
#include <optional>
#include <string>

#include "net/address.h"
#include "net/room_wire.h"

namespace app {

// A match to play straight away, exactly as if the menu had chosen it.
struct MatchChoice {
  int level = 0;  // 0 bosque, 1 ciudad, 2 metro
  int players = 2;
};

// A match over the network, asked for on the command line: it is waited for before anything else.
struct NetChoice {
  bool hosting = true;
  uint16_t port = net::kDefaultPort;  // hosting: where to listen (0: any free port)
  net::Address host;                  // joining: whom to join
  int localPlayers = 1;               // this machine's players: its settings' first ones
  uint32_t nudgeAfter = 0;            // test-only: this machine drifts after that frame
  uint32_t holdFrame = 0;             // test-only: this machine's packets are held back from that
  int holdMs = 0;                     // frame for so many milliseconds
  bool lockstep = false;              // hosting: every machine's frames wait for everyone's buttons
  int inputDelay = 0;                 // hosting: frames from a press to its frame; 0: the default
  // Through a room server: the host gets a code for its room, a joiner joins by one.
  std::optional<net::Address> server;
  std::optional<net::RoomCode> code;
};

struct ProgramChoice {
  // Played instead of the menu; with a network match, the level and player count the host asks.
  std::optional<MatchChoice> match;
  std::optional<NetChoice> net;
  bool menuAfterNetMatch = false;  // the window goes on to the menu; the runner ends
  // The runner's network match goes without it: the lobby takes no virtual time either, so its
  // script, shots and trace count from the start of play.
  bool splash = true;
  // Play's random draws, the match's and the bots', start from this instead of the clock.
  std::optional<int32_t> seed;
};

// Exit status of a run whose network match never began (nobody answered, refused, cancelled).
inline constexpr int kNoNetMatchStatus = 3;

// Runs the whole program and returns its exit status: 0 when the player quits, the status of a
// program ended early (media::ProgramExit), 255 after a run-time error (its text on stderr).
// With a match chosen, that one match replaces the menu and the program ends when it returns.
int RunProgram(const ProgramChoice& choice = {});

// The folder the running executable lives in.
std::string ExecutableFolder();
// Makes `folder` the current folder, where gfx/, anim/ and music/ are found, and chooses where
// "wtf.cfg" lives (see SettingsFolderFor). False, after a message on standard error naming the
// folder, when it cannot be entered.
bool EnterDataFolder(const std::string& folder);

// The file an installation leaves beside the program's data.
inline constexpr const char* kInstalledMarker = "installed";

// Beside the data (empty: the current folder) when the game runs from where it was built; an
// installed game, or one whose data folder cannot be written, keeps its settings in the user's
// config home: $XDG_CONFIG_HOME/skullgnawer, else ~/.config/skullgnawer.
std::string SettingsFolderFor(const std::string& dataFolder);

}  // namespace app
