// "ciudad": a city street at night. Far: a navy sky glowing pink over a pale skyline. Middle:
// brick and plaster blocks with lit windows and signs. Near: a pavement over the kerb and road,
// lamp posts, hydrants, bins and a bus stop. In front: barriers, cones, and a lamp post sweeping
// by.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Color kHaze = Rgb(0x8f9fcf);
const Depth kFar{kHaze, 0.6, 1.5};
const Depth kMiddle{kHaze, 0.42, 2};
const Depth kNear{kHaze, 0, 2.5};
const Depth kFront{kHaze, 0, 3};

constexpr uint64_t kSeed = 0xC1DAD;
const Color kLitWindow = Rgb(0xffd96a);

// A block with rows of windows, some of them lit. The right part gets the shade step.
void Building(cairo_t* cr, double left, double width, double top, double bottom, Color wall,
              Rng& rng, const Depth& depth) {
  cairo_rectangle(cr, left, top, width, bottom - top);
  depth.FillOutlined(cr, wall);
  cairo_rectangle(cr, left + width * 0.78, top + depth.outline / 2,
                  width * 0.22 - depth.outline / 2, bottom - top);
  SetColor(cr, depth.Tint(Darker(wall, 0.2)));
  cairo_fill(cr);
  double cell = width > 90 ? 26 : 20;
  int columns = std::max(1, static_cast<int>((width - 12) / cell));
  double margin = (width - columns * cell) / 2;
  for (double y = top + 14; y + 18 < bottom; y += 30) {
    for (int c = 0; c < columns; ++c) {
      cairo_rectangle(cr, left + margin + c * cell + 4, y, cell - 8, 16);
      depth.FillOutlined(cr, rng.Chance(0.45) ? kLitWindow : Darker(wall, 0.5));
    }
  }
}

// Far towers stand side by side across the panel. The first is centred on the edge and drawn
// wrapped, so every variant shares the same edges, and its windows are symmetric about its middle:
// no window edge falls on the seam.
void FarSkyline(cairo_t* cr, Rng& rng, const Depth& depth) {
  double edgeWidth = 96;
  double x = -edgeWidth / 2, width = edgeWidth;
  while (x < kPanelWidth - edgeWidth / 2) {
    double top = rng.Uniform(190, 330);
    uint64_t windows = rng.Next();
    Wrapped(cr, [&] {
      Rng lights(windows);
      Building(cr, x, width, top, kScreenHeight + 10, Rgb(0x3b4272), lights, depth);
    });
    x += width;
    double room = kPanelWidth - edgeWidth / 2 - x;
    width = rng.Uniform(50, 110);
    if (room - width < 50) width = room;
  }
}

void Antenna(cairo_t* cr, double cx, double baseY, const Depth& depth) {
  cairo_move_to(cr, cx, baseY);
  cairo_line_to(cr, cx, baseY - 120);
  depth.Stroke(cr, Rgb(0x3b4272), 4);
  cairo_arc(cr, cx, baseY - 124, 5, 0, 2 * M_PI);
  SetColor(cr, Rgb(0xff5a5a));
  cairo_fill(cr);
}

void SkyLayer(cairo_t* cr, int variant) {
  SkyGradient(cr, {{0, Rgb(0x141a3a)},
                   {180, Rgb(0x2b3566)},
                   {330, Rgb(0x6a5a92)},
                   {430, Rgb(0xd98a7a)},
                   {600, Rgb(0xd98a7a)}});
  Rng shared(kSeed + 40);
  Stars(cr, shared, 40, 220, Rgb(0xfff4c8));
  Rng rng(kSeed + 41 + variant);
  if (variant == 0) Moon(cr, rng.Uniform(150, 300), 110, 44, kFar);
  if (variant == 1) Cloud(cr, rng.Uniform(300, 500), 140, 180, Rgb(0x5a5a8c), kFar);
  if (variant == 2) Antenna(cr, rng.Uniform(350, 450), 330, kFar);
  FarSkyline(cr, shared, kFar);
}

