// Torso, hips and limbs. Every part is drawn in bone space: the joint it turns about is (0, 0),
// limbs hang along +y, the torso rises along -y and the character faces +x.
#include <cmath>

#include "artkit.h"
#include "parts.h"
#include "style.h"

namespace chargen {

namespace {

constexpr double kTorsoLength = 34;  // pelvis joint to neck
constexpr double kUpperArmLength = 16;
constexpr double kLowerArmLength = 14;
constexpr double kThighLength = 24;
constexpr double kShinLength = 22;
// Light falls from the front and above: the shaded crescent sits on the back of each part.
constexpr double kShadeShift = 3;

// A zig-zag edge from (x0, y) to (x1, y): the torn hem of zombie clothes.
void TornEdge(cairo_t* cr, double x0, double x1, double y, double depth) {
  const int teeth = std::max(2, static_cast<int>(std::abs(x1 - x0) / 5));
  for (int i = 1; i <= teeth; ++i) {
    const double x = x0 + (x1 - x0) * i / teeth;
    const double dip = (i % 2 == 1) ? depth : -depth * 0.3;
    cairo_line_to(cr, x - (x1 - x0) / teeth / 2, y + dip);
    cairo_line_to(cr, x, y);
  }
}

struct TorsoShape {
  double hip, shoulder, belly;
  bool torn;
  void operator()(cairo_t* cr) const {
    cairo_move_to(cr, -hip, 5);
    if (torn)
      TornEdge(cr, -hip, hip, 5, 4);
    else
      cairo_line_to(cr, hip, 5);
    cairo_curve_to(cr, hip + belly, -6, shoulder + belly * 0.5, -20, shoulder, -28);
    cairo_curve_to(cr, shoulder, -33, shoulder - 4, -kTorsoLength - 1, 0, -kTorsoLength - 1);
    cairo_curve_to(cr, -shoulder + 4, -kTorsoLength - 1, -shoulder, -33, -shoulder, -28);
    cairo_curve_to(cr, -shoulder - 1, -18, -hip - 1, -6, -hip, 5);
    cairo_close_path(cr);
  }
};

void TorsoPattern(cairo_t* cr, const Look& look, const Palette& p, const TorsoShape& shape) {
  const double front = shape.shoulder + shape.belly * 0.5;
  auto fill = [&](const PathFn& path, uint32_t colour) { PaintInside(cr, shape, path, colour); };
  if (look.pattern == "stripes") {
    fill(
        [](cairo_t* c) {
          for (int y = -31; y < 8; y += 8) cairo_rectangle(c, -30, y, 60, 3.5);
        },
        p.accent);
  } else if (look.pattern == "dots") {
    fill(
        [](cairo_t* c) {
          for (int row = 0; row < 6; ++row)
            for (int x = -16 + (row % 2) * 4; x < 20; x += 8) {
              cairo_new_sub_path(c);
              cairo_arc(c, x, -30 + row * 6.5, 2.2, 0, 2 * M_PI);
            }
        },
        p.accent);
  } else if (look.pattern == "chevron") {
    fill(
        [](cairo_t* c) {
          cairo_move_to(c, -20, -28);
          cairo_line_to(c, 2, -14);
          cairo_line_to(c, 24, -28);
          cairo_line_to(c, 24, -20);
          cairo_line_to(c, 2, -6);
          cairo_line_to(c, -20, -20);
          cairo_close_path(c);
        },
        p.accent);
  } else if (look.pattern == "tie") {
    fill(
        [&](cairo_t* c) {
          cairo_move_to(c, front - 7, -kTorsoLength);
          cairo_line_to(c, front - 3, -kTorsoLength);
          cairo_line_to(c, front - 2, -10);
          cairo_line_to(c, front - 5, -6);
          cairo_line_to(c, front - 8, -10);
          cairo_close_path(c);
        },
        p.accent);
  } else if (look.pattern == "vest") {
    fill(
        [](cairo_t* c) {
          cairo_rectangle(c, -30, -16, 60, 4);
          cairo_rectangle(c, -30, -8, 60, 4);
        },
        p.accent);
  } else if (look.pattern == "apron") {
    fill([&](cairo_t* c) { cairo_rectangle(c, front - 9, -24, 30, 32); }, p.accent);
  } else if (look.pattern == "zip") {
    fill([](cairo_t* c) { cairo_rectangle(c, -4, -36, 3, 44); }, p.accent);
  }
}

// Rips in zombie clothes show the grey-green skin underneath.
void Holes(cairo_t* cr, const Palette& p, const PathFn& clip,
           std::initializer_list<std::array<double, 3>> holes) {
  for (const auto& [x, y, r] : holes) {
    PaintInside(
        cr, clip,
        // Copied in: clang 14 cannot capture structured bindings yet.
        [x = x, y = y, r = r](cairo_t* c) {
          cairo_new_sub_path(c);
          cairo_save(c);
          cairo_translate(c, x, y);
          cairo_scale(c, 1, 0.7);
          cairo_arc(c, 0, 0, r, 0, 2 * M_PI);
          cairo_restore(c);
        },
        p.skin);
  }
}

void Capsule(cairo_t* cr, uint32_t colour, double length, double r0, double r1) {
  PaintShaded(
      cr, [=](cairo_t* c) { CapsulePath(c, 0, 0, r0, 0, length, r1); }, colour, kShadeShift, 0);
}

// A limb of skin with a sleeve or trouser leg over its upper part, ending at `cover` (the whole
// length when cover >= length); torn clothes end in a ragged edge.
void CoveredLimb(cairo_t* cr, const Look& look, uint32_t cloth, uint32_t skin, double length,
                 double r0, double r1, double cover) {
  const PathFn limb = [=](cairo_t* c) { CapsulePath(c, 0, 0, r0, 0, length, r1); };
  PaintShaded(cr, limb, skin, kShadeShift, 0);
  if (cover <= 0) return;
  cairo_save(cr);
  cairo_new_path(cr);
  limb(cr);
  cairo_clip(cr);
  const PathFn sleeve = [=](cairo_t* c) {
    cairo_move_to(c, -20, -20);
    cairo_line_to(c, 20, -20);
    cairo_line_to(c, 20, cover);
    if (look.zombie)
      TornEdge(c, 20, -20, cover, 3);
    else
      cairo_line_to(c, -20, cover);
    cairo_close_path(c);
  };
  PaintShaded(cr, sleeve, cloth, kShadeShift, 0);
  cairo_restore(cr);
  cairo_new_path(cr);
  limb(cr);
  artkit::SetColor(cr, kInk);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
}

}  // namespace

Graph DrawTorso(const Look& look, const Palette& p) {
  const TorsoShape shape{10 * look.build, 11 * look.build, look.belly, look.zombie};
  const double width = shape.shoulder + shape.belly + 2;
  return RenderGraph({-width, -kTorsoLength - 2, width, 10}, [&](cairo_t* cr) {
    PaintShaded(cr, shape, p.shirt, kShadeShift, -1);
    TorsoPattern(cr, look, p, shape);
    if (look.zombie) Holes(cr, p, shape, {{-4, -12, 3.5}, {5, -24, 2.5}});
    cairo_new_path(cr);
    shape(cr);
    artkit::SetColor(cr, kInk);
    cairo_set_line_width(cr, kOutlineWidth);
    cairo_stroke(cr);
    // Collar: a dark notch where the neck leaves the shirt.
    InkLine(cr, 2, -kTorsoLength + 1, 6, -kTorsoLength + 5, kDetailWidth);
  });
}

Graph DrawPelvis(const Look& look, const Palette& p) {
  const double half = 10 * look.build + 0.5;
  const double low = look.skirt ? 18 : 9;
  const double flare = look.skirt ? 5 : 0;
  const PathFn shape = [=](cairo_t* c) {
    cairo_move_to(c, -half, -6);
    cairo_line_to(c, half, -6);
    cairo_line_to(c, half + flare, low - 3);
    cairo_curve_to(c, half + flare, low, half + flare - 3, low, half + flare - 3, low);
    cairo_line_to(c, -half - flare + 3, low);
    cairo_curve_to(c, -half - flare, low, -half - flare, low, -half - flare, low - 3);
    cairo_close_path(c);
  };
  return RenderGraph({-half - flare, -7, half + flare, low + 1}, [&](cairo_t* cr) {
    PaintShaded(cr, shape, p.trousers, kShadeShift, 0);
    PaintInside(
        cr, shape, [=](cairo_t* c) { cairo_rectangle(c, -30, -6, 60, 3); }, Shade(p.trousers));
  });
}

Graph DrawUpperArm(const Look& look, const Palette& p) {
  const double r = 5.2 * look.limbs;
  return RenderGraph({-r, -r, r, kUpperArmLength + r}, [&](cairo_t* cr) {
    CoveredLimb(cr, look, p.shirt, p.skin, kUpperArmLength, r, r * 0.85, look.zombie ? 10 : 40);
  });
}

Graph DrawLowerArm(const Look& look, const Palette& p) {
  const double r = 4.3 * look.limbs;
  return RenderGraph({-r, -r, r, kLowerArmLength + r}, [&](cairo_t* cr) {
    if (look.zombie) {
      Capsule(cr, p.skin, kLowerArmLength, r, r * 0.85);
      InkLine(cr, -1.5, 4, 1.5, 8, kDetailWidth);  // a scratch
    } else {
      CoveredLimb(cr, look, p.shirt, p.skin, kLowerArmLength, r, r * 0.85, 3);
    }
  });
}

Graph DrawHand(const Look& look, const Palette& p) {
  return RenderGraph({-7, -4, 8, 12}, [&](cairo_t* cr) {
    if (look.zombie) {
      // Claws: three bony fingers reaching forward.
      for (int i = 0; i < 3; ++i) {
        const double x = -2.5 + i * 2.6;
        PaintFlat(
            cr, [=](cairo_t* c) { CapsulePath(c, x, 3, 1.6, x + 1.2, 9.5, 1.1); }, p.skin);
      }
      PaintShaded(
          cr, [](cairo_t* c) { cairo_arc(c, 0, 3, 4.4, 0, 2 * M_PI); }, p.skin, 2, 0);
    } else {
      PaintShaded(
          cr, [](cairo_t* c) { cairo_arc(c, 0.5, 4.5, 5, 0, 2 * M_PI); }, p.skin, 2, 0);
      PaintFlat(
          cr, [](cairo_t* c) { cairo_arc(c, 4.2, 2.2, 2.3, 0, 2 * M_PI); }, p.skin);
    }
  });
}

Graph DrawThigh(const Look& look, const Palette& p) {
  const double r = 6.4 * look.limbs;
  return RenderGraph({-r, -r, r, kThighLength + r}, [&](cairo_t* cr) {
    if (look.skirt)
      Capsule(cr, p.skin, kThighLength, r * 0.85, r * 0.75);
    else
      Capsule(cr, p.trousers, kThighLength, r, r * 0.85);
  });
}

Graph DrawShin(const Look& look, const Palette& p) {
  const double r = 5.2 * look.limbs;
  return RenderGraph({-r, -r, r, kShinLength + r}, [&](cairo_t* cr) {
    const double cover = look.skirt ? 0 : (look.zombie ? 13 : 40);
    CoveredLimb(cr, look, p.trousers, p.skin, kShinLength, r, r * 0.85, cover);
  });
}

Graph DrawFoot(const Look& look, const Palette& p) {
  (void)look;
  const PathFn shoe = [](cairo_t* c) {
    cairo_move_to(c, -5, -4);
    cairo_line_to(c, 5, -4);
    cairo_curve_to(c, 10, -3, 14, -1, 14, 1.5);
    cairo_curve_to(c, 14, 3.5, 12, 4, 10, 4);
    cairo_line_to(c, -5, 4);
    cairo_curve_to(c, -7, 4, -7, -4, -5, -4);
    cairo_close_path(c);
  };
  return RenderGraph({-7, -5, 15, 5}, [&](cairo_t* cr) {
    PaintShaded(cr, shoe, p.shoes, 0, -2);
    PaintInside(
        cr, shoe, [](cairo_t* c) { cairo_rectangle(c, -8, 2, 24, 3); }, Shade(p.shoes));
    cairo_new_path(cr);
    shoe(cr);
    artkit::SetColor(cr, kInk);
    cairo_set_line_width(cr, kOutlineWidth);
    cairo_stroke(cr);
  });
}

}  // namespace chargen
