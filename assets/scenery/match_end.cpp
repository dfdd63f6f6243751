// The two pictures that end a match, one stage in two moods. The game does not clear the screen
// while a picture rises, so whatever passes over a clear texel stays there: every column is clear
// only from the top edge down and solid below.
// "ganador.png" rises around the lone survivor standing at (400, 300): the curtains leave an
// opening straight up from it, the podium stands under its feet, the words on the boards below;
// its ribbon is left blank for the game to write the winner's name on ("gfx/gana1.png" to
// "gfx/gana4.png", each in its player's colour).
// "empate.png" ends a match nobody won: the curtains are closed, the podium is empty but for a
// skull, and the horde reaches through the curtains. It is solid everywhere.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Depth kInk{Rgb(0), 0, 3, Rgb(0x140c18)};
const Color kIvory = Rgb(0xf1e8cf);
const Color kGold = Rgb(0xe8b23a);
const Color kVelvet = Rgb(0x8e1c2a);
const Color kZombieSkin = Rgb(0x7d9a5a);
constexpr double kFeetY = 300;
// The opening: wide at the top edge, as wide as a puppet with its arms out at the waist.
constexpr double kTopLeft = 240, kTopRight = 560, kWaistY = 170, kWaistLeft = 318,
                 kWaistRight = 482;
constexpr double kStageY = 392;  // the front edge of the boards
constexpr double kBannerTop = 408, kBannerBottom = 468;

void OpeningPath(cairo_t* cr) {
  cairo_move_to(cr, kTopLeft, -10);
  cairo_line_to(cr, kTopRight, -10);
  cairo_curve_to(cr, kTopRight, 80, kWaistRight, 110, kWaistRight, kWaistY);
  cairo_line_to(cr, kWaistRight, kFeetY + 2);
  cairo_line_to(cr, kWaistLeft, kFeetY + 2);
  cairo_line_to(cr, kWaistLeft, kWaistY);
  cairo_curve_to(cr, kWaistLeft, 110, kTopLeft, 80, kTopLeft, -10);
  cairo_close_path(cr);
}

// Deep red velvet in vertical folds, hanging over the whole back wall.
void Curtains(cairo_t* cr) {
  cairo_rectangle(cr, 0, 0, kPanelWidth, kStageY);
  cairo_pattern_t* folds = cairo_pattern_create_linear(0, 0, 64, 0);
  cairo_pattern_set_extend(folds, CAIRO_EXTEND_REFLECT);
  const Color light = Lighter(kVelvet, 0.25), dark = Darker(kVelvet, 0.45);
  cairo_pattern_add_color_stop_rgb(folds, 0, dark.r, dark.g, dark.b);
  cairo_pattern_add_color_stop_rgb(folds, 0.55, kVelvet.r, kVelvet.g, kVelvet.b);
  cairo_pattern_add_color_stop_rgb(folds, 1, light.r, light.g, light.b);
  cairo_set_source(cr, folds);
  cairo_fill(cr);
  cairo_pattern_destroy(folds);
}

// Gold tassels where the curtains are tied back beside the opening.
void Tassels(cairo_t* cr) {
  for (double x : {kWaistLeft - 34, kWaistRight + 34}) {
    cairo_arc(cr, x, kWaistY + 40, 13, 0, 2 * M_PI);
    kInk.FillOutlined(cr, kGold);
  }
}

void Boards(cairo_t* cr) {
  cairo_rectangle(cr, 0, kStageY, kPanelWidth, kScreenHeight - kStageY);
  kInk.FillOutlined(cr, Rgb(0x6b4424));
  SetColor(cr, Darker(Rgb(0x6b4424), 0.3));
  cairo_set_line_width(cr, 3);
  for (double y = kStageY + 48; y < kScreenHeight; y += 48) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, kPanelWidth, y);
  }
  cairo_stroke(cr);
}

// Bones down both sides and along the bottom, a skull in each lower corner; nothing above the
// opening.
void Frame(cairo_t* cr) {
  for (double y = 60; y < 540; y += 80) {
    Bone(cr, 27, y, 46, M_PI / 2, kInk);
    Bone(cr, 773, y, 46, M_PI / 2, kInk);
  }
  for (double x = 80; x < 740; x += 80) Bone(cr, x, 573, 46, 0, kInk);
  for (double x : {36.0, 764.0}) Skull(cr, x, 564, 58, kInk);
}

void Podium(cairo_t* cr) {
  const Color gold = kGold;
  cairo_move_to(cr, 320, kFeetY);
  cairo_line_to(cr, 480, kFeetY);
  cairo_line_to(cr, 500, kStageY);
  cairo_line_to(cr, 300, kStageY);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, gold);
  cairo_move_to(cr, 440, kFeetY + 2);
  cairo_line_to(cr, 480, kFeetY + 2);
  cairo_line_to(cr, 499, kStageY - 2);
  cairo_line_to(cr, 455, kStageY - 2);
  cairo_close_path(cr);
  SetColor(cr, Darker(gold, 0.2));
  cairo_fill(cr);
  artkit::RoundedRectPath(cr, 310, kFeetY, 180, 12, 4);
  kInk.FillOutlined(cr, Lighter(gold, 0.25));
}

