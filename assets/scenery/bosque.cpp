// "bosque": a haunted forest at dusk. Far: violet sky, moon, pale blue hills. Middle: pines and
// dead trees. Near: a grassy path over soil with buried bones, gravestones and a fence. In front:
// grass tufts, a fallen log, and now and then a dark trunk or fern sweeping past.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Color kHaze = Rgb(0xa7b3df);
const Depth kFar{kHaze, 0.55, 1.5};
const Depth kMiddle{kHaze, 0.3, 2};
const Depth kNear{kHaze, 0, 2.5};
const Depth kFront{kHaze, 0, 3};

constexpr uint64_t kSeed = 0xB05C;

void CrookedCastle(cairo_t* cr, double cx, double baseY, const Depth& depth) {
  Color wall = Rgb(0x3b3566), window = Rgb(0xffd36b);
  cairo_rectangle(cr, cx - 40, baseY - 50, 80, 60);
  depth.FillOutlined(cr, wall);
  for (double tower : {-40.0, 40.0}) {
    double h = tower < 0 ? 95 : 80;
    cairo_rectangle(cr, cx + tower - 12, baseY - h, 24, h + 10);
    depth.FillOutlined(cr, wall);
    cairo_move_to(cr, cx + tower - 17, baseY - h);
    cairo_line_to(cr, cx + tower + (tower < 0 ? 4 : -3), baseY - h - 38);
    cairo_line_to(cr, cx + tower + 17, baseY - h);
    cairo_close_path(cr);
    depth.FillOutlined(cr, Darker(wall, 0.2));
    cairo_rectangle(cr, cx + tower - 4, baseY - h + 18, 8, 12);
    depth.FillOutlined(cr, window);
  }
  cairo_rectangle(cr, cx - 8, baseY - 30, 16, 20);
  depth.FillOutlined(cr, window);
}

void SkyLayer(cairo_t* cr, int variant) {
  SkyGradient(cr, {{0, Rgb(0x241a45)},
                   {200, Rgb(0x5b3b7c)},
                   {360, Rgb(0xc9728a)},
                   {450, Rgb(0xf2b37e)},
                   {600, Rgb(0xf2b37e)}});
  Rng shared(kSeed + 40);
  Stars(cr, shared, 70, 260, Rgb(0xfff4c8));
  Ridge farHills(shared, 360, 3, 40);
  Ridge nearHills(shared, 425, 4, 22, 2);
  Rng rng(kSeed + 41 + variant);
  if (variant == 0) Moon(cr, rng.Uniform(420, 620), 120, 52, kFar);
  if (variant == 1)
    for (int i = 0; i < 5; ++i) {
      // Each draw is its own statement: the order of a call's arguments is the compiler's
      // choice, and the pictures must not depend on it. Last argument first, as always drawn.
      const double size = rng.Uniform(22, 34), y = rng.Uniform(90, 220), x = rng.Uniform(200, 600);
      Bat(cr, x, y, size, kFar);
    }
  if (variant == 2) {
    Cloud(cr, rng.Uniform(150, 300), 110, 170, Rgb(0x8c6fa8), kFar);
    Cloud(cr, rng.Uniform(500, 650), 190, 130, Rgb(0xb47c9c), kFar);
  }
  farHills.Path(cr, kScreenHeight);
  Depth distant{kHaze, 0.65, 1.5};
  distant.FillOutlined(cr, Rgb(0x5a5f9a));
  if (variant == 1) {
    double x = rng.Uniform(200, 320);
    CrookedCastle(cr, x, farHills.Y(x) + 8, distant);
  }
  nearHills.Path(cr, kScreenHeight);
  kFar.FillOutlined(cr, Rgb(0x43497f));
}

void Pine(cairo_t* cr, double cx, double baseY, double height, const Depth& depth) {
  Color leaves = Rgb(0x2f6b55), trunk = Rgb(0x5a4036);
  cairo_rectangle(cr, cx - height * 0.05, baseY - height * 0.25, height * 0.1, height * 0.25 + 10);
  depth.FillOutlined(cr, trunk);
  for (int tier = 0; tier < 3; ++tier) {
    double bottom = baseY - height * (0.18 + tier * 0.24), top = bottom - height * 0.42;
    double half = height * (0.3 - tier * 0.07);
    cairo_move_to(cr, cx - half, bottom);
    cairo_curve_to(cr, cx - half * 0.5, bottom - height * 0.05, cx - half * 0.2, top + 20, cx, top);
    cairo_curve_to(cr, cx + half * 0.2, top + 20, cx + half * 0.5, bottom - height * 0.05,
                   cx + half, bottom);
    cairo_curve_to(cr, cx + half * 0.3, bottom + 6, cx - half * 0.3, bottom + 6, cx - half, bottom);
    cairo_close_path(cr);
    depth.FillOutlined(cr, leaves);
    cairo_move_to(cr, cx, top + 4);
    cairo_curve_to(cr, cx + half * 0.2, top + 20, cx + half * 0.45, bottom - height * 0.05,
                   cx + half * 0.85, bottom);
    cairo_curve_to(cr, cx + half * 0.4, bottom + 3, cx + half * 0.1, bottom + 2, cx + half * 0.05,
                   bottom);
    cairo_close_path(cr);
    SetColor(cr, depth.Tint(Darker(leaves, 0.3)));
    cairo_fill(cr);
  }
}

