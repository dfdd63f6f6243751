// The optional zombie part (graph 5): something stuck in or sitting on the head. It turns about
// the top of the skull at (0, 0); the skull continues below, so embedded ends stop near y = 2.
#include <cmath>

#include "artkit.h"
#include "parts.h"
#include "style.h"

namespace chargen {

namespace {

constexpr uint32_t kWood = 0xFF8A5A2E;
constexpr uint32_t kSteel = 0xFFB9C3CC;
constexpr uint32_t kBlood = 0xFFD3202C;
constexpr uint32_t kBlack = 0xFF2A2630;
constexpr uint32_t kOrange = 0xFFF07A1E;
constexpr uint32_t kRed = 0xFFC8242C;
constexpr uint32_t kWhite = 0xFFF4F0E6;

PathFn Polygon(std::initializer_list<std::pair<double, double>> points) {
  std::vector<std::pair<double, double>> copy(points);
  return [copy](cairo_t* c) {
    bool first = true;
    for (const auto& [x, y] : copy) {
      if (first)
        cairo_move_to(c, x, y);
      else
        cairo_line_to(c, x, y);
      first = false;
    }
    cairo_close_path(c);
  };
}

PathFn Rect(double x, double y, double w, double h) {
  return [=](cairo_t* c) { cairo_rectangle(c, x, y, w, h); };
}

// Cartoon drops where a blade meets the skull: red, never gory.
void Drops(cairo_t* cr) {
  PaintFlat(
      cr,
      [](cairo_t* c) {
        cairo_arc(c, -4, 4, 2, 0, 2 * M_PI);
        cairo_new_sub_path(c);
        cairo_arc(c, 5, 6, 1.6, 0, 2 * M_PI);
      },
      kBlood);
}

void Axe(cairo_t* cr) {
  PaintShaded(cr, Polygon({{-2, 2}, {2, 2}, {-6, -26}, {-10, -25}}), kWood, 2, 0);
  PaintShaded(cr, Polygon({{-6, 3}, {8, 3}, {10, -10}, {-1, -9}}), kSteel, 0, 2);
  Drops(cr);
}

void Cleaver(cairo_t* cr) {
  PaintShaded(cr, Rect(-2, -26, 4, 12), kWood, 1.5, 0);
  PaintShaded(cr, Rect(-8, -15, 16, 18), kSteel, 0, 2);
  PaintFlat(
      cr, [](cairo_t* c) { cairo_arc(c, 4, -10, 1.8, 0, 2 * M_PI); }, kBlack);
  Drops(cr);
}

void Knife(cairo_t* cr) {
  PaintShaded(cr, Polygon({{-3, 3}, {3, 3}, {3, -6}, {-3, -6}}), kSteel, 0, 1);
  PaintShaded(cr, Rect(-3.5, -20, 7, 14), kBlack, 2, 0);
  Drops(cr);
}

void PartyHat(cairo_t* cr, const Look& look) {
  const PathFn cone = Polygon({{-10, 2}, {10, 2}, {1, -26}});
  PaintShaded(cr, cone, look.accent, 2, 0);
  PaintInside(
      cr, cone,
      [](cairo_t* c) {
        cairo_rectangle(c, -12, -8, 24, 3.5);
        cairo_rectangle(c, -12, -18, 24, 3);
      },
      look.hat);
  PaintFlat(
      cr, [](cairo_t* c) { cairo_arc(c, 1, -27, 3.5, 0, 2 * M_PI); }, kWhite);
}

void TopHat(cairo_t* cr, const Look& look) {
  PaintShaded(cr, Rect(-9, -24, 18, 25), kBlack, 3, 0);
  PaintInside(cr, Rect(-9, -24, 18, 25), Rect(-10, -8, 20, 4), look.accent);
  PaintShaded(
      cr,
      [](cairo_t* c) {
        cairo_save(c);
        cairo_scale(c, 1, 0.25);
        cairo_arc(c, 0, 4, 15, 0, 2 * M_PI);
        cairo_restore(c);
      },
      kBlack, 0, -1);
}

void Bowler(cairo_t* cr, const Look& look) {
  PaintShaded(
      cr,
      [](cairo_t* c) {
        cairo_arc(c, 0, 1, 11, M_PI, 2 * M_PI);
        cairo_close_path(c);
      },
      look.hat, 3, 0);
  PaintFlat(cr, Rect(-15, 0, 30, 3.5), look.hat);
}

void Plunger(cairo_t* cr) {
  PaintShaded(cr, Rect(-2, -28, 4, 22), kWood, 1.5, 0);
  PaintShaded(
      cr,
      [](cairo_t* c) {
        cairo_arc(c, 0, 3, 10, M_PI, 2 * M_PI);
        cairo_close_path(c);
      },
      kRed, 2, 0);
}

void TrafficCone(cairo_t* cr) {
  const PathFn cone = Polygon({{-11, 3}, {11, 3}, {3, -26}, {-3, -26}});
  PaintShaded(cr, cone, kOrange, 2, 0);
  PaintInside(cr, cone, Rect(-12, -14, 24, 5), kWhite);
  PaintFlat(cr, Rect(-14, 0, 28, 4), kOrange);
}

}  // namespace

Graph DrawProp(const Look& look) {
  return RenderGraph({-16, -32, 16, 9}, [&](cairo_t* cr) {
    const std::string& prop = look.prop;
    if (prop == "axe")
      Axe(cr);
    else if (prop == "cleaver")
      Cleaver(cr);
    else if (prop == "knife")
      Knife(cr);
    else if (prop == "party_hat")
      PartyHat(cr, look);
    else if (prop == "top_hat")
      TopHat(cr, look);
    else if (prop == "bowler")
      Bowler(cr, look);
    else if (prop == "plunger")
      Plunger(cr);
    else
      TrafficCone(cr);
  });
}

}  // namespace chargen
