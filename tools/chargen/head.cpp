// Heads seen from the side, facing +x, turning about the neck joint at (0, 0): the face, the
// hair and (players) the hat that tells the puppets apart.
#include <cmath>

#include "artkit.h"
#include "parts.h"
#include "style.h"

namespace chargen {

namespace {

constexpr double kCentreX = 2;
constexpr double kCentreY = -16;
constexpr double kRadius = 15;
constexpr double kDeg = M_PI / 180;
constexpr uint32_t kWhite = 0xFFF8F4EA;
constexpr uint32_t kMouth = 0xFF5A1624;
constexpr uint32_t kStar = 0xFFFFD83A;

PathFn Circle(double x, double y, double r) {
  return [=](cairo_t* c) {
    cairo_new_sub_path(c);
    cairo_arc(c, x, y, r, 0, 2 * M_PI);
  };
}

PathFn Ellipse(double x, double y, double rx, double ry) {
  return [=](cairo_t* c) {
    cairo_save(c);
    cairo_translate(c, x, y);
    cairo_scale(c, rx, ry);
    cairo_new_sub_path(c);
    cairo_arc(c, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(c);
  };
}

// The hair cap: from the lower back of the skull over the top to the forehead.
void CapPath(cairo_t* c, double grow, double fringe) {
  const double r = kRadius + grow;
  cairo_arc(c, kCentreX, kCentreY, r, 135 * kDeg, (320 + fringe) * kDeg);
  cairo_curve_to(c, kCentreX + 6, kCentreY - 8, kCentreX - 2, kCentreY - 6, kCentreX - 5,
                 kCentreY - 2);
  cairo_curve_to(c, kCentreX - 8, kCentreY + 2, kCentreX - 8, kCentreY + 8,
                 kCentreX + r * std::cos(135 * kDeg), kCentreY + r * std::sin(135 * kDeg));
  cairo_close_path(c);
}

void Spikes(cairo_t* cr, uint32_t colour, double from, double to, int count, double length) {
  PaintFlat(
      cr,
      [=](cairo_t* c) {
        for (int i = 0; i < count; ++i) {
          const double a = (from + (to - from) * (i + 0.5) / count) * kDeg;
          const double spread = (to - from) / count / 2 * kDeg;
          cairo_move_to(c, kCentreX + kRadius * std::cos(a - spread),
                        kCentreY + kRadius * std::sin(a - spread));
          cairo_line_to(c, kCentreX + (kRadius + length) * std::cos(a),
                        kCentreY + (kRadius + length) * std::sin(a));
          cairo_line_to(c, kCentreX + kRadius * std::cos(a + spread),
                        kCentreY + kRadius * std::sin(a + spread));
          cairo_close_path(c);
        }
      },
      colour);
}

void Hair(cairo_t* cr, const Look& look, const Palette& p) {
  const std::string& style = look.hairStyle;
  const PathFn cap = [](cairo_t* c) { CapPath(c, 2, 0); };
  if (style == "bald") return;
  if (style == "long") {
    PaintShaded(
        cr,
        [](cairo_t* c) {
          cairo_move_to(c, kCentreX - kRadius - 2, kCentreY - 2);
          cairo_curve_to(c, kCentreX - kRadius - 5, kCentreY + 12, kCentreX - 14, kCentreY + 22,
                         kCentreX - 6, kCentreY + 20);
          cairo_line_to(c, kCentreX - 4, kCentreY);
          cairo_close_path(c);
        },
        p.hair, 2, 0);
  }
  if (style == "bun") PaintShaded(cr, Circle(kCentreX - 12, kCentreY - 11, 6.5), p.hair, 2, 0);
  if (style == "mohawk") {
    Spikes(cr, p.hair, 190, 330, 5, 9);
    return;
  }
  if (style == "combover") {
    PaintShaded(
        cr, [](cairo_t* c) { CapPath(c, 1, -25); }, p.hair, 2, 1);
    for (int i = 0; i < 3; ++i)
      InkLine(cr, kCentreX - 9 + i * 4, kCentreY - 11 - i, kCentreX - 3 + i * 5, kCentreY - 14 - i,
              1);
    return;
  }
  if (style == "curly") {
    for (int a = 140; a <= 320; a += 30) {
      PaintShaded(cr,
                  Circle(kCentreX + (kRadius - 1) * std::cos(a * kDeg),
                         kCentreY + (kRadius - 1) * std::sin(a * kDeg), 5.2),
                  p.hair, 1.5, 0);
    }
    return;
  }
  if (style == "spiky") Spikes(cr, p.hair, 170, 320, 5, 7);
  PaintShaded(cr, cap, p.hair, 2, 1);
}

void Hat(cairo_t* cr, const Look& look, const Palette& p) {
  if (look.hatStyle == "cap") {
    PaintShaded(
        cr,
        [](cairo_t* c) {
          cairo_move_to(c, kCentreX + 10, kCentreY - 6);
          cairo_line_to(c, kCentreX + 26, kCentreY - 3);
          cairo_curve_to(c, kCentreX + 27, kCentreY - 1, kCentreX + 25, kCentreY + 0, kCentreX + 22,
                         kCentreY - 0.5);
          cairo_line_to(c, kCentreX + 8, kCentreY - 2);
          cairo_close_path(c);
        },
        p.accent, 0, -1.5);
    PaintShaded(
        cr,
        [](cairo_t* c) {
          cairo_arc(c, kCentreX, kCentreY - 2, kRadius + 2, 180 * kDeg, 360 * kDeg);
          cairo_close_path(c);
        },
        p.hat, 3, 0);
    PaintFlat(cr, Circle(kCentreX, kCentreY - kRadius - 4, 2.2), p.accent);
  } else if (look.hatStyle == "beanie") {
    PaintShaded(
        cr,
        [](cairo_t* c) {
          cairo_arc(c, kCentreX - 1, kCentreY - 3, kRadius + 2.5, 165 * kDeg, 375 * kDeg);
          cairo_close_path(c);
        },
        p.hat, 3, 0);
    PaintShaded(
        cr,
        [](cairo_t* c) {
          cairo_move_to(c, kCentreX - kRadius - 3, kCentreY - 6);
          cairo_line_to(c, kCentreX + kRadius + 1, kCentreY - 2);
          cairo_line_to(c, kCentreX + kRadius, kCentreY + 4);
          cairo_line_to(c, kCentreX - kRadius - 3.5, kCentreY + 0);
          cairo_close_path(c);
        },
        p.accent, 0, -1.5);
    PaintShaded(cr, Circle(kCentreX - 3, kCentreY - kRadius - 7, 5), p.accent, 1.5, 0);
  } else if (look.hatStyle == "headband") {
    const PathFn head = Circle(kCentreX, kCentreY, kRadius);
    PaintInside(
        cr, head,
        [](cairo_t* c) {
          cairo_move_to(c, -30, kCentreY - 10);
          cairo_line_to(c, 30, kCentreY - 5);
          cairo_line_to(c, 30, kCentreY + 1);
          cairo_line_to(c, -30, kCentreY - 4);
          cairo_close_path(c);
        },
        p.hat);
    PaintFlat(
        cr,
        [](cairo_t* c) {
          cairo_move_to(c, kCentreX - kRadius + 1, kCentreY - 8);
          cairo_line_to(c, kCentreX - kRadius - 9, kCentreY - 2);
          cairo_line_to(c, kCentreX - kRadius - 7, kCentreY + 3);
          cairo_line_to(c, kCentreX - kRadius + 1, kCentreY - 3);
          cairo_close_path(c);
        },
        p.hat);
  }
}

void Star(cairo_t* cr, double x, double y, double r) {
  PaintFlat(
      cr,
      [=](cairo_t* c) {
        for (int i = 0; i < 10; ++i) {
          const double a = (-90 + i * 36) * kDeg;
          const double d = (i % 2 == 0) ? r : r * 0.45;
          if (i == 0)
            cairo_move_to(c, x + d * std::cos(a), y + d * std::sin(a));
          else
            cairo_line_to(c, x + d * std::cos(a), y + d * std::sin(a));
        }
        cairo_close_path(c);
      },
      kStar);
}

void Eye(cairo_t* cr, const Look& look, Face face) {
  const double ex = kCentreX + 8, ey = kCentreY - 2;
  if (face == Face::kDead) {
    InkLine(cr, ex - 3, ey - 3, ex + 3, ey + 3, 2);
    InkLine(cr, ex - 3, ey + 3, ex + 3, ey - 3, 2);
    return;
  }
  if (face == Face::kHurt) {  // squeezed shut
    InkLine(cr, ex + 3, ey - 3, ex - 2, ey, 2);
    InkLine(cr, ex - 2, ey, ex + 3, ey + 3, 2);
    return;
  }
  if (look.zombie)
    PaintInside(cr, Circle(kCentreX, kCentreY, kRadius), Ellipse(ex, ey, 6, 6.5), Shade(look.skin));
  const double grow = face == Face::kShout ? 1.2 : 1;
  PaintFlat(cr, Ellipse(ex, ey, 3.6 * grow, 4.6 * grow), kWhite);
  const double pupil = look.zombie ? 1.1 : 1.9;
  PaintInside(cr, Ellipse(ex, ey, 3.6 * grow, 4.6 * grow), Circle(ex + 1.5, ey + 0.5, pupil), kInk);
  // Brows: zombies frown, players look eager.
  if (look.zombie)
    InkLine(cr, ex - 4, ey - 8, ex + 4, ey - 5, 2.2);
  else
    InkLine(cr, ex - 3, ey - 8, ex + 4, ey - 8.5, 2);
}

void Mouth(cairo_t* cr, const Look& look, Face face) {
  const double mx = kCentreX + 10, my = kCentreY + 8;
  if (face == Face::kShout || (look.zombie && face == Face::kNormal)) {
    // Zombies gape a little lower and further back, with two crooked teeth.
    const double zx = look.zombie ? mx - 1.5 : mx, zy = look.zombie ? my + 1.5 : my;
    const double open = face == Face::kShout ? 4.2 : 3;
    PaintFlat(cr, Ellipse(zx, zy, 4.3, open), kMouth);
    if (look.zombie) {
      cairo_new_path(cr);
      cairo_rectangle(cr, zx - 2.6, zy - open + 0.6, 2.2, 2.4);
      cairo_rectangle(cr, zx + 0.8, zy - open + 0.6, 2.2, 2.0);
      artkit::SetColor(cr, kWhite);
      cairo_fill(cr);
    }
    return;
  }
  if (face == Face::kDead) {  // tongue out
    PaintFlat(cr, Ellipse(mx + 1, my + 3, 2.5, 3.5), 0xFFE0606E);
  }
  cairo_new_path(cr);
  if (face == Face::kHurt || face == Face::kDead) {
    cairo_move_to(cr, mx - 4, my);
    cairo_curve_to(cr, mx - 2, my - 2, mx, my + 2, mx + 3, my - 1);
  } else {
    cairo_move_to(cr, mx - 4, my - 1);
    cairo_curve_to(cr, mx - 2, my + 2.5, mx + 1, my + 2.5, mx + 3, my - 0.5);
  }
  artkit::SetColor(cr, kInk);
  cairo_set_line_width(cr, kDetailWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

}  // namespace

Graph DrawHead(const Look& look, const Palette& p, Face face) {
  return RenderGraph({-22, -46, 30, 6}, [&](cairo_t* cr) {
    PaintShaded(
        cr, [](cairo_t* c) { cairo_rectangle(c, -4, -6, 8, 10); }, p.skin, 2, 0);
    if (look.hairStyle == "long" || look.hairStyle == "bun") Hair(cr, look, p);
    PaintShaded(cr, Circle(kCentreX, kCentreY, kRadius), p.skin, 3, -1);
    PaintFlat(cr, Circle(kCentreX + kRadius - 0.5, kCentreY + 2, 3), p.skin);  // nose
    PaintFlat(cr, Circle(kCentreX - 3, kCentreY + 1, 3.8), p.skin);            // ear
    if (look.zombie) {
      // Stitches across the skull.
      InkLine(cr, kCentreX - 8, kCentreY - 9, kCentreX + 2, kCentreY - 12, 1.2);
      for (int i = 0; i < 4; ++i) {
        const double x = kCentreX - 7 + i * 3;
        InkLine(cr, x, kCentreY - 11.5 - i * 0.7, x + 0.6, kCentreY - 8 - i * 0.7, 1);
      }
    }
    if (look.hairStyle != "long" && look.hairStyle != "bun")
      Hair(cr, look, p);
    else
      PaintShaded(
          cr, [](cairo_t* c) { CapPath(c, 2, 0); }, p.hair, 2, 1);
    Hat(cr, look, p);
    Eye(cr, look, face);
    Mouth(cr, look, face);
    if (face == Face::kHurt) {
      Star(cr, kCentreX - 11, kCentreY - 25, 5.5);
      Star(cr, kCentreX + 12, kCentreY - 27, 4.5);
    }
  });
}

}  // namespace chargen