void RoofTank(cairo_t* cr, double cx, double roofY, const Depth& depth) {
  for (double dx : {-14.0, 14.0}) {
    cairo_move_to(cr, cx + dx, roofY);
    cairo_line_to(cr, cx + dx * 0.8, roofY - 22);
    depth.Stroke(cr, Rgb(0x3a2e2a), 3);
  }
  cairo_move_to(cr, cx - 20, roofY - 22);
  cairo_line_to(cr, cx - 20, roofY - 56);
  cairo_line_to(cr, cx, roofY - 70);
  cairo_line_to(cr, cx + 20, roofY - 56);
  cairo_line_to(cr, cx + 20, roofY - 22);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x8a5a3e));
}

void NeonSign(cairo_t* cr, double cx, double cy, const char* text, Color glow, const Depth& depth) {
  artkit::RoundedRectPath(cr, cx - 52, cy - 20, 104, 40, 8);
  depth.FillOutlined(cr, Rgb(0x231b30));
  OutlinedText(cr, text, cx, cy + 8, 22, depth.Tint(Lighter(glow, 0.5)), depth.Tint(glow), 2);
}

void MiddleLayer(cairo_t* cr, int variant) {
  const Color walls[] = {Rgb(0xa4524a), Rgb(0x4f7f88), Rgb(0x7b5a8e), Rgb(0xb08a5a)};
  Rng shared(kSeed + 20);
  double edgeWidth = 110, edgeTop = shared.Uniform(250, 290);
  uint64_t edgeLights = shared.Next();
  Wrapped(cr, [&] {
    Rng lights(edgeLights);
    Building(cr, kPanelWidth - edgeWidth / 2, edgeWidth, edgeTop, kScreenHeight, walls[0], lights,
             kMiddle);
  });
  Rng rng(kSeed + 20 + variant);
  double x = edgeWidth / 2 + rng.Uniform(20, 60);
  for (int i = 0; x < kPanelWidth - edgeWidth / 2 - 90; ++i) {
    double width = std::min(rng.Uniform(100, 150), kPanelWidth - edgeWidth / 2 - 20 - x);
    double top = rng.Uniform(230, 330);
    Color wall = walls[(variant + i + 1) % 4];
    Building(cr, x, width, top, kScreenHeight, wall, rng, kMiddle);
    cairo_rectangle(cr, x - 4, top - 10, width + 8, 12);
    kMiddle.FillOutlined(cr, Darker(wall, 0.3));
    if (i == 0 && variant != 1) RoofTank(cr, x + width * 0.35, top - 10, kMiddle);
    if (i == 1 && variant == 1)
      NeonSign(cr, x + width / 2, top + 60, "HOTEL", Rgb(0xff4f8a), kMiddle);
    if (i == 1 && variant == 2)
      NeonSign(cr, x + width / 2, top + 60, "BAR", Rgb(0x4fe0ff), kMiddle);
    x += width + rng.Uniform(50, 110);
  }
}

void Pavement(cairo_t* cr) {
  Color slab = Rgb(0xa9a3b4), road = Rgb(0x3b3a4c);
  cairo_rectangle(cr, -10, kGroundY, kPanelWidth + 20, 40);
  kNear.FillOutlined(cr, slab);
  for (int x = 0; x < kPanelWidth; x += 50) {
    cairo_move_to(cr, x + 25, kGroundY + 3);
    cairo_line_to(cr, x + 20, kGroundY + 38);
    kNear.Stroke(cr, Darker(slab, 0.25), 2);
  }
  cairo_rectangle(cr, -10, kGroundY + 40, kPanelWidth + 20, 14);
  kNear.FillOutlined(cr, Lighter(slab, 0.2));
  cairo_rectangle(cr, -10, kGroundY + 54, kPanelWidth + 20, 80);
  kNear.FillOutlined(cr, road);
  for (int x = 0; x < kPanelWidth; x += 100) {
    artkit::RoundedRectPath(cr, x + 20, 565, 60, 9, 3);
    kNear.FillOutlined(cr, Rgb(0xf2d45c));
  }
  cairo_rectangle(cr, -10, kGroundY + 54, kPanelWidth + 20, 6);
  SetColor(cr, Darker(road, 0.35));
  cairo_fill(cr);
}