// A bare tree: a bent trunk and forked branches, each a thick outlined stroke.
void DeadTree(cairo_t* cr, double cx, double baseY, double height, Rng& rng, const Depth& depth) {
  Color bark = Rgb(0x5c4a63);
  double lean = rng.Uniform(-30, 30), topX = cx + lean, topY = baseY - height;
  cairo_move_to(cr, cx, baseY + 10);
  cairo_curve_to(cr, cx, baseY - height * 0.4, topX - lean * 0.3, topY + height * 0.3, topX, topY);
  OutlinedStroke(cr, bark, height * 0.07, depth);
  for (int i = 0; i < 4; ++i) {
    double t = 0.35 + i * 0.15, side = i % 2 ? 1 : -1;
    double x = cx + lean * t * t, y = baseY - height * t;
    double length = height * rng.Uniform(0.2, 0.32);
    double endX = x + side * length, endY = y - length * rng.Uniform(0.3, 0.8);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + side * length * 0.4, y, endX - side * length * 0.2, endY + 10, endX,
                   endY);
    OutlinedStroke(cr, bark, height * 0.03, depth);
    cairo_move_to(cr, endX - side * length * 0.35, endY + length * 0.12);
    cairo_line_to(cr, endX - side * length * 0.15, endY - length * 0.3);
    OutlinedStroke(cr, bark, height * 0.018, depth);
  }
}

void MiddleLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 20 + variant);
  constexpr int kTrees = 5;
  for (int i = 0; i < kTrees; ++i) {
    double slot = kPanelWidth / double(kTrees);
    double x = slot * (i + 0.5) + rng.Uniform(-slot * 0.2, slot * 0.2);
    double height = rng.Uniform(190, 290);
    if (rng.Chance(0.6))
      Pine(cr, x, 430, height, kMiddle);
    else
      DeadTree(cr, x, 430, height * 0.9, rng, kMiddle);
  }
  Rng shared(kSeed + 20);
  Ridge bushes(shared, 418, 5, 10, 6);
  bushes.Path(cr, kScreenHeight);
  kMiddle.FillOutlined(cr, Rgb(0x2e5c58));
}

void Soil(cairo_t* cr) {
  Rng shared(kSeed);
  Ridge surface(shared, kGroundY, 2, 1.2, 5);
  surface.Path(cr, kScreenHeight);
  kNear.FillOutlined(cr, Rgb(0x6b4530));
  for (int band = 0; band < 3; ++band) {
    Ridge stratum(shared, 515 + band * 30, 3, 5, 2);
    stratum.Line(cr);
    kNear.Stroke(cr, Rgb(0x57372a), 3);
  }
  for (int i = 0; i < 12; ++i) {
    double x = shared.Uniform(0, kPanelWidth), y = shared.Uniform(500, 590);
    double rx = shared.Uniform(6, 14), ry = rx * shared.Uniform(0.5, 0.8);
    Wrapped(cr, [&] {
      artkit::EllipsePath(cr, x, y, rx, ry);
      kNear.FillOutlined(cr, Rgb(0x8f8177));
    });
  }
  // The grass lip hangs in little scallops; 40 of them fit the panel exactly.
  cairo_move_to(cr, -10, surface.Y(-10) - 3);
  for (int x = -10; x <= kPanelWidth + 10; x += 2) cairo_line_to(cr, x, surface.Y(x) - 3);
  for (int x = kPanelWidth + 10; x >= -10; x -= 2)
    cairo_line_to(cr, x, kGroundY + 9 + 4 * std::cos(2 * M_PI * 40 * x / kPanelWidth));
  cairo_close_path(cr);
  kNear.FillOutlined(cr, Rgb(0x67b04a));
  surface.Line(cr);
  kNear.Stroke(cr, Rgb(0x8fd46a), 2);
}

