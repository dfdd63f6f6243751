#pragma once
// game/, a screen (it includes no other screen). The play screen: one match per Run, from set-up to
// the winner picture, in front of the scrolling panorama of the chosen level. The entities belong
// to the entity manager.
#include <array>
#include <memory>

#include "core/configuracion.h"
#include "field/bots.h"
#include "field/panorama.h"
#include "game/match_state.h"
#include "media/image.h"
#include "media/sound.h"

class TAdministrador;
class TJugadorBase;
class TRecursos;
class TSistema;
class TTimer;
namespace game {
class NetPlay;
}

// Sets the level and the player count the way the menu's choice does.
void ChooseMatch(TConfiguracion& settings, int level, int players);

// Who plays a match, and where: the settings' choice, or the demo's.
struct MatchSeating {
  int level = 0;
  int players = 2;  // players 1 and 2 always play, 3 and 4 when there are that many
  std::array<int, kMaxPlayers> keys{};  // the people's buttons
  field::SeatStrengths seats{};         // the computer's seats
};

class TJuego {
 public:
  // Loads every level's art; null (after an error report) when the resources or the manager
  // cannot be made.
  static std::shared_ptr<TJuego> Create(std::shared_ptr<TSistema> system);
  // Plays one match until a single player is left, or none (a draw), or Escape; always returns
  // to the menu.
  int Run();
  // Four bots play a match on a level of their own while nobody is at the controls; any press
  // ends it at once. The settings are left as they were. Returns to the menu.
  int RunDemo();
  // Back panels, entities, front panels; presents the frame and clears the back buffer.
  void Render();
  // The same drawing, neither presented nor advancing the panorama's fade.
  void DrawField();
  // The survivors glide to the centre and the winner picture rises into place, the winner's name
  // on it.
  void ShowWinner();
  // Nobody is left: the draw picture rises into place, or the words are written without it.
  void ShowDraw();

  // What rollback builds on, and all it asks of a match: the whole state by value, and one frame
  // played on with the buttons the players read (the pause from `pausePressed`), the puppets
  // posed for it as drawing would. False, with nothing played, once the decided match is to show
  // its winner.
  void SaveState(MatchSnapshot& into) const;
  void LoadState(const MatchSnapshot& from);
  bool AdvanceFrame(bool pausePressed);
  // Sets a match up for these players and tells the network and the trace of it.
  void BeginMatch(const MatchSeating& seating);

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TRecursos> resources;
  std::shared_ptr<TAdministrador> manager;
  std::shared_ptr<TTimer> timer;
  media::ImagePtr drawPicture;  // "gfx/empate.png"
  media::Channel musicChannel;
  MatchProgress progress;
  field::PanelTiles tiles{};  // which variant each panel position shows, per match
  int running = 1;
  std::shared_ptr<field::Bots> bots;  // the computer's players of the match being played
  int32_t botSeed = 20070727;         // each match's bots draw from the next seed
  int level = 0;                      // the level being played
  bool demo = false;                  // the match is the demo, which a press ends
  // Set for a match played over the network: it gives each frame everyone's buttons.
  std::shared_ptr<game::NetPlay> net;

 private:
  // Plays a whole match for these players.
  int Play(const MatchSeating& seating);
  void SetUpMatch(const MatchSeating& seating);
  // The settings' choice, with the players a run hooks bots to.
  MatchSeating SettingsSeating() const;
  // The winner's or the draw's picture stands until any key.
  void AwaitKey();
  // The demo ends at any press; true when it has.
  bool DemoInterrupted() const;
  // The end of the demo stands a moment, or until a press.
  void HoldDemoEnd();
  void DrawDemoSign() const;
  // One frame; false once the match is over.
  bool PlayFrame();
  // When one player or none is left the field freezes and darkens; true once the darkening is
  // over.
  bool DecideMatch();
  // The winner or the draw is shown, and the match is over.
  void Conclude();
  // Advances and poses every puppet, as drawing the field does, without drawing.
  void PoseField();
  void TogglePause();
  int PlayersLeft() const;
  void SetPanoramaColour() const;
  // Rises 200 pixels into place over the last frame, in one second of real time, with the
  // winner's name on it and the winner standing on it if they are given.
  void RisePicture(const media::ImagePtr& picture, const media::ImagePtr& name = nullptr,
                   TJugadorBase* winner = nullptr);
  static void DrawStandingOnPodium(TJugadorBase& winner, float offset);
  static media::ImagePtr LoadDrawPicture();
  field::Panorama Panorama() const;
  void DrawPause() const;
  // The slot of the one player still in the match (the first such slot).
  int WinnerSlot() const;

  uint32_t pressesBeforeDemo = 0;
};
