// musicgen SCORE OUTPUT.ogg: plays a text score on the project's synthesiser and writes one
// seamless loop of it as Ogg Vorbis.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ogg_writer.h"
#include "score.h"
#include "synth.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: musicgen SCORE OUTPUT.ogg\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "musicgen: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  std::optional<musicgen::Score> score = musicgen::ParseScore(text.str(), error);
  if (!score) {
    std::fprintf(stderr, "musicgen: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  musicgen::StereoLoop loop = musicgen::RenderScore(*score);
  musicgen::Level(loop, score->loudness);
  if (!musicgen::WriteOggVorbis(argv[2], loop, error)) {
    std::fprintf(stderr, "musicgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
