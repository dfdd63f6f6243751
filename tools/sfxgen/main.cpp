// sfxgen SOURCE.sfx OUTDIR: plays an effect description on the project's synthesiser and writes
// each of its variants as OUTDIR/NAME.wav (one variant) or OUTDIR/NAME-1.wav, NAME-2.wav, ...
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "render.h"
#include "wav_writer.h"

namespace {

int Fail(const std::string& where, const std::string& why) {
  std::fprintf(stderr, "sfxgen: %s: %s\n", where.c_str(), why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sfxgen SOURCE.sfx OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) return Fail(argv[1], "cannot read it");
  std::stringstream text;
  text << in.rdbuf();
  const std::string name = std::filesystem::path(argv[1]).stem().string();
  std::string error;
  std::optional<sfxgen::Effect> first = sfxgen::ParseEffect(text.str(), 0, error);
  if (!first) return Fail(argv[1], error);
  for (int variant = 0; variant < first->variants; ++variant) {
    std::optional<sfxgen::Effect> effect = sfxgen::ParseEffect(text.str(), variant, error);
    if (!effect) return Fail(argv[1], error);
    std::string file =
        first->variants == 1 ? name + ".wav" : name + "-" + std::to_string(variant + 1) + ".wav";
    std::filesystem::path out = std::filesystem::path(argv[2]) / file;
    if (!sfxgen::WriteWav(out.string(), sfxgen::RenderEffect(*effect, variant), error))
      return Fail(out.string(), error);
  }
  return 0;
}
