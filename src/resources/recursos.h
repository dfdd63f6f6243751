#pragma once
// resources/, above core/: loads and hands out everything a play field draws: character packages,
// animation sets, the image table, the collision blocks and each level's panorama. Loaded once,
// kept for the run.
#include <array>
#include <memory>
#include <string>

#include "media/image.h"
#include "resources/nscrolles.h"

class TSistema;
class VBA;
class VGP;

class TRecursos {
 public:
  static constexpr int kLevels = 3;  // 0 "bosque", 1 "ciudad", 2 "metro"
  static constexpr int kPlayerPackages = 4;
  static constexpr int kZombiePackages = 8;
  static constexpr int kImages = 13;
  static constexpr int kMaxLayers = 16;

  // Null without a system. Loads nothing.
  static std::shared_ptr<TRecursos> Create(std::shared_ptr<TSistema> system);

  // Drops the panoramas and the image table; packages and animation sets stay.
  void Clear();
  // Packages, animation sets, images and blocks, once. A missing package is a critical error.
  void LoadAll();
  // Drops what LoadAll loaded, except the zombie animation set.
  void Unload();
  // Finds the panels "gfx/" + name + layer + "_" + variant + ".png". The empty name empties the
  // level.
  void LoadScroll(int level, const std::string& name);

  int GetLayerCount(int level) const;
  std::shared_ptr<PanelLayer> GetLayer(int level, int n) const;  // null outside 0 … count − 1
  std::shared_ptr<VBA> GetZombieAnimation() const { return zombieAnimation; }
  std::shared_ptr<VBA> GetPlayerAnimation() const { return playerAnimation; }
  std::shared_ptr<VGP> GetZombiePackage(int i) const;  // null outside 0 … 7
  std::shared_ptr<VGP> GetPlayerPackage(int i) const;  // null outside 0 … 3
  media::ImagePtr GetImage(int i) const;               // null outside 0 … 12
  // The signs shown over the field, handled at their centres, but the marker of a player above
  // the screen at the middle of its top edge. Per player: null outside 0 … 3.
  media::ImagePtr GetPauseSign() const { return pauseSign; }
  media::ImagePtr GetDemoSign() const { return demoSign; }
  media::ImagePtr GetWinnerName(int player) const;
  media::ImagePtr GetOffScreenMarker(int player) const;
  // The 25 × 90 block when tall, else the 50 × 40 one: the shapes players and zombies collide with.
  media::ImagePtr GetCollisionBlock(bool tall) const { return tall ? tallBlock : wideBlock; }
  // Every pixel of frame 0 becomes the opaque colour (r, g, b), each taken modulo 256.
  static void FillImage(const media::ImagePtr& image, int r, int g, int b);

  std::shared_ptr<TSistema> system;
  std::array<nscrolles, kLevels> scrolls;
  int loaded = 0;
  std::shared_ptr<VBA> playerAnimation;
  std::shared_ptr<VBA> zombieAnimation;
  std::array<std::shared_ptr<VGP>, kPlayerPackages> playerPackages;
  std::array<std::shared_ptr<VGP>, kZombiePackages> zombiePackages;
  std::array<media::ImagePtr, kImages> images;
  media::ImagePtr pauseSign;
  media::ImagePtr demoSign;
  std::array<media::ImagePtr, kPlayerPackages> winnerNames;
  std::array<media::ImagePtr, kPlayerPackages> offScreenMarkers;
  media::ImagePtr tallBlock;
  media::ImagePtr wideBlock;

 private:
  std::shared_ptr<VGP> LoadPackage(const std::string& path);
  void LoadImageTable();
  void LoadSigns();
  void DropSigns();
  static void EmptyLevel(nscrolles& scroll);
};
