#pragma once
// Network play from the menu, one panel with three pages. The first chooses to host or to join
// and how many of this machine's players take part. Hosting shows the address and port to give
// to friends and who has joined, and starts once the level and the player count are picked.
// Joining takes the host's address as typed (Backspace and Enter work) and says plainly when
// nobody answers. Once the match is agreed it waits in the main menu for the game to take it.
// With a room server typed on the first page (remembered beside the settings), hosting also
// opens a room and shows its code big, and joining takes a code as well as an address; each
// machine shows whether its links are direct or go through the server. A build without a network
// (the browser's) has a fourth page instead, which says network play needs the desktop game.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu/submenu.h"
#include "net/address.h"
#include "net/lobby.h"
#include "net/room_host.h"
#include "net/room_join.h"

class TSubMenuNet : public TSubMenu {
 public:
  // A build without a network (the browser's) shows only kDesktopOnly, which says so.
  enum class Page { kChoose, kHost, kJoin, kDesktopOnly };
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
  std::string ownAddresses;           // where friends find this machine, shown while hosting
  std::string roomServer;             // typed on the first page; empty: no rooms, addresses only
  std::optional<net::RoomHost> room;  // hosting through the room server
  std::unique_ptr<net::RoomJoin> finding;  // joining by code, before the lobby
  bool relayed = false;                    // joined by code through the server's relay
  // How the host links with a joiner, as the host page writes it: " (directo)", " (por el
  // servidor)", or nothing without a room.
  std::string LinkOf(int machine) const;
  // Once a joiner is in: the host and each other joiner, and how this machine links with it, in
  // the host page's words (" (buscando enlace...)" while a link is being tried). Kept from the
  // lobby's last service, so they stay on the page while it fades out into the match.
  std::vector<std::string> joinLinks;
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
  // Room codes: the server typed on the first page, a room beside the host's lobby, a code
  // looked up before a joiner's lobby.
  static bool TypeInto(std::string& text);
  void TypeServer();
  // Saves the typed server; false, with the page saying how to write it, when it is no address.
  bool RememberServer();
  void OpenRoom();
  void ServiceRoom();
  void JoinByCode(const net::RoomCode& code);
  void ServiceFinding();
  void OnChooseClick(int value);
  void OnHostClick(int value);
  void OnJoinClick(int value);
  void DrawChoose() const;
  void DrawHost() const;
  void DrawCode() const;
  void MarkChosen(int button, const media::ImagePtr& mark) const;
  void DrawJoin() const;
  // A line of the list of machines, as both pages write it; `who` is cut to fit the panel.
  static std::string MemberLine(int machine, const std::string& who, int localPlayers,
                                const std::string& link);
  static std::string PlayersText(int count);
  static std::string LinkText(net::Lobby::Link link);
  void ReadJoinLinks();

  int result = -1;
  // A page asked for during a click is shown from the next frame: the click comes in the middle of
  // the walk over the current page's buttons.
  std::optional<Page> nextPage_;
};