void LampPost(cairo_t* cr, double cx, double baseY, double height, const Depth& depth) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx + 30, baseY - height + 20, 5, cx + 30,
                                                      baseY - height + 20, 90);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.5, 0.45);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.5, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx + 30, baseY - height + 20, 90, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  Color iron = Rgb(0x2f3a4a);
  cairo_move_to(cr, cx, baseY + 2);
  cairo_line_to(cr, cx, baseY - height + 10);
  cairo_curve_to(cr, cx, baseY - height - 10, cx + 20, baseY - height - 10, cx + 30,
                 baseY - height + 4);
  OutlinedStroke(cr, iron, 8, depth);
  cairo_move_to(cr, cx + 16, baseY - height + 4);
  cairo_line_to(cr, cx + 44, baseY - height + 4);
  cairo_line_to(cr, cx + 38, baseY - height + 22);
  cairo_line_to(cr, cx + 22, baseY - height + 22);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xffe58a));
  artkit::RoundedRectPath(cr, cx - 10, baseY - 30, 20, 32, 4);
  depth.FillOutlined(cr, iron);
}

void Hydrant(cairo_t* cr, double cx, double baseY, double size, const Depth& depth) {
  Color red = Rgb(0xd8343a);
  artkit::RoundedRectPath(cr, cx - size * 0.3, baseY - size, size * 0.6, size, size * 0.1);
  depth.FillOutlined(cr, red);
  artkit::EllipsePath(cr, cx, baseY - size, size * 0.3, size * 0.2);
  depth.FillOutlined(cr, Darker(red, 0.2));
  cairo_rectangle(cr, cx - size * 0.45, baseY - size * 0.7, size * 0.9, size * 0.2);
  depth.FillOutlined(cr, red);
  cairo_rectangle(cr, cx - size * 0.4, baseY - size * 0.12, size * 0.8, size * 0.12);
  depth.FillOutlined(cr, Darker(red, 0.3));
}

void TrashCan(cairo_t* cr, double cx, double baseY, const Depth& depth) {
  Color metal = Rgb(0x7d8a96);
  cairo_move_to(cr, cx - 24, baseY - 58);
  cairo_line_to(cr, cx - 20, baseY);
  cairo_line_to(cr, cx + 20, baseY);
  cairo_line_to(cr, cx + 24, baseY - 58);
  cairo_close_path(cr);
  depth.FillOutlined(cr, metal);
  for (double dx : {-10.0, 0.0, 10.0}) {
    cairo_move_to(cr, cx + dx, baseY - 50);
    cairo_line_to(cr, cx + dx * 0.9, baseY - 6);
    depth.Stroke(cr, Darker(metal, 0.3), 2);
  }
  Bone(cr, cx + 8, baseY - 70, 30, -0.6, depth);
  artkit::EllipsePath(cr, cx, baseY - 60, 28, 8);
  depth.FillOutlined(cr, Lighter(metal, 0.15));
}

void BusStop(cairo_t* cr, double cx, const Depth& depth) {
  cairo_move_to(cr, cx, kGroundY + 2);
  cairo_line_to(cr, cx, kGroundY - 150);
  OutlinedStroke(cr, Rgb(0x9aa4b0), 6, depth);
  artkit::RoundedRectPath(cr, cx - 48, kGroundY - 200, 96, 56, 10);
  depth.FillOutlined(cr, Rgb(0x2f7fd0));
  OutlinedText(cr, "BUS", cx, kGroundY - 163, 26, Rgb(0xffffff), Rgb(0x14305a), 2);
}

void Poster(cairo_t* cr, double cx, double cy, const Depth& depth) {
  cairo_rectangle(cr, cx - 38, cy - 50, 76, 100);
  depth.FillOutlined(cr, Rgb(0xf2e3c0));
  OutlinedText(cr, "SE", cx, cy - 28, 18, Rgb(0x3a2a20), Rgb(0xf2e3c0), 0.5);
  OutlinedText(cr, "BUSCA", cx, cy - 10, 18, Rgb(0x3a2a20), Rgb(0xf2e3c0), 0.5);
  Skull(cr, cx, cy + 20, 34, depth);
}

void LowWall(cairo_t* cr, double left, double right, const Depth& depth) {
  Color brick = Rgb(0xa4524a);
  cairo_rectangle(cr, left, kGroundY - 120, right - left, 122);
  depth.FillOutlined(cr, brick);
  for (int row = 0; row < 6; ++row) {
    double y = kGroundY - 120 + row * 20;
    cairo_move_to(cr, left + 2, y);
    cairo_line_to(cr, right - 2, y);
    for (double x = left + (row % 2 ? 20 : 40); x < right - 5; x += 40) {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x, y + 20);
    }
    depth.Stroke(cr, Darker(brick, 0.3), 1.5);
  }
  cairo_rectangle(cr, left - 6, kGroundY - 130, right - left + 12, 12);
  depth.FillOutlined(cr, Rgb(0xbcb4c4));
}

