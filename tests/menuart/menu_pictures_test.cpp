// The menu and tutorial pictures: every file the screens load is built and decodes, and each
// is cut to the place its screen draws it at.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/image.h"

namespace {

namespace fs = std::filesystem;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kSlideBandBottom = 115;  // slides keep their text above this line

struct Placement {
  const char* name;
  int x, y;
};

// Where the menu screens draw each picture (top-left handle).
const std::vector<Placement> kMainButtons = {{"Jugar.png", 300, 200},
                                             {"Opciones.png", 320, 275},
                                             {"Creditos.png", 340, 350},
                                             {"Salir.png", 360, 425}};

const std::vector<Placement> kPanelsAndButtons = {{"seleccionescenario.png", 100, 100},
                                                  {"volver.png", 510, 520},
                                                  {"level1.png", 400, 350},
                                                  {"level2.png", 400, 150},
                                                  {"level3.png", 120, 350},
                                                  {"leveltutorial.png", 120, 150},
                                                  {"seleccionjugadores.png", 100, 200},
                                                  {"volver.png", 385, 345},
                                                  {"jugadores2.png", 150, 275},
                                                  {"jugadores3.png", 360, 275},
                                                  {"jugadores4.png", 150, 345},
                                                  {"panelcreditos.png", 100, 100},
                                                  {"ok.png", 590, 520},
                                                  {"seguroquedeseasalir.png", 200, 300},
                                                  {"si.png", 300, 360},
                                                  {"no.png", 420, 360},
                                                  {"panelopciones.png", 50, 100},
                                                  {"teclaj1.png", 100, 180},
                                                  {"teclaj2.png", 100, 230},
                                                  {"teclaj3.png", 100, 280},
                                                  {"teclaj4.png", 100, 330},
                                                  {"volmusica.png", 100, 380},
                                                  {"volsonido.png", 100, 430},
                                                  {"ok.png", 100, 500},
                                                  {"cancelar.png", 200, 500},
                                                  {"enred.png", 120, 520},
                                                  {"panelred.png", 100, 100},
                                                  {"crearpartida.png", 130, 220},
                                                  {"unirse.png", 420, 220},
                                                  {"jugadoresaqui.png", 130, 330},
                                                  {"panelanfitrion.png", 50, 100},
                                                  {"redbosque.png", 90, 390},
                                                  {"redciudad.png", 240, 390},
                                                  {"redmetro.png", 390, 390},
                                                  {"red2.png", 90, 450},
                                                  {"red3.png", 160, 450},
                                                  {"red4.png", 230, 450},
                                                  {"empezar.png", 550, 380},
                                                  {"elegidoescenario.png", 384, 384},
                                                  {"elegidojugadores.png", 224, 444},
                                                  {"panelunirse.png", 100, 140},
                                                  {"conectar.png", 140, 380},
                                                  {"panelescritorio.png", 100, 100},
                                                  {"intro.png", 700, 125},
                                                  {"esc.png", 25, 125},
                                                  {"menu.png", 0, 0}};

std::string MenuFolder() {
  return std::string(SKULL_BUILD_DIR) + "/gfx/menu";
}

std::vector<std::string> SlideNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= 14; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "tutorial%02d.png", i);
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> AllNames() {
  std::vector<std::string> names = SlideNames();
  for (const auto& list : {kMainButtons, kPanelsAndButtons})
    for (const Placement& p : list) names.push_back(p.name);
  for (int i = 1; i <= 5; ++i) names.push_back("cursoranimado_" + std::to_string(i) + ".png");
  for (const char* name : {"sliderbar.png", "sliderbutton.png", "presioneunatecla.png"})
    names.push_back(name);
  return names;
}

media::ImagePtr Load(const std::string& name) {
  return media::LoadImage(MenuFolder() + "/" + name);
}

uint32_t Alpha(const media::Image& image, int x, int y) {
  return image.Pixels(0)[static_cast<size_t>(y) * image.Width() + x] >> 24;
}

