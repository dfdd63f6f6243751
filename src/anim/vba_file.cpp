// Reading and writing VBA files: the signature, the bone tree as a depth-first walk closed by
// end bytes, then animations to the end of the file.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "anim/vba.h"
#include "media/stream.h"
#include "media/system.h"

namespace {

constexpr char kSignatureStart[] = {'t', '.', 'n'};
constexpr char kSignatureEnd[] = {'v', 'b', 'a'};
constexpr int kEndOfChildren = 255;
constexpr int kFirstScaledVersion = 2;

// Shows the message, prints it and the module's last words, and ends the process with status 1
// (a failed load is a failure, not a normal end).
[[noreturn]] void Fail(const std::string& message) {
  media::Notify(message, false);
  media::Print(message);
  media::Print("Tarn Engine: VBA module abnormal termination");
  media::Exit(1);
}

class VBAReader {
 public:
  VBAReader(const std::string& path, VBA& set) : path_(path), set_(set) {}

  void Read() {
    stream_ = media::Stream::OpenRead(path_);
    if (!stream_) Refuse("not found");
    ReadHeader();
    ReadTree();
    while (!stream_->Eof()) ReadAnim();
    stream_->Close();
  }

 private:
  [[noreturn]] void Refuse(const std::string& problem) { Fail("VBA " + path_ + " " + problem); }

  void ExpectBytes(const char (&expected)[3]) {
    for (char byte : expected) {
      if (stream_->ReadByte() != byte) Refuse("bad file format");
    }
  }

  void ReadHeader() {
    ExpectBytes(kSignatureStart);
    set_.version = stream_->ReadByte();
    if (set_.version > VBA::kWrittenVersion) Refuse("wrong version");
    ExpectBytes(kSignatureEnd);
    set_.headerNumber = static_cast<float>(stream_->ReadShort());
  }

  VBABonePtr ReadBone(int id) {
    VBABonePtr bone = VBABone::Create();
    bone->id = id;
    bone->name = stream_->ReadLine();
    bone->extra1 = stream_->ReadShort();
    bone->extra2 = stream_->ReadShort();
    ++set_.boneCount;
    return bone;
  }

  void ReadTree() {
    const int rootId = stream_->ReadByte();
    if (rootId >= VBA::kMaxBones) Refuse("bad file format");
    set_.root = ReadBone(rootId);
    std::vector<VBABone*> walk = {set_.root.get()};
    while (!walk.empty()) {
      const int byte = stream_->ReadByte();
      if (byte == kEndOfChildren) {
        walk.pop_back();
        continue;
      }
      if (byte >= VBA::kMaxBones) Refuse("bad file format");
      // 64 bones at most also keeps the tree within the 64 levels playback walks.
      if (set_.boneCount >= VBA::kMaxBones) Refuse("has more than 64 bones");
      VBABonePtr bone = ReadBone(byte);
      walk.back()->AddChild(bone);
      walk.push_back(bone.get());
    }
    // Playback indexes every key frame's states by bone id.
    const std::string problem = set_.CheckBones();
    if (!problem.empty()) Refuse(problem);
  }

  VBAFramePtr ReadFrame() {
    VBAFramePtr frame = VBAFrame::Create();
    frame->duration = stream_->ReadShort();
    frame->states.resize(set_.boneCount);
    for (VBABoneState& state : frame->states) {
      state.x = stream_->ReadFloat();
      state.y = stream_->ReadFloat();
      state.angle = stream_->ReadFloat();
      state.depth = stream_->ReadShort();
      if (set_.version >= kFirstScaledVersion) state.scale = stream_->ReadFloat();
      state.graph = stream_->ReadShort();
    }
    return frame;
  }

