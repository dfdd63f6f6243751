// "kestro.png", the start-up picture: a grinning skull gnawing a bone over the game's name.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Depth kInk{Rgb(0), 0, 4, Rgb(0x140c18)};
const Color kIvory = Rgb(0xf1e8cf);

void Backdrop(cairo_t* cr) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(400, 260, 40, 400, 300, 520);
  cairo_pattern_add_color_stop_rgb(glow, 0, 0.42, 0.2, 0.48);
  cairo_pattern_add_color_stop_rgb(glow, 1, 0.06, 0.03, 0.1);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  Rng rng(0x5EED);
  for (int i = 0; i < 14; ++i) {
    double angle = i * 2 * M_PI / 14 + rng.Uniform(-0.05, 0.05);
    cairo_move_to(cr, 400, 250);
    cairo_line_to(cr, 400 + 700 * std::cos(angle - 0.06), 250 + 700 * std::sin(angle - 0.06));
    cairo_line_to(cr, 400 + 700 * std::cos(angle + 0.06), 250 + 700 * std::sin(angle + 0.06));
    cairo_close_path(cr);
  }
  cairo_set_source_rgba(cr, 1, 0.85, 0.6, 0.07);
  cairo_fill(cr);
}

void Cranium(cairo_t* cr) {
  cairo_move_to(cr, 300, 300);
  cairo_curve_to(cr, 250, 260, 255, 110, 400, 100);
  cairo_curve_to(cr, 545, 110, 550, 260, 500, 300);
  cairo_line_to(cr, 480, 318);
  cairo_line_to(cr, 320, 318);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, kIvory);
  cairo_move_to(cr, 470, 130);
  cairo_curve_to(cr, 530, 170, 525, 260, 490, 300);
  cairo_line_to(cr, 480, 318);
  cairo_line_to(cr, 450, 318);
  cairo_curve_to(cr, 500, 250, 500, 180, 470, 130);
  cairo_close_path(cr);
  SetColor(cr, Darker(kIvory, 0.18));
  cairo_fill(cr);
  for (double side : {-1.0, 1.0}) {
    artkit::EllipsePath(cr, 400 + side * 52, 215, 36, 40);
    kInk.FillOutlined(cr, Rgb(0x1c1020));
    cairo_arc(cr, 400 + side * 48, 222, 10, 0, 2 * M_PI);
    SetColor(cr, Rgb(0xff4a3a));
    cairo_fill(cr);
    cairo_arc(cr, 400 + side * 45, 218, 3.5, 0, 2 * M_PI);
    SetColor(cr, Rgb(0xffe0c0));
    cairo_fill(cr);
  }
  cairo_move_to(cr, 400, 250);
  cairo_line_to(cr, 386, 280);
  cairo_line_to(cr, 414, 280);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, Rgb(0x1c1020));
  cairo_move_to(cr, 430, 120);
  cairo_line_to(cr, 420, 140);
  cairo_line_to(cr, 436, 152);
  cairo_line_to(cr, 428, 170);
  kInk.Stroke(cr, Rgb(0x1c1020), 3);
}

void Teeth(cairo_t* cr, double top, double height, bool upper) {
  for (int i = 0; i < 7; ++i) {
    double x = 323 + i * 22;
    artkit::RoundedRectPath(cr, x, top, 22, height, 6);
    kInk.FillOutlined(cr, upper && (i == 1 || i == 5) ? Rgb(0xffe27a) : kIvory);
  }
}

void Jaw(cairo_t* cr) {
  cairo_move_to(cr, 315, 350);
  cairo_curve_to(cr, 318, 400, 350, 412, 400, 412);
  cairo_curve_to(cr, 450, 412, 482, 400, 485, 350);
  cairo_close_path(cr);
  kInk.FillOutlined(cr, kIvory);
  Teeth(cr, 334, 26, false);
}

void Title(cairo_t* cr) {
  OutlinedText(cr, "SKULLGNAWER", 404, 514, 78, Rgb(0xb01e2a), Rgb(0xb01e2a), 6);
  OutlinedText(cr, "SKULLGNAWER", 400, 508, 78, kIvory, Rgb(0x140c18), 5);
  OutlinedText(cr, "¡que no te coman!", 400, 560, 26, Rgb(0xffd86a), Rgb(0x140c18), 3);
}

void Splash(cairo_t* cr) {
  Backdrop(cr);
  Cranium(cr);
  Teeth(cr, 312, 28, true);
  Bone(cr, 400, 356, 300, -0.06, kInk);
  Jaw(cr);
  Title(cr);
}

}  // namespace

void AddSplash(Pictures& out) {
  out.push_back({"kestro.png", kPanelWidth, kScreenHeight, Splash});
}

}  // namespace scenegen
