// The aiming arrow as the game draws it on its first frame (the steepest aim, the faintest it
// gets), over the panoramas of every level: it must read wherever a player can aim.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/sistema.h"
#include "entities/flecha_dir.h"
#include "media/draw.h"
#include "media/trig.h"
#include "panorama_files.h"
#include "resources/recursos.h"

namespace scenerytest {
namespace {

constexpr int kArrowImage = 1;
constexpr float kFirstAim = 85;

// The even layers back to front, as the game draws them behind the puppets.
void DrawBackLayers(const Panorama& layers) {
  const int highestEven = (static_cast<int>(layers.size()) - 1) / 2 * 2;
  for (int layer = highestEven; layer >= 0; layer -= 2) media::DrawImage(layers[layer][0], 0, 0, 0);
}

int ChangedPixels(const media::Image& a, const media::Image& b) {
  int changed = 0;
  for (int i = 0; i < a.Width() * a.Height(); ++i) {
    const uint32_t p = a.Pixels(0)[i], q = b.Pixels(0)[i];
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8)
      most = std::max(most, std::abs(static_cast<int>(p >> shift & 0xFF) -
                                     static_cast<int>(q >> shift & 0xFF)));
    changed += most > 48;
  }
  return changed;
}

TEST(ArrowOverTheSky, ReadsFromItsFirstFrameWhereverAPlayerAims) {
  FillTrigTables();
  auto resources = TRecursos::Create(TSistema::Create());
  auto picture = media::LoadImage(GfxPath("flecha.png"));
  ASSERT_NE(picture, nullptr);
  media::SetImageHandle(picture, 4, 9);
  resources->images[kArrowImage] = picture;
  int solid = 0;
  for (int i = 0; i < picture->Width() * picture->Height(); ++i)
    solid += picture->Pixels(0)[i] >> 31;

  auto arrow = TFlechaDir::Create(resources, 0);
  arrow->SetRotation(kFirstAim);
  arrow->Update();
  auto field = media::CreateImage(800, 600, 1, 0), plain = media::CreateImage(800, 600, 1, 0);
  for (const std::string& level : kLevels) {
    media::ResetRenderState();
    media::SetBlend(media::kBlendAlpha);
    media::SetDrawTarget(plain);
    DrawBackLayers(LoadPanorama(level));
    for (int y = 150; y <= 390; y += 80) {
      for (int x = 100; x <= 700; x += 120) {
        std::copy_n(plain->Pixels(0), 800 * 600, field->Pixels(0));
        media::SetDrawTarget(field);
        arrow->SetPosition(static_cast<float>(x), static_cast<float>(y));
        arrow->Draw();
        EXPECT_GE(ChangedPixels(*field, *plain), solid / 2) << level << " at " << x << ", " << y;
      }
    }
  }
  media::SetDrawTarget(nullptr);
  media::ResetRenderState();
}

}  // namespace
}  // namespace scenerytest
