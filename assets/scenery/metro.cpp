// "metro": an old underground station. Far: the tiled wall across the tracks with lamps and the
// station's name. Middle: a row of tiled columns under a girder. Near: the platform with its
// yellow safety line over the track pit, benches, bins and a vending machine. In front: rats and
// puddles by the rails, and a column sweeping past.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Color kHaze = Rgb(0x7088a8);
const Depth kFar{kHaze, 0.55, 1.5};
const Depth kMiddle{kHaze, 0.3, 2};
const Depth kNear{kHaze, 0, 2.5};
const Depth kFront{kHaze, 0, 3};

constexpr uint64_t kSeed = 0x3E7D0;
constexpr double kCeiling = 70;

// Square wall tiles: 20 px, so that 40 of them fill the panel and the grid joins at the edges.
void Tiles(cairo_t* cr, double top, double bottom, Color tile, const Depth& depth) {
  cairo_rectangle(cr, -10, top, kPanelWidth + 20, bottom - top);
  SetColor(cr, depth.Tint(tile));
  cairo_fill(cr);
  for (double y = top; y <= bottom; y += 20) {
    cairo_move_to(cr, -10, y);
    cairo_line_to(cr, kPanelWidth + 10, y);
  }
  for (double x = 0; x <= kPanelWidth; x += 20) {
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x, bottom);
  }
  depth.Stroke(cr, Darker(tile, 0.18), 1);
}

void NamePlate(cairo_t* cr, double cx, double cy, const Depth& depth) {
  artkit::RoundedRectPath(cr, cx - 150, cy - 28, 300, 56, 8);
  depth.FillOutlined(cr, Rgb(0x24407a));
  artkit::RoundedRectPath(cr, cx - 142, cy - 20, 284, 40, 5);
  depth.Stroke(cr, Rgb(0xf2f2f2), 2);
  OutlinedText(cr, "CALAVERA", cx, cy + 10, 28, depth.Tint(Rgb(0xffffff)),
               depth.Tint(Rgb(0x24407a)), 1);
}

void FarPoster(cairo_t* cr, double cx, double cy, const Depth& depth) {
  cairo_rectangle(cr, cx - 55, cy - 75, 110, 150);
  depth.FillOutlined(cr, Rgb(0xe8c24a));
  OutlinedText(cr, "CIRCO", cx, cy - 40, 24, depth.Tint(Rgb(0xc0302a)), depth.Tint(Rgb(0xfff2c0)),
               1.5);
  Skull(cr, cx, cy + 20, 60, depth);
}

void Clock(cairo_t* cr, double cx, double cy, const Depth& depth) {
  cairo_move_to(cr, cx, kCeiling);
  cairo_line_to(cr, cx, cy - 34);
  depth.Stroke(cr, Rgb(0x40404a), 4);
  cairo_arc(cr, cx, cy, 34, 0, 2 * M_PI);
  depth.FillOutlined(cr, Rgb(0xf4f0e2));
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx, cy - 24);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + 16, cy + 6);
  depth.Stroke(cr, Rgb(0x202028), 3);
}

// Pools of lamp light on the far wall, one under each lamp; the lamps sit every 200 px, so the
// panel joins itself and every other variant.
void LampLight(cairo_t* cr, double x) {
  cairo_pattern_t* pool = cairo_pattern_create_radial(x, kCeiling + 20, 10, x, kCeiling + 120, 190);
  cairo_pattern_add_color_stop_rgba(pool, 0, 1, 0.95, 0.75, 0.22);
  cairo_pattern_add_color_stop_rgba(pool, 1, 1, 0.95, 0.75, 0);
  cairo_set_source(cr, pool);
  cairo_rectangle(cr, x - 190, kCeiling, 380, 420 - kCeiling);
  cairo_fill(cr);
  cairo_pattern_destroy(pool);
}

// A dark passage in the far wall with something peering out of it.
void TunnelMouth(cairo_t* cr, double cx, const Depth& depth) {
  cairo_move_to(cr, cx - 70, 420);
  cairo_line_to(cr, cx - 70, 300);
  cairo_arc(cr, cx, 300, 70, M_PI, 2 * M_PI);
  cairo_line_to(cr, cx + 70, 420);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x0e1016));
  for (double side : {-1.0, 1.0}) {
    artkit::EllipsePath(cr, cx + side * 14, 330, 7, 4);
    SetColor(cr, Rgb(0xff5040));
    cairo_fill(cr);
  }
}