  void ReadAnim() {
    VBAAnimPtr anim = VBAAnim::Create();
    const int32_t storedCount = stream_->ReadShort();
    anim->firstFrame = ReadFrame();
    anim->totalTime = anim->firstFrame->duration;
    VBAFrame* last = anim->firstFrame.get();
    for (int32_t i = 1; i < storedCount; ++i) {
      last->next = ReadFrame();
      last = last->next.get();
      anim->totalTime += last->duration;
    }
    anim->frameCount = storedCount;
    set_.anims.push_back(std::move(anim));
    ++set_.animCount;
  }

  std::string path_;
  VBA& set_;
  media::StreamPtr stream_;
};

// headerNumber as the 16 bits the file keeps: truncated toward zero, never undefined.
int HeaderNumberBits(float headerNumber) {
  if (!std::isfinite(headerNumber)) return 0;
  const double clamped =
      std::clamp(static_cast<double>(headerNumber), double{std::numeric_limits<int32_t>::min()},
                 double{std::numeric_limits<int32_t>::max()});
  return static_cast<int32_t>(clamped) & 0xFFFF;
}

void WriteBone(media::Stream& stream, const VBABone& bone) {
  stream.WriteByte(bone.id);
  stream.WriteLine(bone.name);
  stream.WriteShort(bone.extra1);
  stream.WriteShort(bone.extra2);
}

void WriteTree(media::Stream& stream, const VBABonePtr& root) {
  WriteBone(stream, *root);
  struct Level {
    const VBABone* bone;
    size_t nextChild;
  };
  std::vector<Level> walk = {{root.get(), 0}};
  while (!walk.empty()) {
    Level& top = walk.back();
    if (top.nextChild >= top.bone->children.size()) {
      stream.WriteByte(kEndOfChildren);
      walk.pop_back();
      continue;
    }
    const VBABone* child = top.bone->children[top.nextChild++].get();
    WriteBone(stream, *child);
    walk.push_back({child, 0});
  }
}

void WriteFrame(media::Stream& stream, const VBAFrame& frame, int32_t boneCount) {
  stream.WriteShort(frame.duration);
  for (int32_t i = 0; i < boneCount; ++i) {
    // A frame edited short of states keeps the file readable with neutral poses.
    const VBABoneState state =
        i < static_cast<int32_t>(frame.states.size()) ? frame.states[i] : VBABoneState();
    stream.WriteFloat(state.x);
    stream.WriteFloat(state.y);
    stream.WriteFloat(state.angle);
    stream.WriteShort(state.depth);
    stream.WriteFloat(state.scale);
    stream.WriteShort(state.graph);
  }
}

void WriteAnim(media::Stream& stream, const VBAAnim& anim, int32_t boneCount) {
  stream.WriteShort(anim.frameCount);
  // The format always holds a first key frame; an animation without one gets a still pose.
  if (!anim.firstFrame) WriteFrame(stream, VBAFrame(), boneCount);
  for (const VBAFrame* frame = anim.firstFrame.get(); frame; frame = frame->next.get()) {
    WriteFrame(stream, *frame, boneCount);
  }
}

}  // namespace

VBAPtr VBA::Load(const std::string& path) {
  VBAPtr set = Create();
  VBAReader(path, *set).Read();
  return set;
}

void VBA::Save(const std::string& path) const {
  // A file without a root could not be read back.
  if (!root) Fail("Could not create VBA " + path + ": the skeleton has no bones");
  media::StreamPtr stream = media::Stream::OpenWrite(path);
  if (!stream) Fail("Could not create VBA " + path);
  for (char byte : kSignatureStart) stream->WriteByte(byte);
  stream->WriteByte(kWrittenVersion);
  for (char byte : kSignatureEnd) stream->WriteByte(byte);
  stream->WriteShort(HeaderNumberBits(headerNumber));
  WriteTree(*stream, root);
  for (int32_t i = 0; i < animCount && i < static_cast<int32_t>(anims.size()); ++i) {
    if (anims[i]) WriteAnim(*stream, *anims[i], boneCount);
  }
  stream->Close();
}
