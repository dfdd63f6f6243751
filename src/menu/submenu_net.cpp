#include "menu/submenu_net.h"

#include "media/draw.h"
#include "media/input.h"
#include "menu/join_reading.h"
#include "menu/menu.h"
#include "net/endpoint.h"
#include "net/room_server_setting.h"

namespace {

struct PagePlace {
  const char* image;
  float x;
  float y;
};

const PagePlace kPages[] = {
    {"gfx/menu/panelred.png", 100, 100},
    {"gfx/menu/panelanfitrion.png", 50, 100},
    {"gfx/menu/panelunirse.png", 100, 140},
    {"gfx/menu/panelescritorio.png", 100, 100},
};

// Index = value on each page; back is always 0.
constexpr int kBackButton = 0;
const TSubMenu::ButtonPlace kChooseButtons[] = {
    {"gfx/menu/volver.png", 510, 520},
    {"gfx/menu/crearpartida.png", 130, 220},
    {"gfx/menu/unirse.png", 420, 220},
    {"gfx/menu/jugadoresaqui.png", 130, 330},
};
enum ChooseButton : int { kHostButton = 1, kJoinButton = 2, kLocalPlayersButton = 3 };

const TSubMenu::ButtonPlace kHostButtons[] = {
    {"gfx/menu/volver.png", 550, 520},    {"gfx/menu/redbosque.png", 90, 390},
    {"gfx/menu/redciudad.png", 240, 390}, {"gfx/menu/redmetro.png", 390, 390},
    {"gfx/menu/red2.png", 90, 450},       {"gfx/menu/red3.png", 160, 450},
    {"gfx/menu/red4.png", 230, 450},      {"gfx/menu/empezar.png", 550, 380},
};
constexpr int kStartButton = 7;

const TSubMenu::ButtonPlace kJoinButtons[] = {
    {"gfx/menu/volver.png", 510, 520},
    {"gfx/menu/conectar.png", 140, 380},
};
constexpr int kConnectButton = 1;

const TSubMenu::ButtonPlace kDesktopOnlyButtons[] = {
    {"gfx/menu/volver.png", 510, 520},
};

constexpr size_t kLongestAddress = 40;

}  // namespace

std::shared_ptr<TSubMenuNet> TSubMenuNet::Create(TMenu* parent) {
  return CreatePanel<TSubMenuNet>(parent, kPages[0].image, kPages[0].x, kPages[0].y);
}

void TSubMenuNet::Init() {
  chosenLevelMark = media::LoadImage("gfx/menu/elegidoescenario.png", media::kImageDefaultFlags);
  chosenCountMark = media::LoadImage("gfx/menu/elegidojugadores.png", media::kImageDefaultFlags);
  lobby.reset();
  room.reset();
  finding.reset();
  relayed = false;
  joinLinks.clear();
  roomServer = net::LoadRoomServer();
  status.clear();
  result = -1;
  ShowPage(net::Endpoint::Unavailable().empty() ? Page::kChoose : Page::kDesktopOnly);
}

void TSubMenuNet::ShowPage(Page next) {
  page = next;
  const PagePlace& place = kPages[static_cast<int>(next)];
  panel = media::LoadImage(place.image, media::kImageDefaultFlags);
  x = place.x;
  y = place.y;
  if (next == Page::kChoose) MakeButtons(kChooseButtons, std::size(kChooseButtons));
  if (next == Page::kHost) MakeButtons(kHostButtons, std::size(kHostButtons));
  if (next == Page::kJoin) MakeButtons(kJoinButtons, std::size(kJoinButtons));
  if (next == Page::kDesktopOnly) MakeButtons(kDesktopOnlyButtons, std::size(kDesktopOnlyButtons));
  StartFadeIn();
}

int TSubMenuNet::Step() {
  if (nextPage_) ShowPage(*nextPage_);
  nextPage_.reset();
  if (finding) ServiceFinding();
  if (lobby) ServiceLobby();
  if (page == Page::kJoin && phase == kActive) Type();
  if (page == Page::kChoose && phase == kActive) TypeServer();
  return TSubMenu::Step();
}

