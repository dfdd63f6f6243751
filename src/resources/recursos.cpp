#include "resources/recursos.h"

std::shared_ptr<TRecursos> TRecursos::Create(std::shared_ptr<TSistema> system) {
  if (!system) return nullptr;
  auto resources = std::make_shared<TRecursos>();
  resources->system = std::move(system);
  return resources;
}

void TRecursos::Unload() {
  if (loaded != 1) return;
  playerPackages.fill(nullptr);
  playerAnimation = nullptr;
  images.fill(nullptr);
  DropSigns();
  zombiePackages.fill(nullptr);
  tallBlock = nullptr;
  wideBlock = nullptr;
  loaded = 0;
}

void TRecursos::Clear() {
  for (auto& scroll : scrolls) EmptyLevel(scroll);
  images.fill(nullptr);
  DropSigns();
  tallBlock = nullptr;
  wideBlock = nullptr;
  loaded = 0;
}

std::shared_ptr<VGP> TRecursos::GetZombiePackage(int i) const {
  return i >= 0 && i < kZombiePackages ? zombiePackages[i] : nullptr;
}

std::shared_ptr<VGP> TRecursos::GetPlayerPackage(int i) const {
  return i >= 0 && i < kPlayerPackages ? playerPackages[i] : nullptr;
}

media::ImagePtr TRecursos::GetImage(int i) const {
  return i >= 0 && i < kImages ? images[i] : nullptr;
}

void TRecursos::FillImage(const media::ImagePtr& image, int r, int g, int b) {
  if (!image) return;
  const uint32_t argb = 0xFF000000u | (static_cast<uint32_t>(r & 0xFF) << 16) |
                        (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
  const media::PixelBuffer pixels = media::LockImage(image, 0);
  for (int y = 0; y < pixels.height; ++y) {
    uint32_t* row = pixels.Row(y);
    for (int x = 0; x < pixels.width; ++x) row[x] = argb;
  }
  media::UnlockImage(image);
}
