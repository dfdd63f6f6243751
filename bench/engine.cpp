// Posing a skeleton, and one frame of a crowded play field (update and draw) on the headless
// surface. The field uses bone-drawing stand-ins for the players and zombies: the same AnimState
// and VGP work per figure as the real kinds, without their game rules.
#include <benchmark/benchmark.h>

#include <vector>

#include "anim/anim_state.h"
#include "anim/vba.h"
#include "core/sistema.h"
#include "entities/administrador.h"
#include "media/display.h"
#include "media/draw.h"
#include "media/system.h"
#include "media/trig.h"
#include "resources/recursos.h"
#include "vgp/vgp.h"

namespace {

constexpr int kBones = 16;
constexpr int kSplats = 60;
// Parent of bones 1 … 15: torso, neck, head, two arms of three bones, two legs of three bones.
constexpr int kParents[kBones - 1] = {0, 1, 2, 1, 4, 5, 1, 7, 8, 0, 10, 11, 0, 13, 14};

VBAPtr MakeWalkSet() {
  FillTrigTables();
  auto set = VBA::Create();
  std::vector<VBABonePtr> bones{VBABone::Create()};
  for (int i = 1; i < kBones; ++i) {
    auto bone = VBABone::Create();
    bone->id = i;
    bones[kParents[i - 1]]->AddChild(bone);
    bones.push_back(bone);
  }
  set->root = bones[0];
  set->boneCount = kBones;
  auto walk = VBAAnim::Create();
  for (int key = 0; key < 4; ++key) {
    auto frame = VBAFrame::Create();
    frame->duration = 200;
    frame->states.resize(kBones);
    for (int i = 0; i < kBones; ++i) {
      VBABoneState& s = frame->states[i];
      s.x = i == 0 ? 0.0f : 18.0f;
      s.y = i == 0 ? -60.0f : 2.0f;
      s.angle = static_cast<float>((i * 37 + key * 95) % 360);
      s.depth = (i * 7 + key) % 5;
      s.graph = i + 1;
    }
    walk->AddFrame(frame);
  }
  set->anims.push_back(walk);
  set->animCount = 1;
  return set;
}

VGPPtr MakePackage() {
  auto package = VGP::Create();
  for (int slot = 1; slot <= kBones; ++slot) {
    auto graph = TGraph::Create();
    graph->width = 14 + slot % 3 * 6;
    graph->height = 30 + slot % 4 * 8;
    graph->image = media::CreateImage(graph->width, graph->height, 1, media::kImageFiltered);
    TRecursos::FillImage(graph->image, 90 + slot * 9, 120, 80);
    graph->ApplyHandle();
    package->Put(slot, graph);
  }
  return package;
}

// A puppet drawn from its bones, as players and zombies draw themselves.
class Figure : public TEntidad {
 public:
  Figure(const VBAPtr& set, VGPPtr package, float atX, int figureDepth) {
    anim = AnimState::Create(set);
    graphics = std::move(package);
    x = atX;
    depth = figureDepth;
  }
  void Update() override { x += 0.01f * timer->GetDelta(false); }
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }
  void Draw() override {
    const float now = timer->GetElapsed(false);
    ApplyRenderState();
    anim->Update(now);
    anim->Pose(now, scaleX, scaleY, rotation);
    for (const RepBone& b : anim->repBones) {
      if (b.graph == 0 || b.graph >= graphics->count) continue;
      media::SetTransform(b.angle, b.scale * scaleX, b.scale * scaleY);
      media::DrawImage(graphics->graphs[b.graph]->image, x + b.x, y + b.y, 0);
    }
  }
  std::shared_ptr<AnimState> anim;
};

void PoseSkeleton(benchmark::State& state) {
  auto anim = AnimState::Create(MakeWalkSet());
  anim->Play(0, 0, 1, 0, 0);
  float now = 0;
  for (auto _ : state) {
    now += 16.6f;
    anim->Update(now);
    anim->Pose(now, -1.0f, 1.0f, 12.5f);
    benchmark::DoNotOptimize(anim->repBones.data());
  }
}
BENCHMARK(PoseSkeleton);

void FieldFrame(benchmark::State& state) {
  media::OpenDisplay(800, 600, 0, 0, 0);
  auto system = TSistema::Create();
  system->timer = TTimer::Create();
  auto resources = TRecursos::Create(system);
  for (int i = 0; i < TRecursos::kImages; ++i) {
    resources->images[i] = media::CreateImage(32, 32, 1, media::kImageFiltered);
    TRecursos::FillImage(resources->images[i], 160, 20, 20);
    media::MidHandleImage(resources->images[i]);
  }
  auto manager = TAdministrador::Create(system, resources);
  auto set = MakeWalkSet();
  auto package = MakePackage();
  int figures = 0;
  for (int count : {4, 10, 3}) {  // players, horde zombies, walkers
    for (int i = 0; i < count; ++i, ++figures) {
      auto figure = std::make_shared<Figure>(set, package, 40.0f * figures, 30 + figures * 5);
      figure->timer = system->timer;
      figure->anim->Play(0, 0, 1, 0, 0);
      manager->Add(figure);
    }
  }
  media::SetBlend(media::kBlendAlpha);
  for (auto _ : state) {
    // Splats live 1 to 1.5 s and grow meanwhile; new ones replace the old, as in a brawl.
    manager->SpawnBlood(400, 400, kSplats - static_cast<int>(manager->entities.Count()) + figures);
    media::Sleep(16);
    system->timer->Update();
    manager->UpdateAll();
    manager->DrawAll();
    media::Clear();
  }
  state.counters["entities"] = static_cast<double>(manager->entities.Count());
}
BENCHMARK(FieldFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