void Mushroom(cairo_t* cr, double cx, double baseY, double size, const Depth& depth) {
  cairo_rectangle(cr, cx - size * 0.15, baseY - size * 0.6, size * 0.3, size * 0.6);
  depth.FillOutlined(cr, Rgb(0xf2e6d0));
  cairo_move_to(cr, cx - size * 0.55, baseY - size * 0.55);
  cairo_curve_to(cr, cx - size * 0.5, baseY - size * 1.2, cx + size * 0.5, baseY - size * 1.2,
                 cx + size * 0.55, baseY - size * 0.55);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xd8343a));
  SetColor(cr, depth.Tint(Rgb(0xfff3e8)));
  for (double dx : {-0.25, 0.1, 0.32}) {
    cairo_arc(cr, cx + dx * size, baseY - size * (0.8 - dx * 0.2), size * 0.08, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

// A thick old trunk reaching out of the top of the screen, with a knot-hole face.
void BigTrunk(cairo_t* cr, double cx, const Depth& depth) {
  Color bark = Rgb(0x6a4b3f);
  cairo_move_to(cr, cx - 60, kGroundY + 4);
  cairo_curve_to(cr, cx - 35, kGroundY - 20, cx - 40, 200, cx - 30, -10);
  cairo_line_to(cr, cx + 35, -10);
  cairo_curve_to(cr, cx + 40, 200, cx + 38, kGroundY - 20, cx + 65, kGroundY + 4);
  cairo_close_path(cr);
  depth.FillOutlined(cr, bark);
  cairo_move_to(cr, cx + 18, -10);
  cairo_curve_to(cr, cx + 25, 200, cx + 24, kGroundY - 30, cx + 45, kGroundY + 2);
  cairo_line_to(cr, cx + 62, kGroundY + 2);
  cairo_curve_to(cr, cx + 38, kGroundY - 20, cx + 40, 200, cx + 35, -10);
  cairo_close_path(cr);
  SetColor(cr, depth.Tint(Darker(bark, 0.3)));
  cairo_fill(cr);
  for (double y : {120.0, 260.0, 380.0}) {
    cairo_move_to(cr, cx - 20, y);
    cairo_curve_to(cr, cx - 10, y + 20, cx - 12, y + 40, cx - 22, y + 60);
    depth.Stroke(cr, Darker(bark, 0.4), 2.5);
  }
  artkit::EllipsePath(cr, cx, 330, 16, 22);
  depth.FillOutlined(cr, Rgb(0x1d1422));
  for (double side : {-6.0, 6.0}) {
    cairo_arc(cr, cx + side, 324, 3.5, 0, 2 * M_PI);
    SetColor(cr, Rgb(0xffe066));
    cairo_fill(cr);
  }
}

void Fence(cairo_t* cr, double left, double right, const Depth& depth) {
  Color wood = Rgb(0x9b6b45);
  for (double y : {kGroundY - 62, kGroundY - 30}) {
    cairo_rectangle(cr, left, y, right - left, 10);
    depth.FillOutlined(cr, wood);
  }
  for (double x = left + 8; x < right; x += 46) {
    double top = kGroundY - 80 + std::fmod(x * 7, 12);
    cairo_move_to(cr, x - 8, kGroundY + 3);
    cairo_line_to(cr, x - 8, top + 8);
    cairo_line_to(cr, x, top);
    cairo_line_to(cr, x + 8, top + 8);
    cairo_line_to(cr, x + 8, kGroundY + 3);
    cairo_close_path(cr);
    depth.FillOutlined(cr, Lighter(wood, 0.1));
  }
}

void Bush(cairo_t* cr, double cx, double baseY, double width, const Depth& depth) {
  double r = width / 4;
  Blob(cr,
       {{cx - r * 1.2, baseY - r * 0.8, r},
        {cx - r * 0.2, baseY - r * 1.4, r * 1.15},
        {cx + r * 1.0, baseY - r * 0.9, r * 1.05},
        {cx, baseY - r * 0.5, r}},
       Rgb(0x3f8a4a), depth);
  Blob(cr, {{cx + r * 0.9, baseY - r * 0.7, r * 0.6}}, Rgb(0x2f6e3c),
       {depth.haze, depth.amount, 0});
}

void SignPost(cairo_t* cr, double cx, const Depth& depth) {
  cairo_rectangle(cr, cx - 6, kGroundY - 110, 12, 114);
  depth.FillOutlined(cr, Rgb(0x8a5c3c));
  cairo_move_to(cr, cx - 75, kGroundY - 140);
  cairo_line_to(cr, cx + 70, kGroundY - 146);
  cairo_line_to(cr, cx + 88, kGroundY - 122);
  cairo_line_to(cr, cx + 72, kGroundY - 98);
  cairo_line_to(cr, cx - 72, kGroundY - 96);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xc99a62));
  OutlinedText(cr, "¡ZOMBIS!", cx + 4, kGroundY - 112, 22, Rgb(0xb0202a), Rgb(0xf6e3b8), 1.5);
}