TEST(MenuPictures, EveryPictureTheScreensLoadIsBuiltAndDecodes) {
  for (const std::string& name : AllNames()) {
    media::ImagePtr image = Load(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_GT(image->Width(), 0) << name;
  }
}

// The main buttons are painted at their grown size (the menu draws them at half of it at rest),
// and grown from their places they still fit the screen.
TEST(MenuPictures, MainButtonsArePaintedAtTheirGrownSizeAndFitTheScreen) {
  for (const Placement& button : kMainButtons) {
    media::ImagePtr image = Load(button.name);
    ASSERT_NE(image, nullptr) << button.name;
    EXPECT_EQ(image->Width(), 2 * 216) << button.name;
    EXPECT_EQ(image->Height(), 2 * 72) << button.name;
    EXPECT_LE(button.x + image->Width(), kScreenWidth) << button.name;
    EXPECT_LE(button.y + image->Height(), kScreenHeight) << button.name;
  }
}

// A panel reads as one card: every one of its buttons lies on its picture.
TEST(MenuPictures, EveryPanelHoldsItsButtons) {
  const std::vector<std::pair<Placement, std::vector<Placement>>> panels = {
      {{"seleccionescenario.png", 100, 100},
       {{"volver.png", 510, 520},
        {"level1.png", 400, 350},
        {"level2.png", 400, 150},
        {"level3.png", 120, 350},
        {"leveltutorial.png", 120, 150},
        {"enred.png", 120, 520}}},
      {{"panelred.png", 100, 100},
       {{"volver.png", 510, 520},
        {"crearpartida.png", 130, 220},
        {"unirse.png", 420, 220},
        {"jugadoresaqui.png", 130, 330}}},
      {{"panelanfitrion.png", 50, 100},
       {{"volver.png", 550, 520},
        {"redbosque.png", 90, 390},
        {"redmetro.png", 390, 390},
        {"red4.png", 230, 450},
        {"empezar.png", 550, 380}}},
      {{"panelunirse.png", 100, 140}, {{"volver.png", 510, 520}, {"conectar.png", 140, 380}}},
      {{"panelescritorio.png", 100, 100}, {{"volver.png", 510, 520}}},
      {{"seleccionjugadores.png", 100, 200},
       {{"volver.png", 385, 345}, {"jugadores2.png", 150, 275}, {"jugadores4.png", 150, 345}}},
      {{"panelcreditos.png", 100, 100}, {{"ok.png", 590, 520}}},
      {{"seguroquedeseasalir.png", 200, 300}, {{"si.png", 300, 360}, {"no.png", 420, 360}}},
      {{"panelopciones.png", 50, 100}, {{"ok.png", 100, 500}, {"cancelar.png", 200, 500}}},
  };
  for (const auto& [panel, buttons] : panels) {
    media::ImagePtr card = Load(panel.name);
    ASSERT_NE(card, nullptr) << panel.name;
    for (const Placement& button : buttons) {
      media::ImagePtr image = Load(button.name);
      ASSERT_NE(image, nullptr) << button.name;
      EXPECT_GE(button.x, panel.x) << button.name << " on " << panel.name;
      EXPECT_GE(button.y, panel.y) << button.name << " on " << panel.name;
      EXPECT_LE(button.x + image->Width(), panel.x + card->Width()) << button.name;
      EXPECT_LE(button.y + image->Height(), panel.y + card->Height()) << button.name;
    }
  }
}

TEST(MenuPictures, PanelsButtonsAndPromptsFitTheScreenWhereTheyAreDrawn) {
  for (const Placement& p : kPanelsAndButtons) {
    media::ImagePtr image = Load(p.name);
    ASSERT_NE(image, nullptr) << p.name;
    EXPECT_LE(p.x + image->Width(), kScreenWidth) << p.name;
    EXPECT_LE(p.y + image->Height(), kScreenHeight) << p.name;
  }
  // The key prompt is centred on the screen over the options panel.
  media::ImagePtr prompt = Load("presioneunatecla.png");
  ASSERT_NE(prompt, nullptr);
  EXPECT_LE(prompt->Width(), kScreenWidth);
  EXPECT_LE(prompt->Height(), kScreenHeight);
}

TEST(MenuPictures, BackgroundAndSlidesCoverTheScreenAndSlidesKeepToTheTopBand) {
  media::ImagePtr background = Load("menu.png");
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Width(), kScreenWidth);
  EXPECT_EQ(background->Height(), kScreenHeight);
  EXPECT_EQ(Alpha(*background, 400, 300), 255u);
  for (const std::string& name : SlideNames()) {
    media::ImagePtr slide = Load(name);
    ASSERT_NE(slide, nullptr) << name;
    ASSERT_EQ(slide->Width(), kScreenWidth) << name;
    ASSERT_EQ(slide->Height(), kScreenHeight) << name;
    EXPECT_GT(Alpha(*slide, 400, 60), 128u) << name << " shows nothing in its band";
    for (int y = kSlideBandBottom + 1; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x)
        ASSERT_EQ(Alpha(*slide, x, y), 0u) << name << " covers (" << x << ", " << y << ")";
  }
}