void GroundLayer(cairo_t* cr, int variant) {
  if (variant == 0) {
    LampPost(cr, 160, kGroundY + 4, 260, kNear);
    Hydrant(cr, 420, kGroundY + 4, 48, kNear);
    TrashCan(cr, 630, kGroundY + 4, kNear);
  } else if (variant == 1) {
    LowWall(cr, 90, 420, kNear);
    Poster(cr, 250, kGroundY - 60, kNear);
    BusStop(cr, 620, kNear);
  } else {
    TrashCan(cr, 140, kGroundY + 4, kNear);
    LampPost(cr, 470, kGroundY + 4, 240, kNear);
    Hydrant(cr, 690, kGroundY + 4, 44, kNear);
  }
  Pavement(cr);
}

void Barrier(cairo_t* cr, double left, double right, const Depth& depth) {
  for (double x : {left + 10, right - 10}) {
    cairo_move_to(cr, x, kScreenHeight + 5);
    cairo_line_to(cr, x, 545);
    OutlinedStroke(cr, Rgb(0x5a6470), 7, depth);
  }
  cairo_rectangle(cr, left, 545, right - left, 24);
  depth.FillOutlined(cr, Rgb(0xf4f0e8));
  cairo_save(cr);
  cairo_rectangle(cr, left, 545, right - left, 24);
  cairo_clip(cr);
  for (double x = left - 20; x < right; x += 36) {
    cairo_move_to(cr, x, 569);
    cairo_line_to(cr, x + 18, 569);
    cairo_line_to(cr, x + 36, 545);
    cairo_line_to(cr, x + 18, 545);
    cairo_close_path(cr);
  }
  SetColor(cr, Rgb(0xe0402a));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, left, 545, right - left, 24);
  depth.Stroke(cr, depth.ink, depth.outline);
}

void Cone(cairo_t* cr, double cx, double baseY, double size, const Depth& depth) {
  cairo_move_to(cr, cx - size * 0.35, baseY - size * 0.1);
  cairo_line_to(cr, cx - size * 0.08, baseY - size);
  cairo_line_to(cr, cx + size * 0.08, baseY - size);
  cairo_line_to(cr, cx + size * 0.35, baseY - size * 0.1);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xf57a1f));
  cairo_rectangle(cr, cx - size * 0.23, baseY - size * 0.5, size * 0.46, size * 0.14);
  depth.FillOutlined(cr, Rgb(0xf7f3ea));
  cairo_rectangle(cr, cx - size * 0.5, baseY - size * 0.12, size, size * 0.14);
  depth.FillOutlined(cr, Rgb(0xc95a14));
}

void LowFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 10 + variant);
  if (variant == 0) {
    double left = rng.Uniform(150, 350);
    Barrier(cr, left, left + 220, kFront);
  } else {
    Cone(cr, rng.Uniform(120, 330), kScreenHeight + 2, 70, kFront);
    Cone(cr, rng.Uniform(480, 680), kScreenHeight + 2, 60, kFront);
  }
}

void FastFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 30 + variant);
  if (variant == 0) {
    double x = rng.Uniform(300, 500);
    cairo_rectangle(cr, x - 16, -10, 32, kScreenHeight + 20);
    kFront.FillOutlined(cr, Rgb(0x262c3a));
    cairo_rectangle(cr, x - 6, -10, 8, kScreenHeight + 20);
    SetColor(cr, Rgb(0x3a4456));
    cairo_fill(cr);
  } else if (variant == 1) {
    Hydrant(cr, rng.Uniform(200, 600), kScreenHeight + 6, 90, {kHaze, 0, 3, Rgb(0x140c14)});
  }
}

}  // namespace

void AddCiudad(Pictures& out) {
  AddPanorama(
      out, "ciudad",
      {{3, GroundLayer}, {2, LowFrontLayer}, {3, MiddleLayer}, {3, FastFrontLayer}, {3, SkyLayer}});
}

}  // namespace scenegen
