// The small play-field pictures: shadow, aiming arrow, player labels, blood splats and sparks.
#include <cmath>

#include "art.h"
#include "motifs.h"

namespace scenegen {
namespace {

const Depth kInk{Rgb(0), 0, 2.5};

void Shadow(cairo_t* cr) {
  cairo_scale(cr, 1, 24.0 / 80.0);
  cairo_pattern_t* soft = cairo_pattern_create_radial(40, 40, 0, 40, 40, 40);
  cairo_pattern_add_color_stop_rgba(soft, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(soft, 0.6, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(soft, 1, 0, 0, 0, 0);
  cairo_set_source(cr, soft);
  cairo_paint(cr);
  cairo_pattern_destroy(soft);
}

// Drawn over the play field, more opaque as the aim sweeps: a warm fill inside the dark outline
// every puppet has, so it reads from its first frame over a pale sky as over a night one.
// The pivot of the picture is (4, 9): the tail of the shaft.
void Arrow(cairo_t* cr) {
  PolygonPath(cr, {{3, 6}, {40, 6}, {38, 1.5}, {61, 9.5}, {38, 17.5}, {40, 13}, {3, 13}});
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  kInk.FillOutlined(cr, Rgb(0xffc21e));
  cairo_move_to(cr, 7, 8.5);
  cairo_line_to(cr, 46, 8.5);
  SetColor(cr, Rgb(0xfff3b0));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// A pale halo around the dark outline keeps the label readable over a night sky too.
void Label(cairo_t* cr, int player) {
  const std::string text = std::to_string(player + 1) + "UP";
  const Color colour = Rgb(kPlayerColours[player]);
  OutlinedText(cr, text, 42, 34, 32, Rgb(0xf4ecd8), Rgb(0xf4ecd8), 4.5);
  OutlinedText(cr, text, 42, 34, 32, colour, Rgb(0x16101c), 3);
  cairo_move_to(cr, 34, 38);
  cairo_line_to(cr, 50, 38);
  cairo_line_to(cr, 42, 45);
  cairo_close_path(cr);
  SetColor(cr, Rgb(0xf4ecd8));
  cairo_set_line_width(cr, 7);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  kInk.FillOutlined(cr, colour);
}

// A cartoon splat: a lumpy blob with a few drops flung off, red with a dark rim and a shine.
void Splat(cairo_t* cr, uint64_t seed) {
  Rng rng(seed);
  constexpr double kCentre = 32;
  constexpr int kLumps = 11;
  double radii[kLumps];
  for (int i = 0; i < kLumps; ++i) radii[i] = i % 2 ? rng.Uniform(9, 13) : rng.Uniform(14, 19);
  auto point = [&](int i, double scale, double& x, double& y) {
    double angle = 2 * M_PI * i / kLumps;
    x = kCentre + std::cos(angle) * radii[i % kLumps] * scale;
    y = kCentre + std::sin(angle) * radii[i % kLumps] * scale;
  };
  double x, y;
  point(0, 1, x, y);
  cairo_move_to(cr, x, y);
  for (int i = 0; i < kLumps; ++i) {
    double mx, my, nx, ny;
    point(i, 1, mx, my);
    point(i + 1, 1, nx, ny);
    double cx = kCentre + ((mx + nx) / 2 - kCentre) * 0.75,
           cy = kCentre + ((my + ny) / 2 - kCentre) * 0.75;
    cairo_curve_to(cr, mx + (mx - cx) * 0.4, my + (my - cy) * 0.4, nx + (nx - cx) * 0.4,
                   ny + (ny - cy) * 0.4, nx, ny);
  }
  cairo_close_path(cr);
  int drops = rng.Int(2, 4);
  for (int i = 0; i < drops; ++i) {
    double angle = rng.Uniform(0, 2 * M_PI), distance = rng.Uniform(21, 26);
    cairo_new_sub_path(cr);
    cairo_arc(cr, kCentre + std::cos(angle) * distance, kCentre + std::sin(angle) * distance,
              rng.Uniform(2.5, 4.5), 0, 2 * M_PI);
  }
  Depth rim{Rgb(0), 0, 2, Rgb(0x5a0a12)};
  rim.FillOutlined(cr, Rgb(0xd2202c));
  artkit::EllipsePath(cr, kCentre - 5, kCentre - 5, 5, 3);
  SetColor(cr, Rgb(0xff7a7a));
  cairo_fill(cr);
}

// Additive sparks: bright streaks from a hot core on a transparent ground.
void Sparks(cairo_t* cr) {
  Rng rng(0x5BA4C);
  constexpr double kCentre = 32;
  cairo_pattern_t* core = cairo_pattern_create_radial(kCentre, kCentre, 0, kCentre, kCentre, 14);
  cairo_pattern_add_color_stop_rgba(core, 0, 1, 1, 0.85, 1);
  cairo_pattern_add_color_stop_rgba(core, 1, 1, 0.6, 0.1, 0);
  cairo_set_source(cr, core);
  cairo_paint(cr);
  cairo_pattern_destroy(core);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 11; ++i) {
    double angle = 2 * M_PI * i / 11 + rng.Uniform(-0.2, 0.2);
    double inner = rng.Uniform(6, 10), outer = rng.Uniform(20, 30);
    double dx = std::cos(angle), dy = std::sin(angle);
    cairo_pattern_t* streak = cairo_pattern_create_linear(
        kCentre + dx * inner, kCentre + dy * inner, kCentre + dx * outer, kCentre + dy * outer);
    cairo_pattern_add_color_stop_rgba(streak, 0, 1, 1, 0.8, 1);
    cairo_pattern_add_color_stop_rgba(streak, 1, 1, 0.45, 0.05, 0.2);
    cairo_set_source(cr, streak);
    cairo_set_line_width(cr, rng.Uniform(1.5, 3));
    cairo_move_to(cr, kCentre + dx * inner, kCentre + dy * inner);
    cairo_line_to(cr, kCentre + dx * outer, kCentre + dy * outer);
    cairo_stroke(cr);
    cairo_pattern_destroy(streak);
  }
}

}  // namespace

// Splats and sparks are drawn on a 64 px design grid and stored small: the game scales them up
// to more than four times while they fly, and a large picture would cover half the field.
constexpr int kSplatSize = 24;
constexpr double kSplatScale = kSplatSize / 64.0;

void AddPlayfieldProps(Pictures& out) {
  out.push_back({"sombra.png", 80, 24, Shadow});
  out.push_back({"flecha.png", 64, 19, Arrow});
  for (int player = 0; player < kPlayers; ++player)
    out.push_back({std::to_string(player + 1) + "up.png", 84, 48,
                   [player](cairo_t* cr) { Label(cr, player); }});
  for (int i = 1; i <= 5; ++i)
    out.push_back({"sangre" + std::to_string(i) + ".png", kSplatSize, kSplatSize, [i](cairo_t* cr) {
                     cairo_scale(cr, kSplatScale, kSplatScale);
                     Splat(cr, 0x5A9C0 + i * 7);
                   }});
  out.push_back({"chispas.png", kSplatSize, kSplatSize, [](cairo_t* cr) {
                   cairo_scale(cr, kSplatScale, kSplatScale);
                   Sparks(cr);
                 }});
}

}  // namespace scenegen
