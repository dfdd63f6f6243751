// The generated character data, read back with the game's own readers: every file loads, every
// animation the game plays exists with the rhythm the game relies on, and every graph a key
// frame names is in every package of its kind.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "anim/vba.h"
#include "vgp/vgp.h"

namespace {

const std::string kBuild = SKULL_BUILD_DIR;
constexpr int kOptionalPartMarker = 999;
constexpr int kOptionalPartGraph = 5;

struct Kind {
  std::string animations;
  std::vector<std::string> packages;
  int highestPlayed;  // the game plays animations 1 to this
};

const Kind kPlayers{
    "anim/animchr.vba", {"gfx/chr0.vgp", "gfx/chr1.vgp", "gfx/chr2.vgp", "gfx/chr3.vgp"}, 14};
const Kind kZombies{"anim/animzombie.vba",
                    {"gfx/zombie1.vgp", "gfx/zombie2.vgp", "gfx/zombie3.vgp", "gfx/zombie4.vgp",
                     "gfx/zombie5.vgp", "gfx/zombie6.vgp", "gfx/zombie7.vgp", "gfx/zombie8.vgp"},
                    9};

VBAPtr LoadSet(const Kind& kind) {
  return VBA::Load(kBuild + "/" + kind.animations);
}

std::vector<VBAFramePtr> Frames(const VBAAnimPtr& anim) {
  std::vector<VBAFramePtr> frames;
  for (VBAFramePtr f = anim->firstFrame; f; f = f->next) frames.push_back(f);
  return frames;
}

// The moment a one-shot animation sets `finished`: when its last key frame is reached.
int OneShotLength(const VBAAnimPtr& anim) {
  const auto frames = Frames(anim);
  int length = 0;
  for (size_t i = 0; i + 1 < frames.size(); ++i) length += frames[i]->duration;
  return length;
}

float AngleStep(float a, float b) {
  const float d = std::fmod(std::abs(a - b), 360.0f);
  return std::min(d, 360 - d);
}

// The fastest change of any bone between two key frames, in degrees or pixels per ms.
float Speed(const VBAFrame& from, const VBAFrame& to, int duration) {
  float fastest = 0;
  for (size_t i = 0; i < from.states.size(); ++i) {
    const auto& a = from.states[i];
    const auto& b = to.states[i];
    const float change = std::max(AngleStep(a.angle, b.angle), std::hypot(a.x - b.x, a.y - b.y));
    fastest = std::max(fastest, change / static_cast<float>(duration));
  }
  return fastest;
}

TEST(CharacterData, EveryPackageLoadsAsTheGameLoadsIt) {
  for (const Kind* kind : {&kPlayers, &kZombies}) {
    for (const auto& package : kind->packages) {
      const VGPPtr vgp = VGP::LoadVGP(kBuild + "/" + package, 6, 1);
      ASSERT_TRUE(vgp) << package;
      EXPECT_GT(vgp->count, 1) << package;
    }
    const VBAPtr set = LoadSet(*kind);
    EXPECT_EQ(set->CheckBones(), "") << kind->animations;
    EXPECT_LE(set->boneCount, VBA::kMaxBones);
  }
}

TEST(CharacterData, EveryAnimationTheGamePlaysExists) {
  for (const Kind* kind : {&kPlayers, &kZombies}) {
    const VBAPtr set = LoadSet(*kind);
    ASSERT_GT(set->animCount, kind->highestPlayed) << kind->animations;
    for (int i = 0; i <= kind->highestPlayed; ++i) {
      ASSERT_TRUE(set->anims[i] && set->anims[i]->firstFrame) << kind->animations << " #" << i;
      for (const auto& frame : Frames(set->anims[i])) {
        EXPECT_EQ(static_cast<int>(frame->states.size()), set->boneCount);
      }
    }
  }
}

TEST(CharacterData, EveryGraphAKeyFrameNamesIsInEveryPackageOfItsKind) {
  for (const Kind* kind : {&kPlayers, &kZombies}) {
    const VBAPtr set = LoadSet(*kind);
    for (const auto& package : kind->packages) {
      const VGPPtr vgp = VGP::LoadVGP(kBuild + "/" + package, 6, 1);
      bool marksOptionalPart = false;
      for (const auto& anim : set->anims) {
        for (const auto& frame : Frames(anim)) {
          for (const auto& state : frame->states) {
            if (state.graph == kOptionalPartMarker) {
              marksOptionalPart = true;
              continue;
            }
            if (state.graph == 0) continue;
            const TGraphPtr graph = vgp->Get(state.graph);
            EXPECT_TRUE(graph && graph != emptyGraph) << package << " lacks graph " << state.graph;
          }
        }
      }
      if (kind == &kZombies) {
        EXPECT_TRUE(marksOptionalPart);
        const TGraphPtr part = vgp->Get(kOptionalPartGraph);
        EXPECT_TRUE(part && part != emptyGraph) << package << " lacks its optional part";
      }
    }
  }
}

TEST(CharacterData, OneShotAnimationsKeepTheGamesRhythm) {
  const VBAPtr set = LoadSet(kPlayers);
  struct Range {
    int index, shortest, longest;
  };
  // jump, knocked, rise, rebound, clash
  for (const Range& r : {Range{3, 250, 350}, Range{7, 400, 600}, Range{9, 400, 600},
                         Range{10, 300, 500}, Range{11, 300, 500}}) {
    const int length = OneShotLength(set->anims[r.index]);
    EXPECT_GE(length, r.shortest) << "animation " << r.index;
    EXPECT_LE(length, r.longest) << "animation " << r.index;
  }
  EXPECT_GT(OneShotLength(LoadSet(kZombies)->anims[9]), 0);
}

// A loop's last key frame blends back into its first over its own duration: that step must be
// no faster than the loop's own steps, or the loop visibly jumps.
TEST(CharacterData, LoopsCloseWithoutAJump) {
  const std::vector<std::pair<const Kind*, std::vector<int>>> loops = {
      {&kPlayers, {1, 2, 4, 5, 6, 8, 13}}, {&kZombies, {1, 2, 3, 4, 5, 6, 7, 8}}};
  for (const auto& [kind, indexes] : loops) {
    const VBAPtr set = LoadSet(*kind);
    for (int index : indexes) {
      const auto frames = Frames(set->anims[index]);
      ASSERT_GE(frames.size(), 2u) << kind->animations << " #" << index;
      float inner = 0;
      for (size_t i = 0; i + 1 < frames.size(); ++i) {
        ASSERT_GT(frames[i]->duration, 0);
        inner = std::max(inner, Speed(*frames[i], *frames[i + 1], frames[i]->duration));
      }
      const VBAFrame& last = *frames.back();
      ASSERT_GT(last.duration, 0) << kind->animations << " #" << index;
      EXPECT_LE(Speed(last, *frames.front(), last.duration), inner * 1.05f + 1e-4f)
          << kind->animations << " #" << index;
    }
  }
}

// Walks 2, 4, 6, 8 are 1, 3, 5, 7 turned to face left: offsets and angles mirrored and every
// image taken from its flipped copy.
TEST(CharacterData, LeftWalksMirrorTheRightWalks) {
  const VBAPtr set = LoadSet(kZombies);
  for (int right : {1, 3, 5, 7}) {
    const auto a = Frames(set->anims[right]);
    const auto b = Frames(set->anims[right + 1]);
    ASSERT_EQ(a.size(), b.size());
    for (size_t f = 0; f < a.size(); ++f) {
      EXPECT_EQ(a[f]->duration, b[f]->duration);
      for (size_t i = 0; i < a[f]->states.size(); ++i) {
        const auto& s = a[f]->states[i];
        const auto& m = b[f]->states[i];
        EXPECT_FLOAT_EQ(m.x, -s.x);
        EXPECT_FLOAT_EQ(m.angle, -s.angle);
        if (s.graph != 0 && s.graph != kOptionalPartMarker) {
          EXPECT_NE(m.graph, s.graph);
        }
      }
    }
  }
}

}  // namespace
