// The signs the play field shows over the game: "pausa.png" while F10 holds the match,
// "demo.png" in a corner while the demo plays itself, and per player "gana1.png" to "gana4.png",
// the winner's name on the winner picture's ribbon, and "fuera1.png" to "fuera4.png", the marker at
// the top edge of a player above the screen.
#include <cmath>
#include <string>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Depth kInk{Rgb(0), 0, 3, Rgb(0x140c18)};
const Color kIvory = Rgb(0xf4ecd8);
const Color kDark = Rgb(0x16101c);

// A dark plate with a bone at each side and the word in ivory: held, not gone.
void PauseSign(cairo_t* cr) {
  constexpr double kWidth = 420, kHeight = 150;
  artkit::DrawPlate(cr, 4, 4, kWidth - 8, kHeight - 8, 22, Argb(Rgb(0x2e2040)), Argb(kDark), 4,
                    0.7);
  Bone(cr, 44, 64, 56, M_PI / 2, kInk);
  Bone(cr, kWidth - 44, 64, 56, M_PI / 2, kInk);
  OutlinedText(cr, "PAUSA", kWidth / 2, 88, 62, kIvory, kDark, 5);
  OutlinedText(cr, "F10 para seguir", kWidth / 2, 126, 22, Rgb(0xffe27a), kDark, 3);
}

// Small, for a corner: a red plate that says the match plays itself.
void DemoSign(cairo_t* cr) {
  constexpr double kWidth = 140, kHeight = 56;
  artkit::DrawPlate(cr, 3, 3, kWidth - 6, kHeight - 6, 14, Argb(Rgb(0xc8392f)), Argb(kDark), 3,
                    0.7);
  OutlinedText(cr, "DEMO", kWidth / 2, 40, 30, kIvory, kDark, 4);
}

// The name in the player's own colour, with the labels' pale halo around a dark outline, so it
// reads on the dark ribbon whatever the colour.
void WinnerName(cairo_t* cr, int player) {
  const std::string name = "¡GANA EL JUGADOR " + std::to_string(player + 1) + "!";
  OutlinedText(cr, name, 260, 46, 36, kIvory, kIvory, 6);
  OutlinedText(cr, name, 260, 46, 36, Rgb(kPlayerColours[player]), kDark, 4);
}

// An arrow pointing up out of the screen, in the player's colour, with the player's number on it.
void OffScreenMarker(cairo_t* cr, int player) {
  PolygonPath(cr, {{26, 4}, {48, 28}, {37, 28}, {37, 54}, {15, 54}, {15, 28}, {4, 28}});
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kIvory);
  cairo_set_line_width(cr, 7);
  cairo_stroke_preserve(cr);
  kInk.FillOutlined(cr, Rgb(kPlayerColours[player]));
  OutlinedText(cr, std::to_string(player + 1), 26, 50, 20, kIvory, kDark, 3);
}

}  // namespace

void AddSigns(Pictures& out) {
  out.push_back({"pausa.png", 420, 150, PauseSign});
  out.push_back({"demo.png", 140, 56, DemoSign});
  for (int player = 0; player < kPlayers; ++player) {
    const std::string number = std::to_string(player + 1);
    out.push_back(
        {"gana" + number + ".png", 520, 64, [player](cairo_t* cr) { WinnerName(cr, player); }});
    out.push_back({"fuera" + number + ".png", 52, 58,
                   [player](cairo_t* cr) { OffScreenMarker(cr, player); }});
  }
}

}  // namespace scenegen