// A ribbon across the front of the stage, `halfWidth` to either side of the middle, its tails
// folded behind.
void Banner(cairo_t* cr, Color ribbon, double halfWidth) {
  constexpr double kTop = kBannerTop, kBottom = kBannerBottom;
  const double left = 400 - halfWidth, right = 400 + halfWidth;
  for (double side : {-1.0, 1.0}) {
    double inner = 400 + side * (halfWidth - 20), outer = 400 + side * (halfWidth + 52);
    cairo_move_to(cr, inner, kTop + 14);
    cairo_line_to(cr, outer, kTop + 14);
    cairo_line_to(cr, outer - side * 22, (kTop + kBottom) / 2 + 14);
    cairo_line_to(cr, outer, kBottom + 14);
    cairo_line_to(cr, inner, kBottom + 14);
    cairo_close_path(cr);
    kInk.FillOutlined(cr, Darker(ribbon, 0.3));
  }
  cairo_move_to(cr, left, kTop);
  cairo_curve_to(cr, left + 110, kTop - 8, right - 110, kTop - 8, right, kTop);
  cairo_line_to(cr, right, kBottom);
  cairo_curve_to(cr, right - 110, kBottom - 8, left + 110, kBottom - 8, left, kBottom);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, ribbon);
}

// The verdict written on the ribbon.
void Verdict(cairo_t* cr, const char* words, Color lettering) {
  OutlinedText(cr, words, 400, kBannerBottom - 14, 46, lettering, kInk.ink, 4);
}

// The words on the boards under the banner.
void Lines(cairo_t* cr, const char* line) {
  OutlinedText(cr, line, 400, 515, 26, kIvory, kInk.ink, 3);
  OutlinedText(cr, "Pulsa una tecla", 400, 550, 22, Rgb(0xffe27a), kInk.ink, 3);
}

void Winner(cairo_t* cr) {
  Curtains(cr);
  Boards(cr);
  Frame(cr);
  Tassels(cr);
  // The opening's rim, then the opening itself: fully clear from the top edge to the feet.
  OpeningPath(cr);
  kInk.Stroke(cr, kInk.ink, 6);
  OpeningPath(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  Podium(cr);
  OutlinedText(cr, "1", 400, kFeetY + 74, 54, kIvory, kInk.ink, 3);
  // Dark, so that the winner's name reads on it in any player's colour.
  Banner(cr, Rgb(0x2e2040), 270);
  Lines(cr, "¡La horda se queda con hambre!");
}

// Where the two closed curtains meet, with a scalloped pelmet over both.
void ClosedCurtains(cairo_t* cr) {
  cairo_move_to(cr, 400, 0);
  cairo_line_to(cr, 400, kStageY);
  kInk.Stroke(cr, Darker(kVelvet, 0.6), 5);
  constexpr double kPelmet = 46, kScallop = 50;
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, kPanelWidth, 0);
  cairo_line_to(cr, kPanelWidth, kPelmet);
  for (double x = kPanelWidth; x > 0; x -= kScallop) {
    cairo_curve_to(cr, x - 10, kPelmet + 22, x - kScallop + 10, kPelmet + 22, x - kScallop,
                   kPelmet);
  }
  cairo_close_path(cr);
  kInk.FillOutlined(cr, Darker(kVelvet, 0.25));
  cairo_move_to(cr, 0, kPelmet - 14);
  cairo_line_to(cr, kPanelWidth, kPelmet - 14);
  kInk.Stroke(cr, kGold, 6);
}

// A rotting hand pushed through the curtains: a torn sleeve from the seam, palm and fingers.
void Hand(cairo_t* cr, double x, double y, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, 1.3, 1.3);
  for (int finger = 0; finger < 4; ++finger) {
    const double spread = (finger - 1.5) * 0.32;
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 34 * std::cos(spread) + 8, 34 * std::sin(spread));
  }
  cairo_move_to(cr, -4, 8);
  cairo_line_to(cr, 14, 24);  // the thumb
  OutlinedStroke(cr, kZombieSkin, 9, kInk);
  cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
  kInk.FillOutlined(cr, kZombieSkin);
  cairo_move_to(cr, -44, -14);
  cairo_line_to(cr, -12, -16);
  cairo_line_to(cr, -16, -6);
  cairo_line_to(cr, -10, 2);
  cairo_line_to(cr, -14, 12);
  cairo_line_to(cr, -44, 14);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, Rgb(0x4a4f63));
  cairo_restore(cr);
}

void Draw(cairo_t* cr) {
  Curtains(cr);
  ClosedCurtains(cr);
  Boards(cr);
  Frame(cr);
  Hand(cr, 452, 130, -0.25);
  Hand(cr, 348, 212, M_PI + 0.2);
  Podium(cr);
  Skull(cr, 400, kFeetY - 30, 56, kInk);
  Bone(cr, 400, kFeetY + 46, 70, 0.5, kInk);
  Bone(cr, 400, kFeetY + 46, 70, -0.5, kInk);
  Banner(cr, Rgb(0x4f7a2e), 210);
  Verdict(cr, "¡EMPATE!", Rgb(0xd8f08a));
  Lines(cr, "La horda se los comió a todos");
}

}  // namespace

void AddWinner(Pictures& out) {
  out.push_back({"ganador.png", kPanelWidth, kScreenHeight, Winner});
}

void AddDraw(Pictures& out) {
  out.push_back({"empate.png", kPanelWidth, kScreenHeight, Draw});
}

}  // namespace scenegen
