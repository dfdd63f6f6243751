// Loading the game's twelve graphics packages and its two animation sets. The real files are
// used when the build folder holds them (gfx/, anim/); otherwise packages of the same shape
// are written to a temp folder: 24 graphs of 64 x 64 to 160 x 160 pixels each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "anim/vba.h"
#include "vgp/vgp.h"

namespace {

constexpr int kPackages = 12;
constexpr int kGraphsPerPackage = 24;

std::vector<std::string> GamePackagePaths(const std::filesystem::path& root) {
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i)
    paths.push_back((root / ("gfx/chr" + std::to_string(i) + ".vgp")).string());
  for (int i = 1; i <= 8; ++i)
    paths.push_back((root / ("gfx/zombie" + std::to_string(i) + ".vgp")).string());
  return paths;
}

bool AllExist(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (!std::filesystem::exists(path)) return false;
  }
  return true;
}

std::vector<std::string> StandInPackages() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "skull_bench_formats";
  std::filesystem::create_directories(folder);
  std::vector<std::string> paths;
  for (int p = 0; p < kPackages; ++p) {
    VGPPtr package = VGP::Create();
    for (int g = 1; g <= kGraphsPerPackage; ++g) {
      TGraphPtr graph = TGraph::Create();
      graph->width = 64 + (g * 37 + p * 11) % 97;
      graph->height = 64 + (g * 53 + p * 7) % 97;
      graph->points = {{graph->width / 2, graph->height / 3}, {1, 2}, {3, 4}};
      graph->pointCount = 3;
      graph->image = media::CreateImage(graph->width, graph->height, 1, media::kImageDynamic);
      uint32_t* pixels = graph->image->Pixels(0);
      for (int i = 0; i < graph->width * graph->height; ++i) {
        pixels[i] = i % 5 == 0 ? 0 : 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
      }
      package->Put(g, graph);
    }
    paths.push_back((folder / ("package" + std::to_string(p) + ".vgp")).string());
    package->Save(paths.back());
  }
  return paths;
}

void BM_LoadTwelvePackages(benchmark::State& state) {
  std::vector<std::string> paths = GamePackagePaths(SKULL_BUILD_DIR);
  const bool real = AllExist(paths);
  if (!real) paths = StandInPackages();
  state.SetLabel(real ? "game packages" : "stand-in packages");
  for (auto _ : state) {
    for (const std::string& path : paths) {
      benchmark::DoNotOptimize(VGP::LoadVGP(path, media::kImageMasked | media::kImageFiltered, 1));
    }
  }
}
BENCHMARK(BM_LoadTwelvePackages)->Unit(benchmark::kMillisecond);

void BM_LoadAnimationSets(benchmark::State& state) {
  const std::filesystem::path root = SKULL_BUILD_DIR;
  std::vector<std::string> paths = {(root / "anim/animchr.vba").string(),
                                    (root / "anim/animzombie.vba").string()};
  if (!AllExist(paths)) {
    state.SkipWithError("anim/ is not in the build folder yet");
    return;
  }
  for (auto _ : state) {
    for (const std::string& path : paths) benchmark::DoNotOptimize(VBA::Load(path));
  }
}
BENCHMARK(BM_LoadAnimationSets)->Unit(benchmark::kMillisecond);

}  // namespace
