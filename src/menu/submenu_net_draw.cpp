// What the network panel writes on its pages, in the panels' cream over their dark slots, faded
// with the panel.
#include "media/draw.h"
#include "media/system.h"
#include "menu/join_reading.h"
#include "menu/submenu_net.h"

namespace {

constexpr float kScreenCentreX = 400;
constexpr float kLineHeight = 21;
constexpr float kJoinLinksTop = 460;
constexpr float kText = 0.7f;  // the built-in font is large; lines on the panels are smaller
constexpr float kLargeText = 1.0f;
constexpr int kCaretBlinkMs = 500;
constexpr const char* kLevelTitles[] = {"BOSQUE", "CIUDAD", "METRO"};
constexpr float kMarkRim = 6;  // how far a mark reaches out around its button

void Write(const std::string& text, float x, float y, float scale = kText) {
  media::SetTransform(0, scale, scale);
  media::DrawText(media::Latin1(text), x, y);
}

void WriteCentred(const std::string& text, float y, float scale = kText) {
  const float width = static_cast<float>(media::TextWidth(media::Latin1(text))) * scale;
  Write(text, kScreenCentreX - width / 2, y, scale);
}

// Typed text, with a blinking caret after it.
std::string WithCaret(const std::string& text) {
  return text + (media::Milliseconds() / kCaretBlinkMs % 2 == 0 ? "_" : "");
}

}  // namespace

void TSubMenuNet::Draw() {
  TSubMenu::Draw();
  media::SetBlend(media::kBlendAlpha);
  media::SetColor(243, 234, 208);
  if (page == Page::kChoose) DrawChoose();
  if (page == Page::kHost) DrawHost();
  if (page == Page::kJoin) DrawJoin();
  media::SetTransform(0, 1, 1);
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendSolid);
}

void TSubMenuNet::DrawChoose() const {
  Write(std::to_string(localPlayers), 442, 333, kLargeText);
  // Below the painted note that asks for a room server to play over the internet.
  Write("Servidor de salas (opcional): " + WithCaret(roomServer), 130, 462);
  if (!status.empty()) WriteCentred(status, 490);
}

void TSubMenuNet::DrawHost() const {
  DrawCode();
  const uint16_t port = lobby ? lobby->Port() : hostPort;
  Write("Tu dirección: " + ownAddresses + "   puerto " + std::to_string(port), 110, 220);
  Write("Equipos en la partida:", 110, 242);
  if (lobby) {
    const auto& members = lobby->Members();
    for (size_t m = 0; m < members.size(); ++m) {
      const int machine = static_cast<int>(m);
      const std::string who = m == 0 ? "este equipo" : members[m].address;
      Write(MemberLine(machine, who, members[m].localPlayers, m == 0 ? "" : LinkOf(machine)), 130,
            264 + kLineHeight * static_cast<float>(m));
    }
  }
  if (!status.empty()) Write(status, 110, 352);
  Write(std::string(kLevelTitles[level]) + ", " + PlayersText(players), 310, 462);
  MarkChosen(kFirstLevelButton + level, chosenLevelMark);
  MarkChosen(kFirstCountButton + players - kFewestPlayers, chosenCountMark);
}

// At the top of the dark plate, under the painted request to give friends the code: the code big,
// or why there is none.
void TSubMenuNet::DrawCode() const {
  if (room && room->Code()) {
    WriteCentred("CÓDIGO DE SALA: " + net::CodeText(*room->Code()), 186, kLargeText);
  } else if (room) {
    WriteCentred("Pidiendo un código al servidor de salas...", 192);
  } else {
    WriteCentred("Sin código de sala: solo con tu dirección", 192);
  }
}

// Behind the button, once it has come to rest in its place: it covers all but the rim. While the
// buttons are hidden (fading) or still sliding in, a mark alone would look like a blank button.
void TSubMenuNet::MarkChosen(int button, const media::ImagePtr& mark) const {
  if (phase != kActive || button < 0 || button >= static_cast<int>(buttons.size())) return;
  const TMenuButton& chosen = *buttons[button];
  if (chosen.sliding == 1) return;
  media::SetTransform(0, 1, 1);
  media::SetColor(255, 255, 255);
  media::DrawImage(mark, chosen.x - kMarkRim, chosen.y - kMarkRim, 0);
  media::SetColor(243, 234, 208);
}

// Once in, the machines this one links with go below the painted hints, clear of the back button.
void TSubMenuNet::DrawJoin() const {
  Write(WithCaret(address), 155, 258, kLargeText);
  // How the typed text will be taken, code or address, before Enter takes it.
  WriteCentred(ReadJoinText(address).Text(), 310);
  std::string line = status;
  if (lobby && lobby->GetPhase() == net::Lobby::Phase::kWaiting) {
    line = "Dentro: esperando a que el anfitrión empiece (" +
           std::to_string(lobby->Members().size()) + " equipos)";
  } else if (lobby && lobby->GetPhase() == net::Lobby::Phase::kLinking) {
    line = "Empezando: enlazando con los demás equipos...";
  }
  WriteCentred(line, 336);
  for (size_t i = 0; i < joinLinks.size(); ++i) {
    Write(joinLinks[i], 130, kJoinLinksTop + kLineHeight * static_cast<float>(i));
  }
}
