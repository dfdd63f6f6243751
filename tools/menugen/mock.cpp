// menumock PICTURE_FOLDER OUTPUT_FOLDER: lays the painted menu pictures out the way the menu
// screens place them, so the whole look can be judged (and kept in docs/) before the menu code
// exists. Buttons rest at half opacity; the hovered main button is drawn at its full painted size.
#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "artkit.h"

namespace {

struct Placed {
  std::string name;
  double x, y;
  double alpha = 1;
  double scale = 1;
};

struct Screen {
  std::string file;
  std::vector<Placed> pictures;
  bool overMenu = true;  // false: over a dark play field (tutorial slides)
};

bool Compose(const std::string& folder, const Screen& screen, const std::string& out) {
  artkit::Canvas canvas(800, 600);
  cairo_t* cairo = canvas.Cairo();
  std::vector<Placed> all = screen.pictures;
  if (screen.overMenu)
    all.insert(all.begin(), {"menu.png", 0, 0});
  else
    artkit::SetColor(cairo, 0xFF101418), cairo_paint(cairo);
  for (const Placed& placed : all) {
    std::string path = folder + "/" + placed.name;
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "menumock: cannot read %s\n", path.c_str());
      cairo_surface_destroy(image);
      return false;
    }
    cairo_save(cairo);
    cairo_translate(cairo, placed.x, placed.y);
    cairo_scale(cairo, placed.scale, placed.scale);
    cairo_set_source_surface(cairo, image, 0, 0);
    cairo_paint_with_alpha(cairo, placed.alpha);
    cairo_restore(cairo);
    cairo_surface_destroy(image);
  }
  return canvas.SavePNG(out + "/" + screen.file);
}

// The main menu with button `hovered` lit and grown, the others resting: their pictures are
// painted at the grown size, so a resting one is drawn at half of it.
Screen MainMenu(const std::string& file, int hovered, const Placed& pointer) {
  const Placed buttons[] = {{"Jugar.png", 300, 200},
                            {"Opciones.png", 320, 275},
                            {"Creditos.png", 340, 350},
                            {"Salir.png", 360, 425}};
  Screen screen{file, {}};
  for (int i = 0; i < 4; ++i) {
    if (i != hovered)
      screen.pictures.push_back({buttons[i].name, buttons[i].x, buttons[i].y, 0.5, 0.5});
  }
  screen.pictures.push_back(buttons[hovered]);  // over its neighbours, at full size
  screen.pictures.push_back(pointer);
  return screen;
}

// The options panel with player button `lit` (-1: none) and the sliders' knobs at the given
// fractions of their bars, then `extra` on top.
Screen Options(const std::string& file, int lit, double music, double sound,
               const std::vector<Placed>& extra) {
  constexpr double kBarX = 370, kBarWidth = 300;
  Screen screen{file, {{"panelopciones.png", 50, 100}}};
  for (int i = 0; i < 4; ++i) {
    screen.pictures.push_back(
        {"teclaj" + std::to_string(i + 1) + ".png", 100, 180 + 50.0 * i, i == lit ? 1 : 0.5});
    screen.pictures.push_back({"cpu.png", 605, 180 + 50.0 * i, 0.5});
  }
  const std::vector<Placed> rest = {
      {"volmusica.png", 100, 380, 0.5}, {"volsonido.png", 100, 430, 0.5},
      {"ok.png", 100, 500, 0.5},        {"cancelar.png", 200, 500, 0.5},
      {"sliderbar.png", kBarX, 402},    {"sliderbutton.png", kBarX + music * kBarWidth, 380},
      {"sliderbar.png", kBarX, 452},    {"sliderbutton.png", kBarX + sound * kBarWidth, 430}};
  screen.pictures.insert(screen.pictures.end(), rest.begin(), rest.end());
  screen.pictures.insert(screen.pictures.end(), extra.begin(), extra.end());
  return screen;
}

std::vector<Screen> Screens() {
  return {
      MainMenu("mock_menu.png", 1, {"cursoranimado_3.png", 420, 300}),
      MainMenu("mock_menu_salir.png", 3, {"cursoranimado_1.png", 500, 470}),
      {"mock_jugar.png",
       {{"seleccionescenario.png", 100, 100},
        {"volver.png", 510, 520, 0.5},
        {"level1.png", 400, 350, 0.5},
        {"level2.png", 400, 150, 1},
        {"level3.png", 120, 350, 0.5},
        {"leveltutorial.png", 120, 150, 0.5},
        {"enred.png", 120, 520, 0.5},
        {"cursoranimado_2.png", 520, 220}}},
      {"mock_red.png",
       {{"panelred.png", 100, 100},
        {"volver.png", 510, 520, 0.5},
        {"crearpartida.png", 130, 220, 1},
        {"unirse.png", 420, 220, 0.5},
        {"jugadoresaqui.png", 130, 330, 0.5},
        {"cursoranimado_3.png", 250, 250}}},
      {"mock_anfitrion.png",
       {{"panelanfitrion.png", 50, 100},
        {"volver.png", 550, 520, 0.5},
        {"redbosque.png", 90, 390, 0.5},
        {"redciudad.png", 240, 390, 0.5},
        {"redmetro.png", 390, 390, 0.5},
        {"red2.png", 90, 450, 0.5},
        {"red3.png", 160, 450, 0.5},
        {"red4.png", 230, 450, 0.5},
        {"empezar.png", 550, 380, 1},
        {"cursoranimado_1.png", 620, 400}}},
      {"mock_unirse.png",
       {{"panelunirse.png", 100, 140},
        {"volver.png", 510, 520, 0.5},
        {"conectar.png", 140, 380, 1},
        {"cursoranimado_2.png", 220, 400}}},
      {"mock_escritorio.png",
       {{"panelescritorio.png", 100, 100},
        {"volver.png", 510, 520, 1},
        {"cursoranimado_1.png", 560, 540}}},
      {"mock_jugadores.png",
       {{"seleccionjugadores.png", 100, 200},
        {"volver.png", 385, 345, 0.5},
        {"jugadores2.png", 150, 275, 0.5},
        {"jugadores3.png", 360, 275, 1},
        {"jugadores4.png", 150, 345, 0.5},
        {"cursoranimado_4.png", 450, 300}}},
      Options("mock_opciones.png", 0, 0.8, 0.35, {}),
      Options("mock_opciones_tecla.png", -1, 1, 0, {{"presioneunatecla.png", 170, 250}}),
      {"mock_creditos.png",
       {{"panelcreditos.png", 100, 100},
        {"ok.png", 590, 520, 1},
        {"cursoranimado_5.png", 640, 540}}},
      {"mock_salir.png",
       {{"seguroquedeseasalir.png", 200, 300},
        {"si.png", 300, 360, 0.5},
        {"no.png", 420, 360, 1},
        {"cursoranimado_1.png", 460, 380}}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: menumock PICTURE_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  std::vector<Screen> screens = Screens();
  for (int slide = 1; slide <= 14; ++slide) {
    char name[32];
    std::snprintf(name, sizeof name, "tutorial%02d.png", slide);
    Screen screen{std::string("mock_") + name, {{name, 0, 0}}, false};
    if (slide == 5 || slide == 6 || slide == 7 || slide == 10)
      screen.pictures.push_back({"intro.png", 700, 125});
    if (slide == 14) screen.pictures.push_back({"esc.png", 25, 125});
    screens.push_back(screen);
  }
  for (const Screen& screen : screens)
    if (!Compose(argv[1], screen, argv[2])) return 1;
  return 0;
}
