// Loading everything a play field draws: packages, animation sets, the image table and blocks.
#include <gtest/gtest.h>

#include <filesystem>

#include "anim/vba.h"
#include "core/sistema.h"
#include "media/system.h"
#include "resources/recursos.h"
#include "support/temp_folder.h"
#include "vgp/vgp.h"

namespace {

// A package whose graph count tells it apart from the others.
void WritePackage(const std::string& path, int graphs) {
  auto package = VGP::Create();
  for (int slot = 1; slot <= graphs; ++slot) {
    auto graph = TGraph::Create();
    graph->width = graph->height = 2;
    graph->image = media::CreateImage(2, 2, 1, media::kImageDynamic);
    TRecursos::FillImage(graph->image, slot, 0, 0);
    package->Put(slot, graph);
  }
  package->Save(path);
}

void WriteAnimationSet(const std::string& path, int duration) {
  auto set = VBA::Create();
  set->root = VBABone::Create();
  set->boneCount = 1;
  auto frame = VBAFrame::Create();
  frame->duration = duration;
  frame->states.resize(1);
  auto anim = VBAAnim::Create();
  anim->AddFrame(frame);
  set->anims.push_back(anim);
  set->animCount = 1;
  set->Save(path);
}

struct LoadAllTest : ::testing::Test {
  LoadAllTest() {
    for (int i = 0; i < 4; ++i) WritePackage("gfx/chr" + std::to_string(i) + ".vgp", 10 + i);
    for (int i = 1; i <= 8; ++i) WritePackage("gfx/zombie" + std::to_string(i) + ".vgp", i);
    WriteAnimationSet("anim/animchr.vba", 100);
    WriteAnimationSet("anim/animzombie.vba", 200);
    TempFolder::WritePng("gfx/sombra.png", 0xFF101010, 40, 10);
    TempFolder::WritePng("gfx/flecha.png", 0xFF202020, 60, 18);
    TempFolder::WritePng("gfx/ganador.png", 0xFF303030, 80, 20);
  }
  TempFolder folder;
  std::shared_ptr<TRecursos> resources = TRecursos::Create(TSistema::Create());
};

TEST_F(LoadAllTest, PackagesComeFromTheirFilesWithTheThirdZombieFromTheFirst) {
  resources->LoadAll();
  EXPECT_EQ(resources->loaded, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(resources->GetPlayerPackage(i)->count, 11 + i);
  const int expected[8] = {1, 2, 1, 4, 5, 6, 7, 8};  // graphs of zombie file 1, 2, 1, 4, …
  for (int i = 0; i < 8; ++i) EXPECT_EQ(resources->GetZombiePackage(i)->count, expected[i] + 1);
  EXPECT_EQ(resources->GetPlayerAnimation()->anims[0]->totalTime, 100);
  EXPECT_EQ(resources->GetZombieAnimation()->anims[0]->totalTime, 200);
}

TEST_F(LoadAllTest, ImagesGetTheirHandlesAndMissingOnesStayEmpty) {
  resources->LoadAll();
  EXPECT_FLOAT_EQ(resources->GetImage(0)->HandleX(), 20);
  EXPECT_FLOAT_EQ(resources->GetImage(0)->HandleY(), 5);
  EXPECT_FLOAT_EQ(resources->GetImage(1)->HandleX(), 4);
  EXPECT_FLOAT_EQ(resources->GetImage(1)->HandleY(), 9);
  EXPECT_FLOAT_EQ(resources->GetImage(6)->HandleX(), 0);
  EXPECT_FLOAT_EQ(resources->GetImage(6)->HandleY(), 0);
  EXPECT_EQ(resources->GetImage(0)->Flags() & 6, 6);
  EXPECT_EQ(resources->GetImage(7), nullptr);  // not reported
}

TEST_F(LoadAllTest, CollisionBlocksAreSolidMidHandledShapes) {
  resources->LoadAll();
  const struct {
    bool tall;
    int width, height;
  } blocks[] = {{true, 25, 90}, {false, 50, 40}};
  for (const auto& b : blocks) {
    auto block = resources->GetCollisionBlock(b.tall);
    ASSERT_EQ(block->Width(), b.width);
    ASSERT_EQ(block->Height(), b.height);
    EXPECT_FLOAT_EQ(block->HandleX(), b.width / 2.0f);
    EXPECT_FLOAT_EQ(block->HandleY(), b.height / 2.0f);
    for (int i = 0; i < b.width * b.height; ++i) ASSERT_EQ(block->Pixels(0)[i], 0xFF050505u);
  }
}

TEST_F(LoadAllTest, ASecondLoadLoadsNothingAndUnloadKeepsTheZombieSet) {
  resources->LoadAll();
  auto package = resources->GetPlayerPackage(0);
  std::filesystem::remove_all("gfx");
  resources->LoadAll();
  EXPECT_EQ(resources->GetPlayerPackage(0), package);

  resources->Unload();
  EXPECT_EQ(resources->loaded, 0);
  EXPECT_EQ(resources->GetPlayerPackage(0), nullptr);
  EXPECT_EQ(resources->GetZombiePackage(0), nullptr);
  EXPECT_EQ(resources->GetPlayerAnimation(), nullptr);
  EXPECT_EQ(resources->GetImage(0), nullptr);
  EXPECT_EQ(resources->GetCollisionBlock(true), nullptr);
  EXPECT_NE(resources->GetZombieAnimation(), nullptr);
}

TEST_F(LoadAllTest, AMissingPackageIsFatal) {
  std::filesystem::remove("gfx/zombie6.vgp");
  EXPECT_THROW(resources->LoadAll(), media::RuntimeError);
  EXPECT_EQ(resources->loaded, 0);
}

}  // namespace
