#pragma once
// A play field with the real entity kinds: a clock on the virtual milliseconds, puppets of one
// bone whose animations last a known time, small images and the real collision blocks.
#include <memory>
#include <vector>

#include "anim/vba.h"
#include "core/sistema.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/game_kinds.h"
#include "entities/jugador.h"
#include "media/draw.h"
#include "media/image.h"
#include "media/input.h"
#include "media/system.h"
#include "media/trig.h"
#include "resources/recursos.h"
#include "vgp/vgp.h"

// Every animation of the test sets: blends in, holds its first key frame this long, then rests.
constexpr int kTestAnimMs = 200;

inline VBAPtr OneBoneAnimations(int count) {
  auto vba = VBA::Create();
  vba->root = VBABone::Create();
  vba->boneCount = 1;
  for (int i = 0; i < count; ++i) {
    auto anim = VBAAnim::Create();
    for (int duration : {kTestAnimMs, 0}) {
      auto frame = VBAFrame::Create();
      frame->duration = duration;
      VBABoneState state;
      state.graph = 1;
      frame->states.push_back(state);
      anim->AddFrame(frame);
    }
    vba->anims.push_back(anim);
  }
  vba->animCount = count;
  return vba;
}

inline VGPPtr OneGraphPackage() {
  auto package = VGP::Create();
  auto graph = TGraph::Create();
  graph->width = 10;
  graph->height = 20;
  graph->image = media::CreateImage(10, 20, 1, 0);
  package->Put(1, graph);
  return package;
}

inline media::ImagePtr Block(int width, int height) {
  auto block = media::CreateImage(width, height, 1, media::kImageDynamic);
  media::MidHandleImage(block);
  TRecursos::FillImage(block, 5, 5, 5);
  return block;
}

struct MatchField {
  MatchField() {
    FillTrigTables();
    system = TSistema::Create();
    system->timer = TTimer::Create();
    timer = system->timer;
    resources = TRecursos::Create(system);
    resources->playerAnimation = OneBoneAnimations(14);
    resources->zombieAnimation = OneBoneAnimations(10);
    for (auto& package : resources->playerPackages) package = OneGraphPackage();
    for (auto& package : resources->zombiePackages) package = OneGraphPackage();
    for (auto& image : resources->images) image = media::CreateImage(8, 8, 1, 0);
    resources->tallBlock = Block(25, 90);
    resources->wideBlock = Block(50, 40);
    manager = TAdministrador::Create(system, resources, GameEntityKinds());
  }
  ~MatchField() {
    for (int key : keys) media::Input().KeyEvent(key, false);
  }

  // A player standing at x on the ground, on its own key (65 + slot: A, B, C, D).
  std::shared_ptr<TJugador> AddPlayer(float x) {
    const int slot = manager->GetPlayerCount();
    keys.push_back(65 + slot);
    auto player = std::static_pointer_cast<TJugador>(
        manager->AddPlayer(resources->GetPlayerPackage(slot), keys.back(), 50 + 10 * slot));
    player->x = x;
    return player;
  }

  // One frame of ms game milliseconds: update, then draw (drawing advances the animations).
  void Frame(int ms) {
    media::Sleep(ms);
    timer->Update();
    manager->UpdateAll();
    manager->DrawAll();
  }
  // Frames of at most 10 ms, so that no state rate applies.
  void Quietly(int ms) {
    for (; ms > 0; ms -= 10) Frame(std::min(ms, 10));
  }
  static void Button(const std::shared_ptr<TJugador>& player, bool down) {
    media::Input().KeyEvent(player->buttonCode, down);
  }
  float Now() const { return timer->GetElapsed(false); }

  template <class Kind>
  int Count() const {
    int found = 0;
    manager->entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
      if (dynamic_cast<Kind*>(entity.get())) ++found;
    });
    return found;
  }

  std::shared_ptr<TSistema> system;
  std::shared_ptr<TTimer> timer;
  std::shared_ptr<TRecursos> resources;
  std::shared_ptr<TAdministrador> manager;
  std::vector<int> keys;
};
