#include "vba_json.h"

#include <limits>

namespace {

using jsonkit::JsonError;
using jsonkit::Value;

Value BoneToJson(const VBABone& bone) {
  Value json = Value::Object();
  json.Set("id", Value::Integer(bone.id));
  json.Set("name", Value::String(jsonkit::Latin1ToUtf8(bone.name)));
  json.Set("extra1", Value::Integer(bone.extra1));
  json.Set("extra2", Value::Integer(bone.extra2));
  Value children = Value::Array();
  for (const VBABonePtr& child : bone.children) children.Push(BoneToJson(*child));
  json.Set("children", children);
  return json;
}

Value FrameToJson(const VBAFrame& frame) {
  Value states = Value::Array();
  for (const VBABoneState& state : frame.states) {
    Value json = Value::Object();
    json.Set("x", Value::Float(state.x));
    json.Set("y", Value::Float(state.y));
    json.Set("angle", Value::Float(state.angle));
    json.Set("scale", Value::Float(state.scale));
    json.Set("depth", Value::Integer(state.depth));
    json.Set("graph", Value::Integer(state.graph));
    states.Push(json);
  }
  Value json = Value::Object();
  json.Set("duration", Value::Integer(frame.duration));
  json.Set("states", states);
  return json;
}

Value AnimToJson(const VBAAnim& anim) {
  Value frames = Value::Array();
  for (const VBAFrame* frame = anim.firstFrame.get(); frame; frame = frame->next.get()) {
    frames.Push(FrameToJson(*frame));
  }
  Value json = Value::Object();
  json.Set("frameCount", Value::Integer(anim.frameCount));
  json.Set("totalTime", Value::Integer(anim.totalTime));
  json.Set("frames", frames);
  return json;
}

// An integer the file stores in 16 bits.
int32_t Field16(const Value& json, const std::string& key) {
  const int64_t value = json.Get(key).AsInteger(key);
  if (value < 0 || value > 65535) throw JsonError(key + " must be 0 to 65535");
  return static_cast<int32_t>(value);
}

VBABonePtr BoneFromJson(const Value& json, int depth) {
  if (depth > VBA::kMaxBones) throw JsonError("the skeleton is deeper than 64 bones");
  VBABonePtr bone = VBABone::Create();
  const int64_t id = json.Get("id").AsInteger("id");
  if (id < 0 || id >= VBA::kMaxBones) throw JsonError("a bone id must be 0 to 63");
  bone->id = static_cast<int32_t>(id);
  bone->name = jsonkit::Utf8ToLatin1(json.Get("name").AsString("name"));
  if (bone->name.find_first_of(std::string("\n\r\0", 3)) != std::string::npos) {
    throw JsonError("a bone name cannot hold line breaks or NUL");
  }
  bone->extra1 = Field16(json, "extra1");
  bone->extra2 = Field16(json, "extra2");
  for (const Value& child : json.Get("children").AsArray("children")) {
    bone->AddChild(BoneFromJson(child, depth + 1));
  }
  return bone;
}

int32_t CountBones(const VBABone& bone) {
  int32_t count = 1;
  for (const VBABonePtr& child : bone.children) count += CountBones(*child);
  return count;
}

VBAFramePtr FrameFromJson(const Value& json, int32_t boneCount) {
  VBAFramePtr frame = VBAFrame::Create();
  frame->duration = Field16(json, "duration");
  const std::vector<Value>& states = json.Get("states").AsArray("states");
  if (static_cast<int32_t>(states.size()) != boneCount) {
    throw JsonError("every frame needs one state per bone");
  }
  for (const Value& state : states) {
    frame->states.push_back({state.Get("x").AsFloat("x"), state.Get("y").AsFloat("y"),
                             state.Get("angle").AsFloat("angle"),
                             state.Get("scale").AsFloat("scale"), Field16(state, "depth"),
                             Field16(state, "graph")});
  }
  return frame;
}

VBAAnimPtr AnimFromJson(const Value& json, int32_t boneCount) {
  VBAAnimPtr anim = VBAAnim::Create();
  const std::vector<Value>& frames = json.Get("frames").AsArray("frames");
  if (frames.empty()) throw JsonError("every animation needs at least one frame");
  for (const Value& frame : frames) anim->AddFrame(FrameFromJson(frame, boneCount));
  // A stored count of 0 with its one frame is kept as it was read.
  anim->frameCount = Field16(json, "frameCount");
  if (anim->frameCount != static_cast<int32_t>(frames.size()) &&
      !(anim->frameCount == 0 && frames.size() == 1)) {
    throw JsonError("frameCount must match the frames");
  }
  return anim;
}

}  // namespace

Value VbaToJson(const VBA& set) {
  Value json = Value::Object();
  json.Set("version", Value::Integer(set.version));
  json.Set("headerNumber", Value::Float(set.headerNumber));
  json.Set("boneCount", Value::Integer(set.boneCount));
  json.Set("root", set.root ? BoneToJson(*set.root) : Value());
  Value anims = Value::Array();
  for (int32_t i = 0; i < set.animCount; ++i) anims.Push(AnimToJson(*set.anims[i]));
  json.Set("anims", anims);
  return json;
}

VBAPtr VbaFromJson(const Value& json) {
  VBAPtr set = VBA::Create();
  set->headerNumber = json.Get("headerNumber").AsFloat("headerNumber");
  const Value& root = json.Get("root");
  if (root.IsNull()) throw JsonError("the skeleton needs a root bone");
  set->root = BoneFromJson(root, 1);
  set->boneCount = CountBones(*set->root);
  if (const Value* stated = json.Find("boneCount");
      stated && stated->AsInteger("boneCount") != set->boneCount) {
    throw JsonError("boneCount does not match the bones of the tree");
  }
  const std::string problem = set->CheckBones();
  if (!problem.empty()) throw JsonError("the skeleton " + problem);
  for (const Value& anim : json.Get("anims").AsArray("anims")) {
    set->anims.push_back(AnimFromJson(anim, set->boneCount));
  }
  set->animCount = static_cast<int32_t>(set->anims.size());
  return set;
}