void FarWallLayer(cairo_t* cr, int variant) {
  SkyGradient(cr, {{0, Rgb(0x121620)}, {kCeiling, Rgb(0x222a38)}, {600, Rgb(0x222a38)}});
  Tiles(cr, kCeiling + 20, 420, Rgb(0xaebcbc), kFar);
  cairo_rectangle(cr, -10, 250, kPanelWidth + 20, 26);
  kFar.FillOutlined(cr, Rgb(0xc0503a));
  for (int i = 0; i < 4; ++i) Wrapped(cr, [&] { LampLight(cr, 100 + i * 200); });
  cairo_rectangle(cr, -10, 420, kPanelWidth + 20, 200);
  kFar.FillOutlined(cr, Rgb(0x3a3a44));
  for (int i = 0; i < 4; ++i) {
    artkit::EllipsePath(cr, 100 + i * 200, kCeiling + 14, 40, 8);
    kFar.FillOutlined(cr, Rgb(0xfff2b0));
  }
  Rng rng(kSeed + 41 + variant);
  if (variant == 0) NamePlate(cr, rng.Uniform(300, 500), 185, kFar);
  if (variant == 1) FarPoster(cr, rng.Uniform(200, 600), 330, kFar);
  if (variant == 2) {
    Clock(cr, rng.Uniform(180, 320), 170, kFar);
    TunnelMouth(cr, rng.Uniform(480, 620), kFar);
  }
  cairo_rectangle(cr, -10, -10, kPanelWidth + 20, kCeiling + 10);
  kFar.FillOutlined(cr, Rgb(0x343844));
}

void Column(cairo_t* cr, double cx, double width, double top, double bottom, const Depth& depth) {
  Color tile = Rgb(0x4f9a80);
  cairo_rectangle(cr, cx - width / 2, top, width, bottom - top);
  depth.FillOutlined(cr, tile);
  cairo_rectangle(cr, cx + width * 0.2, top + depth.outline, width * 0.3 - depth.outline / 2,
                  bottom - top - depth.outline);
  SetColor(cr, depth.Tint(Darker(tile, 0.2)));
  cairo_fill(cr);
  for (double y = top + 24; y < bottom; y += 24) {
    cairo_move_to(cr, cx - width / 2 + 2, y);
    cairo_line_to(cr, cx + width / 2 - 2, y);
  }
  depth.Stroke(cr, Darker(tile, 0.35), 1.5);
  cairo_rectangle(cr, cx - width / 2 - 8, top, width + 16, 22);
  depth.FillOutlined(cr, Rgb(0xd8cfa8));
  cairo_rectangle(cr, cx - width / 2 - 8, bottom - 30, width + 16, 30);
  depth.FillOutlined(cr, Rgb(0xd8cfa8));
}

void HangingSign(cairo_t* cr, double cx, const char* text, const Depth& depth) {
  for (double dx : {-60.0, 60.0}) {
    cairo_move_to(cr, cx + dx, 40);
    cairo_line_to(cr, cx + dx, 110);
    depth.Stroke(cr, Rgb(0x40404a), 3);
  }
  artkit::RoundedRectPath(cr, cx - 90, 110, 180, 44, 6);
  depth.FillOutlined(cr, Rgb(0x2a8a4a));
  OutlinedText(cr, text, cx, 141, 24, depth.Tint(Rgb(0xffffff)), depth.Tint(Rgb(0x124020)), 1.5);
}

void Bench(cairo_t* cr, double cx, double baseY, const Depth& depth) {
  Color wood = Rgb(0xb0743e);
  for (double dx : {-60.0, 60.0}) {
    cairo_rectangle(cr, cx + dx - 5, baseY - 40, 10, 42);
    depth.FillOutlined(cr, Rgb(0x40444e));
  }
  artkit::RoundedRectPath(cr, cx - 80, baseY - 48, 160, 12, 4);
  depth.FillOutlined(cr, wood);
  artkit::RoundedRectPath(cr, cx - 80, baseY - 90, 160, 12, 4);
  depth.FillOutlined(cr, wood);
  artkit::RoundedRectPath(cr, cx - 80, baseY - 72, 160, 12, 4);
  depth.FillOutlined(cr, Darker(wood, 0.1));
}

void ColumnsLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 20 + variant);
  if (variant == 0) Column(cr, rng.Uniform(350, 450), 64, 30, 480, kMiddle);
  if (variant == 1) HangingSign(cr, rng.Uniform(300, 500), "SALIDA →", kMiddle);
  if (variant == 2) {
    double x = rng.Uniform(300, 500);
    Column(cr, x, 64, 30, 480, kMiddle);
    FarPoster(cr, x, 300, kMiddle);
  }
  Wrapped(cr, [&] { Column(cr, 0, 70, 30, 480, kMiddle); });
  cairo_rectangle(cr, -10, 10, kPanelWidth + 20, 30);
  kMiddle.FillOutlined(cr, Rgb(0x5a5e6a));
  for (int x = 10; x < kPanelWidth; x += 40) {
    cairo_arc(cr, x, 25, 3, 0, 2 * M_PI);
    SetColor(cr, kMiddle.Tint(Rgb(0x8a8e9a)));
    cairo_fill(cr);
  }
}

