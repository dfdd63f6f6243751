// A match nobody won: the last players fell together. Nobody walks to the centre; the draw picture
// rises where the winner picture would.
#include <string>

#include "game/juego.h"
#include "media/display.h"
#include "media/draw.h"

namespace {
constexpr const char* kDrawPicturePath = "gfx/empate.png";
constexpr int kPictureFlags = media::kImageFiltered | media::kImageMipmapped;
constexpr float kCentreX = 400.0f;

struct Words {
  const char* utf8;
  float top;
  float scale;
  int r, g, b;
};

// Without the picture, the same words in the built-in font (capitals about 19 px) on the black
// screen, large enough to read from the sofa.
constexpr Words kDrawWords[] = {
    {"¡EMPATE!", 200, 2.5f, 216, 240, 138},
    {"La horda se los comió a todos", 320, 1.25f, 241, 232, 207},
    {"Pulsa una tecla", 400, 1, 255, 226, 122},
};

void WriteCentred(const Words& words) {
  const std::string text = media::Latin1(words.utf8);
  media::SetColor(words.r, words.g, words.b);
  media::SetTransform(0, words.scale, words.scale);
  media::DrawText(text, kCentreX - media::TextWidth(text) * words.scale / 2, words.top);
}
}  // namespace

media::ImagePtr TJuego::LoadDrawPicture() {
  return media::LoadImage(kDrawPicturePath, kPictureFlags);
}

void TJuego::ShowDraw() {
  if (drawPicture) {
    RisePicture(drawPicture);
    return;
  }
  media::SetAlpha(1);
  media::SetBlend(media::kBlendAlpha);
  for (const Words& words : kDrawWords) WriteCentred(words);
  media::SetTransform(0, 1, 1);
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  media::Clear();
}