// A match agreed on goes to the main menu; a lobby that failed is dropped, its reason shown.
void TSubMenuNet::ServiceLobby() {
  lobby->Service(0);
  for (const std::string& note : lobby->TakeNotes()) status = note;
  if (room) ServiceRoom();
  ReadJoinLinks();
  if (lobby->GetPhase() == net::Lobby::Phase::kFailed) {
    status = lobby->Failure();
    joinLinks.clear();
    lobby.reset();
  } else if (lobby->GetPhase() == net::Lobby::Phase::kStarted) {
    if (room && lobby->Transport()) room->Close(*lobby->Transport());
    parent->netRelayed = relayed || lobby->RelaysAJoinerLink() || (room && room->RelaysAny(*lobby));
    parent->netMatch = lobby->TakeMatch();
    parent->netLocalPlayers = localPlayers;
    lobby.reset();
    result = kMatchReady;
    phase = kFadingOut;
  }
}

void TSubMenuNet::OnClick(int value) {
  // The desktop-only page has only the first page's back button.
  if (page == Page::kChoose || page == Page::kDesktopOnly) OnChooseClick(value);
  if (page == Page::kHost) OnHostClick(value);
  if (page == Page::kJoin) OnJoinClick(value);
}

void TSubMenuNet::OnChooseClick(int value) {
  if (value == kBackButton) {
    result = -1;
    phase = kFadingOut;
  } else if (value == kHostButton && RememberServer()) {
    Host();
  } else if (value == kJoinButton && RememberServer()) {
    status.clear();
    nextPage_ = Page::kJoin;
  } else if (value == kLocalPlayersButton) {
    localPlayers = localPlayers % kMaxPlayers + 1;
  }
}

// The usual port first; when something else holds it, any free one (the page shows which).
void TSubMenuNet::Host() {
  std::string error;
  lobby = net::Lobby::Host(hostPort, localPlayers, error);
  if (!lobby) lobby = net::Lobby::Host(0, localPlayers, error);
  status = lobby ? "" : error;
  if (!lobby) return;
  // A match from the menu rolls back, so a press shows a frame after it is made.
  lobby->SetInputDelay(net::kRollbackInputDelay);
  ownAddresses.clear();
  for (const std::string& own : net::LocalAddresses()) {
    ownAddresses += (ownAddresses.empty() ? "" : ", ") + own;
  }
  if (ownAddresses.empty()) ownAddresses = "sin red";
  OpenRoom();
  nextPage_ = Page::kHost;
}

void TSubMenuNet::OnHostClick(int value) {
  if (value == kBackButton) {
    lobby.reset();
    room.reset();
    status.clear();
    nextPage_ = Page::kChoose;
  } else if (value < kFirstCountButton) {
    level = value - kFirstLevelButton;
  } else if (value < kStartButton) {
    players = value - kFirstCountButton + kFewestPlayers;
  } else if (lobby) {
    std::string error;
    status = lobby->Start(level, players, error) ? "Empezando..." : error;
  }
}

void TSubMenuNet::OnJoinClick(int value) {
  if (value == kBackButton) {
    lobby.reset();
    finding.reset();
    joinLinks.clear();
    status.clear();
    nextPage_ = Page::kChoose;
  } else if (value == kConnectButton) {
    Connect();
  }
}

void TSubMenuNet::Connect() {
  const JoinReading reading = ReadJoinText(address);
  if (reading.code) {
    JoinByCode(*reading.code);
    return;
  }
  if (!reading.address) {
    status = "Escribe un código de 4 letras o una dirección, como 192.168.1.20 o casa:27315";
    return;
  }
  std::string error;
  relayed = false;
  lobby = net::Lobby::Join(*reading.address, 0, localPlayers, error);
  status = lobby ? "Conectando con " + reading.address->Text() + "..." : error;
}

// Printable characters are added and Backspace takes the last one away; true when Enter was hit.
bool TSubMenuNet::TypeInto(std::string& text) {
  for (int character = media::NextChar(); character != 0; character = media::NextChar()) {
    if (character >= ' ' && character < 127 && text.size() < kLongestAddress) {
      text += static_cast<char>(character);
    }
  }
  if (media::KeyHit(media::kKeyBackspace) && !text.empty()) text.pop_back();
  return media::KeyHit(media::kKeyEnter);
}

// Enter connects.
void TSubMenuNet::Type() {
  if (TypeInto(address) && !lobby && !finding) Connect();
}

int TSubMenuNet::Close() {
  lobby.reset();
  room.reset();
  finding.reset();
  media::FlushMouse();
  media::FlushKeys();
  return result;
}
