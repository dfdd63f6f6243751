#include "rig_script.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "pose.h"

namespace chargen {

int Rig::FindBone(const std::string& name) const {
  for (size_t i = 0; i < bones.size(); ++i) {
    if (bones[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

namespace {

using Words = std::vector<std::string>;

// Walks the script line by line; every fault names the file and line.
class ScriptReader {
 public:
  explicit ScriptReader(const std::string& path) : path_(path) {}

  Rig Read() {
    ReadFile();
    if (rig_.bones.empty()) Fail("no bones");
    return std::move(rig_);
  }

 private:
  enum class Block { kNone, kPose, kAnim };

  static Words Split(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
  }

  void ReadFile() {
    std::ifstream in(path_);
    if (!in) throw std::runtime_error(path_ + ": cannot open");
    std::string line;
    while (std::getline(in, line)) {
      ++line_;
      const Words words = Split(line);
      if (!words.empty()) Statement(words);
    }
    if (block_ != Block::kNone) Fail("missing 'end'");
  }

  // include FILE: another script of the same folder read in place (a shared skeleton and poses).
  void Include(const Words& words) {
    Expect(words, 2);
    if (++includeDepth_ > kMaxIncludeDepth) Fail("includes nested too deeply");
    const std::string outerPath = path_;
    const int outerLine = line_;
    path_ = (std::filesystem::path(path_).parent_path() / words[1]).string();
    line_ = 0;
    ReadFile();
    path_ = outerPath;
    line_ = outerLine;
    --includeDepth_;
  }

  [[noreturn]] void Fail(const std::string& message) const {
    throw std::runtime_error(path_ + ":" + std::to_string(line_) + ": " + message);
  }

  float Number(const std::string& word) const {
    try {
      size_t used = 0;
      const float value = std::stof(word, &used);
      if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    Fail("'" + word + "' is not a number");
  }

  int Integer(const std::string& word) const {
    const float value = Number(word);
    if (value != static_cast<int>(value)) Fail("'" + word + "' is not a whole number");
    return static_cast<int>(value);
  }

  int Bone(const std::string& name) const {
    const int bone = rig_.FindBone(name);
    if (bone < 0) Fail("unknown bone '" + name + "'");
    return bone;
  }

  void Expect(const Words& words, size_t count) const {
    if (words.size() != count)
      Fail("'" + words[0] + "' takes " + std::to_string(count - 1) + " values");
  }

  void Statement(const Words& words) {
    if (words[0] == "end") return EndBlock();
    switch (block_) {
      case Block::kPose:
        return PoseLine(words);
      case Block::kAnim:
        return KeyLine(words);
      case Block::kNone:
        return TopLine(words);
    }
  }

  void TopLine(const Words& words) {
    if (words[0] == "include") return Include(words);
    if (words[0] == "bone") return BoneLine(words);
    if (words[0] == "chain") return ChainLine(words);
    if (words[0] == "pose") return StartPose(words);
    if (words[0] == "anim") return StartAnim(words);
    if (words[0] == "mirror") {
      Expect(words, 2);
      rig_.mirrorOffset = Integer(words[1]);
      return;
    }
    Fail("unknown statement '" + words[0] + "'");
  }

  // bone NAME PARENT X Y DEPTH GRAPH
  void BoneLine(const Words& words) {
    Expect(words, 7);
    if (rig_.FindBone(words[1]) >= 0) Fail("bone '" + words[1] + "' defined twice");
    BoneDef bone;
    bone.name = words[1];
    if (words[2] != "-") bone.parent = Bone(words[2]);
    if ((bone.parent < 0) != rig_.bones.empty()) Fail("only the first bone is the root");
    bone.rest = {Number(words[3]), Number(words[4]), 0, 1, Integer(words[5]), Integer(words[6])};
    rig_.bones.push_back(bone);
  }

  // chain NAME UPPER LOWER END knee|elbow
  void ChainLine(const Words& words) {
    Expect(words, 6);
    Chain chain{Bone(words[2]), Bone(words[3]), Bone(words[4]), 1};
    if (words[5] == "elbow")
      chain.bend = -1;
    else if (words[5] != "knee")
      Fail("a chain bends like a 'knee' or an 'elbow'");
    if (rig_.bones[chain.lower].parent != chain.upper ||
        rig_.bones[chain.end].parent != chain.lower)
      Fail("chain bones must be parent, child and grandchild");
    rig_.chains[words[1]] = chain;
  }

  // pose NAME [: BASE]
  void StartPose(const Words& words) {
    if (words.size() != 2 && !(words.size() == 4 && words[2] == ":")) Fail("pose NAME [: BASE]");
    if (poses_.count(words[1])) Fail("pose '" + words[1] + "' defined twice");
    Pose pose;
    if (words.size() == 4) {
      const auto base = poses_.find(words[3]);
      if (base == poses_.end()) Fail("unknown pose '" + words[3] + "'");
      pose = base->second;
    }
    poseName_ = words[1];
    poses_[poseName_] = pose;
    block_ = Block::kPose;
  }

  void PoseLine(const Words& words) {
    Pose& pose = poses_[poseName_];
    if (words[0] == "root") {
      Expect(words, 4);
      pose.bones[0].x = Number(words[1]);
      pose.bones[0].y = Number(words[2]);
      pose.bones[0].angle = Number(words[3]);
    } else if (words[0] == "fk" || words[0] == "ik") {
      Expect(words, 5);
      if (!rig_.chains.count(words[1])) Fail("unknown chain '" + words[1] + "'");
      pose.chains[words[1]] = {words[0] == "ik", Number(words[2]), Number(words[3]),
                               Number(words[4])};
    } else {
      BoneLineInPose(pose, words);
    }
  }

  // BONE ANGLE [graph=N] [depth=N] [scale=S] [x=X] [y=Y]
  void BoneLineInPose(Pose& pose, const Words& words) {
    if (words.size() < 2) Fail("a bone line gives at least an angle");
    BoneSetting& setting = pose.bones[Bone(words[0])];
    if (words[1] != "-") setting.angle = Number(words[1]);
    for (size_t i = 2; i < words.size(); ++i) {
      const size_t eq = words[i].find('=');
      if (eq == std::string::npos) Fail("expected key=value, got '" + words[i] + "'");
      const std::string key = words[i].substr(0, eq), value = words[i].substr(eq + 1);
      if (key == "graph")
        setting.graph = Integer(value);
      else if (key == "depth")
        setting.depth = Integer(value);
      else if (key == "scale")
        setting.scale = Number(value);
      else if (key == "x")
        setting.x = Number(value);
      else if (key == "y")
        setting.y = Number(value);
      else
        Fail("unknown key '" + key + "'");
    }
  }

  // anim INDEX NAME loop|once  or  anim INDEX NAME mirror SOURCE
  void StartAnim(const Words& words) {
    if (words.size() < 4) Fail("anim INDEX NAME loop|once|mirror SOURCE");
    const int index = Integer(words[1]);
    if (index < 0 || index > 255) Fail("animation index out of range");
    if (rig_.anims.size() <= static_cast<size_t>(index)) rig_.anims.resize(index + 1);
    Animation& anim = rig_.anims[index];
    if (!anim.frames.empty()) Fail("animation " + words[1] + " defined twice");
    anim.name = words[2];
    if (words[3] == "mirror") return MirrorAnim(words, anim);
    Expect(words, 4);
    if (words[3] != "loop" && words[3] != "once") Fail("an animation is 'loop' or 'once'");
    anim.loop = words[3] == "loop";
    animIndex_ = index;
    block_ = Block::kAnim;
  }

  void MirrorAnim(const Words& words, Animation& anim) {
    Expect(words, 5);
    const int source = Integer(words[4]);
    if (source < 0 || static_cast<size_t>(source) >= rig_.anims.size() ||
        rig_.anims[source].frames.empty())
      Fail("mirror of an animation not defined yet");
    const Animation& from = rig_.anims[source];
    anim.loop = from.loop;
    for (const KeyFrame& frame : from.frames) anim.frames.push_back(MirrorFrame(rig_, frame));
  }

  // POSE DURATION
  void KeyLine(const Words& words) {
    Expect(words, 2);
    const auto pose = poses_.find(words[0]);
    if (pose == poses_.end()) Fail("unknown pose '" + words[0] + "'");
    const int duration = Integer(words[1]);
    if (duration < 0 || duration > 65535) Fail("a key frame lasts 0 to 65535 ms");
    try {
      rig_.anims[animIndex_].frames.push_back({duration, ResolvePose(rig_, pose->second)});
    } catch (const std::runtime_error& error) {
      Fail("pose '" + words[0] + "': " + error.what());
    }
  }

  void EndBlock() {
    if (block_ == Block::kNone) Fail("'end' outside a pose or anim");
    if (block_ == Block::kAnim && rig_.anims[animIndex_].frames.empty())
      Fail("animation without key frames");
    block_ = Block::kNone;
  }

  static constexpr int kMaxIncludeDepth = 8;

  std::string path_;
  int line_ = 0;
  int includeDepth_ = 0;
  Block block_ = Block::kNone;
  std::string poseName_;
  int animIndex_ = 0;
  std::map<std::string, Pose> poses_;
  Rig rig_;
};

}  // namespace

Rig LoadRigScript(const std::string& path) {
  return ScriptReader(path).Read();
}

}  // namespace chargen