void Platform(cairo_t* cr) {
  Color floor = Rgb(0xb3a894), concrete = Rgb(0x5c5a62);
  cairo_rectangle(cr, -10, kGroundY, kPanelWidth + 20, 22);
  kNear.FillOutlined(cr, floor);
  for (int x = 0; x < kPanelWidth; x += 40) {
    cairo_move_to(cr, x + 20, kGroundY + 2);
    cairo_line_to(cr, x + 16, kGroundY + 21);
  }
  kNear.Stroke(cr, Darker(floor, 0.2), 1.5);
  cairo_rectangle(cr, -10, kGroundY + 22, kPanelWidth + 20, 12);
  kNear.FillOutlined(cr, Rgb(0xf2cc2a));
  for (int x = 5; x < kPanelWidth; x += 10) {
    cairo_arc(cr, x, kGroundY + 28, 2, 0, 2 * M_PI);
    SetColor(cr, Rgb(0xc9a414));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, -10, kGroundY + 34, kPanelWidth + 20, 44);
  kNear.FillOutlined(cr, concrete);
  cairo_rectangle(cr, -10, kGroundY + 78, kPanelWidth + 20, 60);
  kNear.FillOutlined(cr, Rgb(0x2a2830));
  for (int x = 0; x < kPanelWidth; x += 40) {
    cairo_rectangle(cr, x + 8, 572, 24, 10);
    kNear.FillOutlined(cr, Rgb(0x5a4032));
  }
  for (double y : {568.0, 588.0}) {
    cairo_rectangle(cr, -10, y, kPanelWidth + 20, 6);
    kNear.FillOutlined(cr, Rgb(0xaab0bc));
  }
}

void VendingMachine(cairo_t* cr, double cx, const Depth& depth) {
  artkit::RoundedRectPath(cr, cx - 45, kGroundY - 170, 90, 172, 6);
  depth.FillOutlined(cr, Rgb(0xd23a3a));
  cairo_rectangle(cr, cx - 35, kGroundY - 155, 50, 100);
  depth.FillOutlined(cr, Rgb(0xbfe4f0));
  for (int row = 0; row < 4; ++row)
    for (int c = 0; c < 3; ++c) {
      artkit::RoundedRectPath(cr, cx - 31 + c * 15, kGroundY - 150 + row * 24, 12, 20, 3);
      depth.FillOutlined(cr, row % 2 ? Rgb(0x4a9a3a) : Rgb(0xf0a030));
    }
  cairo_rectangle(cr, cx + 22, kGroundY - 150, 14, 40);
  depth.FillOutlined(cr, Rgb(0x2a2a30));
  cairo_rectangle(cr, cx - 35, kGroundY - 40, 70, 18);
  depth.FillOutlined(cr, Rgb(0x2a2a30));
}

void Rat(cairo_t* cr, double cx, double baseY, double size, const Depth& depth) {
  Color fur = Rgb(0x7a7080);
  cairo_move_to(cr, cx - size * 0.5, baseY - size * 0.15);
  cairo_curve_to(cr, cx - size * 0.9, baseY - size * 0.1, cx - size * 1.1, baseY - size * 0.4,
                 cx - size * 1.3, baseY - size * 0.3);
  OutlinedStroke(cr, Rgb(0xe8a0b0), size * 0.06, depth);
  cairo_move_to(cr, cx - size * 0.55, baseY);
  cairo_curve_to(cr, cx - size * 0.55, baseY - size * 0.55, cx + size * 0.1, baseY - size * 0.6,
                 cx + size * 0.35, baseY - size * 0.3);
  cairo_line_to(cr, cx + size * 0.6, baseY - size * 0.12);
  cairo_line_to(cr, cx + size * 0.3, baseY);
  cairo_close_path(cr);
  depth.FillOutlined(cr, fur);
  artkit::EllipsePath(cr, cx + size * 0.15, baseY - size * 0.45, size * 0.12, size * 0.14);
  depth.FillOutlined(cr, Rgb(0xe8a0b0));
  cairo_arc(cr, cx + size * 0.33, baseY - size * 0.27, size * 0.05, 0, 2 * M_PI);
  SetColor(cr, Rgb(0xff3030));
  cairo_fill(cr);
}

