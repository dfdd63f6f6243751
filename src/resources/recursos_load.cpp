#include "anim/vba.h"
#include "core/sistema.h"
#include "resources/recursos.h"
#include "vgp/vgp.h"

namespace {
constexpr int kPackageFlags = media::kImageFiltered | media::kImageMipmapped;
constexpr int kRelativePoints = 1;
constexpr int kBlockShade = 5;

struct ImageEntry {
  const char* path;
  bool centred;
  float handleX, handleY;  // when not centred
};

constexpr ImageEntry kImageTable[TRecursos::kImages] = {
    {"gfx/sombra.png", true, 0, 0},   {"gfx/flecha.png", false, 4, 9},
    {"gfx/1up.png", true, 0, 0},      {"gfx/2up.png", true, 0, 0},
    {"gfx/3up.png", true, 0, 0},      {"gfx/4up.png", true, 0, 0},
    {"gfx/ganador.png", false, 0, 0}, {"gfx/sangre1.png", true, 0, 0},
    {"gfx/sangre2.png", true, 0, 0},  {"gfx/sangre3.png", true, 0, 0},
    {"gfx/sangre4.png", true, 0, 0},  {"gfx/sangre5.png", true, 0, 0},
    {"gfx/chispas.png", true, 0, 0},
};

media::ImagePtr MakeBlock(int width, int height) {
  auto block = media::CreateImage(width, height, 1, media::kImageDynamic);
  media::MidHandleImage(block);
  TRecursos::FillImage(block, kBlockShade, kBlockShade, kBlockShade);
  return block;
}
}  // namespace

std::shared_ptr<VGP> TRecursos::LoadPackage(const std::string& path) {
  auto package = VGP::LoadVGP(path, kPackageFlags, kRelativePoints);
  if (!package) system->CriticalError("error al cargar archivo VGP");
  return package;
}

void TRecursos::LoadImageTable() {
  for (int i = 0; i < kImages; ++i) {
    const ImageEntry& entry = kImageTable[i];
    images[i] = media::LoadImage(entry.path, kPackageFlags);
    if (!images[i]) continue;
    if (entry.centred) {
      media::MidHandleImage(images[i]);
    } else {
      media::SetImageHandle(images[i], entry.handleX, entry.handleY);
    }
  }
}

void TRecursos::LoadAll() {
  if (loaded == 1) return;
  for (int i = 0; i < kPlayerPackages; ++i) {
    playerPackages[i] = LoadPackage("gfx/chr" + std::to_string(i) + ".vgp");
  }
  for (int i = 1; i <= kZombiePackages; ++i) {
    zombiePackages[i - 1] = LoadPackage("gfx/zombie" + std::to_string(i) + ".vgp");
  }
  // The third zombie look has always been drawn from the first file; kept so the horde looks the
  // way it always has.
  zombiePackages[2] = LoadPackage("gfx/zombie1.vgp");
  playerAnimation = VBA::Load("anim/animchr.vba");
  zombieAnimation = VBA::Load("anim/animzombie.vba");
  LoadImageTable();
  LoadSigns();
  tallBlock = MakeBlock(25, 90);
  wideBlock = MakeBlock(50, 40);
  loaded = 1;
}
