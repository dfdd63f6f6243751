#pragma once
// One input for the readers of one file format, shared by the fuzz targets and the test that
// replays the seed corpus. The readers end the program on bad input by throwing (a run-time
// error, the stream read error or a program exit); those ends are the expected outcome here,
// anything else (a crash, a sanitizer report, another exception) is a finding.
#include <cstdint>
#include <cstdio>
#include <string>

#include "anim/vba.h"
#include "media/system.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

enum class FormatInput { kVgp, kFpg, kVba };

namespace format_inputs {

template <typename Read>
void ReadToTheEnd(Read read) {
  try {
    read();
  } catch (const media::RuntimeError&) {
  } catch (const media::ProgramExit&) {
  }
}

}  // namespace format_inputs

// Writes the input to `path` and runs every reader of that format over it.
inline void FeedFormatInput(FormatInput format, const uint8_t* data, size_t size,
                            const std::string& path) {
  using format_inputs::ReadToTheEnd;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  switch (format) {
    case FormatInput::kVgp: {
      VGPPtr package;
      ReadToTheEnd([&] { package = VGP::LoadVGP(path, 0, 0); });
      // What was read must write and read back without complaint.
      if (package) {
        package->Copy()->Save(path);
        VGP::LoadVGP(path, 0, 1)->MakeSilhouette();
      }
      ReadToTheEnd([&] { SSVGP::LoadVGP(path, 0)->Recolour(1, 2, 3, 4, 5, 6, 7, 8, 9, 10); });
      ReadToTheEnd([&] { PVGP::LoadVGP(path); });
      break;
    }
    case FormatInput::kFpg:
      ReadToTheEnd([&] { VGP::LoadFPG(path, 0); });
      ReadToTheEnd([&] { VGP::LoadFPGFiles(path, 0); });
      ReadToTheEnd([&] { SSVGP::LoadFPGFiles(path, 0); });
      ReadToTheEnd([&] { PVGP::LoadFPG(path); });
      break;
    case FormatInput::kVba: {
      VBAPtr set;
      ReadToTheEnd([&] { set = VBA::Load(path); });
      if (!set) break;
      // Playback's assumption: every bone id below boneCount names a bone.
      for (int32_t id = 0; id < set->boneCount; ++id) {
        if (!set->FindBone(id)) __builtin_trap();
      }
      set->Save(path);
      VBA::Load(path);
      break;
    }
  }
}