void Suitcase(cairo_t* cr, double cx, const Depth& depth) {
  artkit::RoundedRectPath(cr, cx - 14, kGroundY - 62, 28, 14, 5);
  depth.Stroke(cr, Rgb(0x3a2a20), 5);
  artkit::RoundedRectPath(cr, cx - 40, kGroundY - 52, 80, 54, 6);
  depth.FillOutlined(cr, Rgb(0x8a4a2a));
  for (double dx : {-22.0, 22.0}) {
    cairo_rectangle(cr, cx + dx - 4, kGroundY - 52, 8, 54);
    depth.FillOutlined(cr, Rgb(0xd0a050));
  }
}

void WarningStand(cairo_t* cr, double cx, const Depth& depth) {
  cairo_move_to(cr, cx - 40, kGroundY + 2);
  cairo_line_to(cr, cx - 22, kGroundY - 120);
  cairo_line_to(cr, cx + 22, kGroundY - 120);
  cairo_line_to(cr, cx + 40, kGroundY + 2);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xf2cc2a));
  cairo_move_to(cr, cx, kGroundY - 105);
  cairo_line_to(cr, cx - 22, kGroundY - 65);
  cairo_line_to(cr, cx + 22, kGroundY - 65);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0xffffff));
  OutlinedText(cr, "!", cx, kGroundY - 70, 26, Rgb(0x202020), Rgb(0xffffff), 0.5);
  OutlinedText(cr, "OJO", cx, kGroundY - 30, 20, Rgb(0x202020), Rgb(0xf2cc2a), 0.5);
}

void TrashBin(cairo_t* cr, double cx, const Depth& depth) {
  artkit::RoundedRectPath(cr, cx - 22, kGroundY - 70, 44, 72, 6);
  depth.FillOutlined(cr, Rgb(0x3a6ab0));
  cairo_rectangle(cr, cx - 14, kGroundY - 60, 28, 8);
  depth.FillOutlined(cr, Rgb(0x1a2030));
  Bone(cr, cx, kGroundY - 64, 26, 0.4, depth);
}

void PlatformLayer(cairo_t* cr, int variant) {
  if (variant == 0) {
    Bench(cr, 200, kGroundY + 2, kNear);
    TrashBin(cr, 560, kNear);
  } else if (variant == 1) {
    VendingMachine(cr, 480, kNear);
    Rat(cr, 620, kGroundY + 2, 40, kNear);
  } else {
    WarningStand(cr, 260, kNear);
    Suitcase(cr, 600, kNear);
  }
  Platform(cr);
}

void Puddle(cairo_t* cr, double cx, double cy, const Depth& depth) {
  artkit::EllipsePath(cr, cx, cy, 70, 10);
  depth.FillOutlined(cr, Rgb(0x4a6a8a));
  artkit::EllipsePath(cr, cx - 20, cy - 2, 24, 3);
  SetColor(cr, Rgb(0x9ac0e0));
  cairo_fill(cr);
}

void TrackFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 10 + variant);
  if (variant == 0)
    Rat(cr, rng.Uniform(150, 650), kScreenHeight - 4, 56, kFront);
  else
    Puddle(cr, rng.Uniform(150, 650), 585, kFront);
}

// A caged work lamp on a cord, close to the viewer: it hangs well above the players' heads.
void HangingLamp(cairo_t* cr, double cx, const Depth& depth) {
  cairo_move_to(cr, cx, -10);
  cairo_line_to(cr, cx, 70);
  depth.Stroke(cr, Rgb(0x202028), 4);
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, 100, 10, cx, 100, 110);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.5, 0.5);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.5, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, 100, 110, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  cairo_move_to(cr, cx - 34, 100);
  cairo_line_to(cr, cx - 14, 68);
  cairo_line_to(cr, cx + 14, 68);
  cairo_line_to(cr, cx + 34, 100);
  cairo_close_path(cr);
  depth.FillOutlined(cr, Rgb(0x3a6a5a));
  artkit::EllipsePath(cr, cx, 104, 14, 10);
  depth.FillOutlined(cr, Rgb(0xfff2b0));
}

void FastFrontLayer(cairo_t* cr, int variant) {
  Rng rng(kSeed + 30 + variant);
  const Depth shadowed{Rgb(0x10141a), 0.45, 3};
  if (variant == 0) Column(cr, rng.Uniform(300, 500), 70, -40, kScreenHeight + 40, shadowed);
  if (variant == 1) HangingLamp(cr, rng.Uniform(250, 550), kFront);
}

}  // namespace

void AddMetro(Pictures& out) {
  AddPanorama(out, "metro",
              {{3, PlatformLayer},
               {2, TrackFrontLayer},
               {3, ColumnsLayer},
               {3, FastFrontLayer},
               {3, FarWallLayer}});
}

}  // namespace scenegen
