#pragma once
// The animation model the generator builds from a rig script before handing it to the VBA
// writer: bones in file order (index = bone id), and animations of key frames holding one state
// per bone, exactly the values a VBA file stores.
#include <map>
#include <string>
#include <vector>

namespace chargen {

struct BoneState {
  float x = 0;
  float y = 0;
  float angle = 0;
  float scale = 1;
  int depth = 0;
  int graph = 0;
};

struct BoneDef {
  std::string name;
  int parent = -1;  // index of the parent bone; -1 for the root
  BoneState rest;   // offset from the parent joint, depth and graph every pose starts from
};

// A two-bone limb plus its end piece (thigh, shin, foot or upper arm, lower arm, hand).
struct Chain {
  int upper = 0;
  int lower = 0;
  int end = 0;
  float bend = 1;  // +1: the middle joint points forward (knees); -1: backward (elbows)
};

struct KeyFrame {
  int duration = 0;
  std::vector<BoneState> states;  // one per bone, by bone id
};

struct Animation {
  std::string name;
  bool loop = false;
  std::vector<KeyFrame> frames;  // empty = this index is unused
};

struct Rig {
  std::vector<BoneDef> bones;
  std::map<std::string, Chain> chains;
  // Left-facing copies of graph g live at g + mirrorOffset (0 = the kind has none).
  int mirrorOffset = 0;
  std::vector<Animation> anims;  // by animation index

  int FindBone(const std::string& name) const;  // -1 when unknown
};

// A graph that no mirror table maps: 0 (no image) and the optional-part marker.
constexpr int kOptionalPartGraph = 999;

}  // namespace chargen