// The options draw the slider pieces without blending, so any see-through pixel would show.
TEST(MenuPictures, SliderPiecesAreOpaqueAndThePointerTipIsItsTopLeftCorner) {
  for (const char* name : {"sliderbar.png", "sliderbutton.png"}) {
    media::ImagePtr image = Load(name);
    ASSERT_NE(image, nullptr) << name;
    for (int y = 0; y < image->Height(); ++y)
      for (int x = 0; x < image->Width(); ++x)
        ASSERT_EQ(Alpha(*image, x, y), 255u) << name << " at (" << x << ", " << y << ")";
  }
  for (int i = 1; i <= 5; ++i) {
    media::ImagePtr frame = Load("cursoranimado_" + std::to_string(i) + ".png");
    ASSERT_NE(frame, nullptr);
    EXPECT_GT(Alpha(*frame, 1, 1), 128u) << "frame " << i;
  }
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The texts a sheet writes on one of its pictures, in order.
std::vector<std::string> TextsOf(const std::string& sheet, const std::string& image) {
  std::ifstream file(std::string(SKULL_SOURCE_DIR) + "/assets/menu/" + sheet);
  std::vector<std::string> texts;
  bool inImage = false;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("image", 0) == 0) inImage = line.find("| " + image + " ") != std::string::npos;
    if (inImage && line.rfind("text", 0) == 0) texts.push_back(line.substr(line.rfind("| ") + 2));
  }
  return texts;
}

// The credits are read by players: nothing about how the game is built or tested.
TEST(MenuPictures, TheCreditsSpeakToPlayers) {
  const std::vector<std::string> texts = TextsOf("panels.sheet", "panelcreditos.png");
  ASSERT_GE(texts.size(), 5u);
  EXPECT_EQ(texts.back(), "¡Gracias por jugar!");
  for (const std::string& text : texts) {
    for (const char* builders :
         {"compil", "proyecto", "GoogleTest", "Benchmark", "Cairo", "librsvg", "Hecho con"}) {
      EXPECT_EQ(text.find(builders), std::string::npos) << text;
    }
  }
}

class MenuBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("menugen_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  int Run(const std::string& sheet, const fs::path& out, const fs::path& log) {
    std::string tool = std::string(SKULL_BUILD_DIR) + "/tools/menugen/menugen";
    return std::system((tool + " " + sheet + " " + out.string() + " 2>" + log.string()).c_str());
  }
  fs::path dir_;
};

TEST_F(MenuBuild, PaintingTheSheetsAgainGivesTheSameBytes) {
  fs::path out = dir_ / "again";
  for (const auto& entry : fs::directory_iterator(std::string(SKULL_SOURCE_DIR) + "/assets/menu"))
    if (entry.path().extension() == ".sheet") {
      ASSERT_EQ(Run(entry.path().string(), out, dir_ / "log.txt"), 0) << entry.path();
    }
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(out)) {
    fs::path built = fs::path(MenuFolder()) / entry.path().filename();
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(built)) << entry.path().filename();
    ++compared;
  }
  EXPECT_GE(compared, static_cast<int>(AllNames().size()) - 2);  // volver and ok appear twice
}

TEST_F(MenuBuild, AFaultySheetIsRefusedNamingTheFileAndLine) {
  fs::path sheet = dir_ / "broken.sheet";
  std::ofstream(sheet) << "image | a.png | 10 | 10\nplate | 0 | 0 | 10\n";
  EXPECT_NE(Run(sheet.string(), dir_ / "out", dir_ / "log.txt"), 0);
  std::string log = ReadAll(dir_ / "log.txt");
  EXPECT_NE(log.find("broken.sheet"), std::string::npos) << log;
  EXPECT_NE(log.find("line 2"), std::string::npos) << log;
}

TEST_F(MenuBuild, MissingArtIsReportedByName) {
  fs::path sheet = dir_ / "noart.sheet";
  std::ofstream(sheet) << "image | a.png | 10 | 10\nart | nowhere.svg | 0 | 0 | 10 | 10\n";
  EXPECT_NE(Run(sheet.string(), dir_ / "out", dir_ / "log.txt"), 0);
  std::string log = ReadAll(dir_ / "log.txt");
  EXPECT_NE(log.find("nowhere.svg"), std::string::npos) << log;
}

}  // namespace
