// "ganador.png": rises over the black play field around the lone survivor standing at (400, 300).
// A bony frame, a banner, a podium under the survivor's feet and confetti; the middle stays clear.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Depth kInk{Rgb(0), 0, 3, Rgb(0x140c18)};
const Color kIvory = Rgb(0xf1e8cf);
constexpr double kFeetY = 300;
constexpr double kClearLeft = 280, kClearRight = 520, kClearTop = 150;

void Frame(cairo_t* cr) {
  artkit::RoundedRectPath(cr, 14, 14, 772, 572, 26);
  artkit::RoundedRectPath(cr, 40, 40, 720, 520, 14);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  kInk.FillOutlined(cr, Rgb(0x5a2a6a));
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (double x = 80; x < 740; x += 80) {
    Bone(cr, x, 27, 46, 0, kInk);
    Bone(cr, x, 573, 46, 0, kInk);
  }
  for (double y = 100; y < 540; y += 80) {
    Bone(cr, 27, y, 46, M_PI / 2, kInk);
    Bone(cr, 773, y, 46, M_PI / 2, kInk);
  }
  for (double x : {36.0, 764.0})
    for (double y : {36.0, 564.0}) Skull(cr, x, y, 58, kInk);
}

void Banner(cairo_t* cr) {
  Color red = Rgb(0xc8282e);
  for (double side : {-1.0, 1.0}) {
    double inner = 400 + side * 200, outer = 400 + side * 270;
    cairo_move_to(cr, inner, 78);
    cairo_line_to(cr, outer, 78);
    cairo_line_to(cr, outer - side * 24, 110);
    cairo_line_to(cr, outer, 142);
    cairo_line_to(cr, inner, 142);
    cairo_close_path(cr);
    kInk.FillOutlined(cr, Darker(red, 0.3));
  }
  cairo_move_to(cr, 180, 62);
  cairo_curve_to(cr, 300, 52, 500, 52, 620, 62);
  cairo_line_to(cr, 620, 128);
  cairo_curve_to(cr, 500, 118, 300, 118, 180, 128);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, red);
  OutlinedText(cr, "¡GANADOR!", 400, 112, 54, Rgb(0xffe27a), Rgb(0x140c18), 4);
}

void Podium(cairo_t* cr) {
  Color gold = Rgb(0xe8b23a);
  cairo_move_to(cr, 320, kFeetY);
  cairo_line_to(cr, 480, kFeetY);
  cairo_line_to(cr, 500, kFeetY + 90);
  cairo_line_to(cr, 300, kFeetY + 90);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, gold);
  cairo_move_to(cr, 440, kFeetY + 2);
  cairo_line_to(cr, 480, kFeetY + 2);
  cairo_line_to(cr, 499, kFeetY + 88);
  cairo_line_to(cr, 455, kFeetY + 88);
  cairo_close_path(cr);
  SetColor(cr, Darker(gold, 0.2));
  cairo_fill(cr);
  artkit::RoundedRectPath(cr, 310, kFeetY, 180, 12, 4);
  kInk.FillOutlined(cr, Lighter(gold, 0.25));
  OutlinedText(cr, "1", 400, kFeetY + 72, 54, kIvory, Rgb(0x140c18), 3);
}

void Confetti(cairo_t* cr) {
  Rng rng(0x6A7AD0);
  const Color colours[] = {Rgb(0xe03a32), Rgb(0x2f56d0), Rgb(0x49c24a), Rgb(0xffe23c),
                           Rgb(0xff7ad0)};
  for (int placed = 0; placed < 70;) {
    double x = rng.Uniform(60, 740), y = rng.Uniform(150, 540);
    Color colour = colours[rng.Int(0, 4)];
    double angle = rng.Uniform(0, M_PI);
    bool inMiddle = x > kClearLeft - 20 && x < kClearRight + 20 && y > kClearTop - 20 && y < 400;
    bool onText = y > 420 && y < 490 && x > 140 && x < 660;
    if (inMiddle || onText) continue;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_rectangle(cr, -7, -3.5, 14, 7);
    Depth thin{Rgb(0), 0, 1.5, Rgb(0x140c18)};
    thin.FillOutlined(cr, colour);
    cairo_restore(cr);
    ++placed;
  }
}

void Winner(cairo_t* cr) {
  Confetti(cr);
  Frame(cr);
  Banner(cr);
  Podium(cr);
  OutlinedText(cr, "¡La horda se queda con hambre!", 400, 460, 28, kIvory, Rgb(0x140c18), 3);
  OutlinedText(cr, "Pulsa una tecla", 400, 530, 24, Rgb(0xffe27a), Rgb(0x140c18), 3);
}

}  // namespace

void AddWinner(Pictures& out) {
  out.push_back({"ganador.png", kPanelWidth, kScreenHeight, Winner});
}

}  // namespace scenegen