void Pumpkin(cairo_t* cr, double cx, double baseY, double size, const Depth& depth) {
  Color orange = Rgb(0xf08a24);
  for (double dx : {-0.3, 0.3, 0.0}) {
    artkit::EllipsePath(cr, cx + dx * size, baseY - size * 0.4, size * 0.38, size * 0.4);
    depth.FillOutlined(cr, dx == 0 ? orange : Darker(orange, 0.15));
  }
  cairo_rectangle(cr, cx - 4, baseY - size * 0.95, 8, size * 0.2);
  depth.FillOutlined(cr, Rgb(0x4c7a2a));
  Color glow = Rgb(0xffe35c);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + side * size * 0.1, baseY - size * 0.5);
    cairo_line_to(cr, cx + side * size * 0.3, baseY - size * 0.5);
    cairo_line_to(cr, cx + side * size * 0.2, baseY - size * 0.68);
    cairo_close_path(cr);
    depth.FillOutlined(cr, glow);
  }
  cairo_move_to(cr, cx - size * 0.3, baseY - size * 0.3);
  cairo_line_to(cr, cx - size * 0.15, baseY - size * 0.22);
  cairo_line_to(cr, cx, baseY - size * 0.3);
  cairo_line_to(cr, cx + size * 0.15, baseY - size * 0.22);
  cairo_line_to(cr, cx + size * 0.3, baseY - size * 0.3);
  cairo_curve_to(cr, cx + size * 0.2, baseY - size * 0.1, cx - size * 0.2, baseY - size * 0.1,
                 cx - size * 0.3, baseY - size * 0.3);
  cairo_close_path(cr);
  depth.FillOutlined(cr, glow);
}

void Worm(cairo_t* cr, double x, double y, const Depth& depth) {
  cairo_move_to(cr, x, y);
  cairo_curve_to(cr, x + 10, y - 12, x + 20, y + 12, x + 30, y);
  cairo_curve_to(cr, x + 36, y - 8, x + 42, y - 4, x + 44, y - 2);
  OutlinedStroke(cr, Rgb(0xe88aa0), 6, depth);
}

// A zombie's hand clawing its way out of the ground, just at the surface.
void ZombieHand(cairo_t* cr, double cx, const Depth& depth) {
  Color skin = Rgb(0x8fb07a);
  cairo_move_to(cr, cx - 10, kGroundY + 6);
  cairo_line_to(cr, cx - 16, kGroundY - 32);
  cairo_line_to(cr, cx + 17, kGroundY - 35);
  cairo_line_to(cr, cx + 11, kGroundY + 6);
  cairo_close_path(cr);
  depth.FillOutlined(cr, skin);
  const double fingers[][3] = {{-11, -50, -0.6}, {-3, -57, -0.2}, {5, -56, 0.2}, {12, -48, 0.6}};
  for (const auto& [dx, top, lean] : fingers) {
    cairo_move_to(cr, cx + dx, kGroundY - 30);
    cairo_curve_to(cr, cx + dx + lean * 10, kGroundY - 42, cx + dx + lean * 22, kGroundY + top,
                   cx + dx + lean * 12, kGroundY + top - 4);
    OutlinedStroke(cr, skin, 7, depth);
  }
  cairo_move_to(cr, cx - 14, kGroundY - 24);
  cairo_curve_to(cr, cx - 26, kGroundY - 28, cx - 30, kGroundY - 36, cx - 28, kGroundY - 42);
  OutlinedStroke(cr, skin, 7, depth);
  cairo_move_to(cr, cx - 18, kGroundY - 2);
  cairo_line_to(cr, cx - 16, kGroundY - 14);
  cairo_line_to(cr, cx - 8, kGroundY - 10);
  cairo_line_to(cr, cx, kGroundY - 16);
  cairo_line_to(cr, cx + 8, kGroundY - 10);
  cairo_line_to(cr, cx + 17, kGroundY - 15);
  cairo_line_to(cr, cx + 18, kGroundY - 2);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x6a5a7a));
}

void GroundLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + variant);
  if (variant == 0) {
    BigTrunk(cr, 150, kNear);
    Mushroom(cr, 250, kGroundY + 2, 26, kNear);
    ZombieHand(cr, 390, kNear);
    Gravestone(cr, 520, kGroundY + 4, 60, 95, kNear, "RIP");
    Gravestone(cr, 615, kGroundY + 4, 46, 70, kNear, nullptr);
  } else if (variant == 1) {
    Fence(cr, 240, 560, kNear);
    SignPost(cr, 130, kNear);
    Bush(cr, 670, kGroundY + 6, 120, kNear);
  } else {
    Bush(cr, 130, kGroundY + 6, 140, kNear);
    Gravestone(cr, 330, kGroundY + 4, 54, 85, kNear, "RIP");
    Gravestone(cr, 410, kGroundY + 4, 40, 60, kNear, nullptr);
    Pumpkin(cr, 560, kGroundY + 2, 52, kNear);
    Mushroom(cr, 690, kGroundY + 2, 22, kNear);
  }
  Soil(cr);
  double x = rng.Uniform(120, 680);
  if (variant != 1) Skull(cr, x, rng.Uniform(530, 560), 38, kNear);
  // One draw a statement, in the order the bone was always drawn (see the bats).
  const double angle = rng.Uniform(-0.5, 0.5), boneY = rng.Uniform(520, 575),
               boneX = rng.Uniform(80, 720);
  Bone(cr, boneX, boneY, 46, angle, kNear);
  if (variant == 1) Worm(cr, rng.Uniform(100, 650), 545, kNear);
}

void Log(cairo_t* cr, double left, double right, double y, const Depth& depth) {
  Color bark = Rgb(0x4a3328);
  artkit::RoundedRectPath(cr, left, y, right - left, 46, 20);
  depth.FillOutlined(cr, bark);
  artkit::EllipsePath(cr, right - 14, y + 23, 14, 21);
  depth.FillOutlined(cr, Rgb(0xc79a6a));
  artkit::EllipsePath(cr, right - 14, y + 23, 6, 9);
  depth.Stroke(cr, Rgb(0x8a6040), 2);
}

void LowFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 10 + variant);
  Color grass = Rgb(0x2f6a38);
  if (variant == 1) Log(cr, 290, 520, 556, kFront);
  int tufts = variant == 0 ? 6 : 3;
  for (int i = 0; i < tufts; ++i) {
    double x = 60 + (680.0 / tufts) * (i + rng.Uniform(0.1, 0.9));
    GrassTuft(cr, x, kScreenHeight + 4, rng.Uniform(30, 60), grass, kFront);
  }
  if (variant == 0) Mushroom(cr, rng.Uniform(200, 600), kScreenHeight + 2, 34, kFront);
}

void Fern(cairo_t* cr, double baseX, double baseY, double length, double angle,
          const Depth& depth) {
  cairo_save(cr);
  cairo_translate(cr, baseX, baseY);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, 0, 0);
  for (int i = 0; i <= 10; ++i) {
    double t = i / 10.0;
    cairo_line_to(cr, length * t, -length * 0.22 * (1 - t) - 6 * (i % 2));
  }
  for (int i = 10; i >= 0; --i) {
    double t = i / 10.0;
    cairo_line_to(cr, length * t, length * 0.22 * (1 - t) + 6 * (i % 2));
  }
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x1f4a2c));
  cairo_restore(cr);
}

void FastFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 30 + variant);
  if (variant == 0) {
    double x = rng.Uniform(300, 500);
    cairo_move_to(cr, x - 30, -10);
    cairo_curve_to(cr, x - 38, 200, x - 30, 450, x - 50, 610);
    cairo_line_to(cr, x + 50, 610);
    cairo_curve_to(cr, x + 32, 450, x + 36, 200, x + 30, -10);
    cairo_close_path(cr);
    kFront.FillOutlined(cr, Rgb(0x2a2030));
  } else if (variant == 1) {
    for (int i = 0; i < 4; ++i)
      Fern(cr, 700, 610, rng.Uniform(120, 170), -M_PI / 2 - 0.9 + i * 0.35, kFront);
  } else {
    for (int i = 0; i < 5; ++i) {
      double x = 100 + i * 150 + rng.Uniform(-30, 30), length = rng.Uniform(40, 110);
      cairo_move_to(cr, x, -10);
      cairo_curve_to(cr, x + 10, length * 0.3, x - 10, length * 0.6, x + 4, length);
      OutlinedStroke(cr, Rgb(0x2c5a34), 5, kFront);
    }
  }
}

}  // namespace

void AddBosque(Pictures& out) {
  AddPanorama(
      out, "bosque",
      {{3, GroundLayer}, {2, LowFrontLayer}, {3, MiddleLayer}, {3, FastFrontLayer}, {3, SkyLayer}});
}

}  // namespace scenegen
