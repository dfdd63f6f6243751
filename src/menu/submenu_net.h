#pragma once
// Network play from the menu, one panel with three pages. The first chooses to host or to join
// and how many of this machine's players take part. Hosting shows the address and port to give
// to friends and who has joined, and starts once the level and the player count are picked.
// Joining takes the host's address as typed (Backspace and Enter work) and says plainly when
// nobody answers. Once the match is agreed it waits in the main menu for the game to take it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "menu/submenu.h"
#include "net/address.h"
#include "net/lobby.h"

class TSubMenuNet : public TSubMenu {
 public:
  enum class Page { kChoose, kHost, kJoin };
  // The answer once a match is ready in the main menu's netMatch; -1 is back.
  static constexpr int kMatchReady = 1;
  // The hosting page's buttons after back: the three sceneries, then the counts from two players.
  static constexpr int kFirstLevelButton = 1;
  static constexpr int kFirstCountButton = 4;
  static constexpr int kFewestPlayers = 2;

  static std::shared_ptr<TSubMenuNet> Create(TMenu* parent);
  void Init() override;
  // Services the lobby and the typing, then runs the panel's frame.
  int Step() override;
  // The page's picture, then what the game writes on it.
  void Draw() override;

  Page page = Page::kChoose;
  int localPlayers = 1;
  uint16_t hostPort = net::kDefaultPort;  // where hosting listens first
  std::string address;                    // typed on the join page
  std::string status;                     // the last thing that happened, shown on the page
  int level = 0;
  int players = 2;
  std::unique_ptr<net::Lobby> lobby;
  std::string ownAddresses;  // where friends find this machine, shown while hosting
  // The rims that mark the chosen scenery and player count on the hosting page.
  media::ImagePtr chosenLevelMark;
  media::ImagePtr chosenCountMark;

 protected:
  void OnClick(int value) override;
  int Close() override;

 private:
  void ShowPage(Page next);
  void ServiceLobby();
  void Host();
  void Connect();
  void Type();
  void OnChooseClick(int value);
  void OnHostClick(int value);
  void OnJoinClick(int value);
  void DrawChoose() const;
  void DrawHost() const;
  void MarkChosen(int button, const media::ImagePtr& mark) const;
  void DrawJoin() const;

  int result = -1;
  // A page asked for during a click is shown from the next frame: the click comes in the middle of
  // the walk over the current page's buttons.
  std::optional<Page> nextPage_;
};
