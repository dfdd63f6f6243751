// Loading the music must not slow start-up (the file is only checked, not decoded), and mixing a
// streamed track must stay a small fraction of the audio device's time budget.
#include "media/sound.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace {

constexpr int kBlockFrames = 1024;  // one audio device callback, 23 ms of sound

// The music is built beside the programs, one folder up from the benchmarks.
std::string MusicPath() {
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  return (exe.parent_path().parent_path() / "music" / "intro-version-2007_07_24_23_31.ogg")
      .string();
}

void BM_LoadMusic(benchmark::State& state) {
  std::string path = MusicPath();
  for (auto _ : state) {
    media::SoundPtr sound = media::LoadSound(path, media::kSoundLoop);
    if (!sound) {
      state.SkipWithError(("no music at " + path).c_str());
      return;
    }
    benchmark::DoNotOptimize(sound);
  }
}
BENCHMARK(BM_LoadMusic)->Unit(benchmark::kMillisecond);

void BM_MixStreamedMusic(benchmark::State& state) {
  media::SoundPtr sound = media::LoadSound(MusicPath(), media::kSoundLoop);
  if (!sound) {
    state.SkipWithError("no music");
    return;
  }
  media::Channel channel = media::PlaySound(sound);
  std::vector<int16_t> block(kBlockFrames * 2);
  for (auto _ : state) {
    media::MixAudio(block.data(), kBlockFrames);
    benchmark::DoNotOptimize(block.data());
  }
  media::StopChannel(channel);
  state.SetItemsProcessed(state.iterations() * kBlockFrames);
}
BENCHMARK(BM_MixStreamedMusic)->Unit(benchmark::kMicrosecond);

}  // namespace
