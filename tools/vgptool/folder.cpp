// vgptool extract / pack / fpg2vgp: a package as a folder of PNG files plus "package.json"
// (slot numbers, sizes, handles and points), and back.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "json.h"
#include "vgp/vgp.h"

namespace {

using jsonkit::Value;

constexpr char kManifest[] = "package.json";
// Packs keep every pixel as the PNG has it: no mask colour, no filtering needed.
constexpr int kExactPixels = 0;

std::string GraphFile(int32_t slot) {
  return "graph" + std::to_string(slot) + ".png";
}

Value Pair(int64_t a, int64_t b) {
  Value pair = Value::Array();
  pair.Push(Value::Integer(a));
  pair.Push(Value::Integer(b));
  return pair;
}

Value GraphEntry(int32_t slot, const TGraph& graph) {
  Value entry = Value::Object();
  entry.Set("slot", Value::Integer(slot));
  entry.Set("file", Value::String(GraphFile(slot)));
  entry.Set("width", Value::Integer(graph.width));
  entry.Set("height", Value::Integer(graph.height));
  int32_t handleX = 0;
  int32_t handleY = 0;
  graph.HandleFromPoints(handleX, handleY);
  entry.Set("handle", Pair(handleX, handleY));
  Value points = Value::Array();
  for (const TPoint& point : graph.points) points.Push(Pair(point.x, point.y));
  entry.Set("points", points);
  return entry;
}

int Complain(const std::string& message) {
  std::fprintf(stderr, "vgptool: %s\n", message.c_str());
  return 1;
}

TGraphPtr GraphFromEntry(const Value& entry, const std::filesystem::path& folder) {
  TGraphPtr graph = TGraph::Create();
  const std::string file = entry.Get("file").AsString("file");
  graph->image = media::LoadImage((folder / file).string(), kExactPixels);
  if (!graph->image) throw jsonkit::JsonError("cannot load " + (folder / file).string());
  graph->width = graph->image->Width();
  graph->height = graph->image->Height();
  for (const Value& point : entry.Get("points").AsArray("points")) {
    const std::vector<Value>& xy = point.AsArray("a point");
    if (xy.size() != 2) throw jsonkit::JsonError("a point must be [x, y]");
    graph->points.push_back(
        {static_cast<int32_t>(xy[0].AsInteger("x")), static_cast<int32_t>(xy[1].AsInteger("y"))});
  }
  graph->pointCount = static_cast<int32_t>(graph->points.size());
  graph->ApplyHandle();
  return graph;
}

}  // namespace

int Extract(const std::string& path, const std::string& folder) {
  const VGPPtr package = VGP::LoadVGP(path, kExactPixels, 0);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  Value graphs = Value::Array();
  for (int32_t slot = 1; slot < package->count; ++slot) {
    const TGraphPtr& graph = package->graphs[slot];
    if (graph == emptyGraph) continue;
    const std::string file = (std::filesystem::path(folder) / GraphFile(slot)).string();
    if (!media::SavePNG(*graph->image, file)) return Complain("cannot write " + file);
    graphs.Push(GraphEntry(slot, *graph));
  }
  Value manifest = Value::Object();
  manifest.Set("count", Value::Integer(package->count));
  manifest.Set("graphs", graphs);
  const std::string manifestPath = (std::filesystem::path(folder) / kManifest).string();
  std::ofstream out(manifestPath);
  out << manifest.Write() << "\n";
  if (!out) return Complain("cannot write " + manifestPath);
  return 0;
}

int Pack(const std::string& folder, const std::string& target) {
  const std::filesystem::path manifestPath = std::filesystem::path(folder) / kManifest;
  std::ifstream in(manifestPath);
  if (!in) return Complain("cannot read " + manifestPath.string());
  std::stringstream text;
  text << in.rdbuf();
  const Value manifest = jsonkit::Parse(text.str());
  VGPPtr package = VGP::Create();
  package->imageFlags = kExactPixels | media::kImageDynamic;
  for (const Value& entry : manifest.Get("graphs").AsArray("graphs")) {
    const int64_t slot = entry.Get("slot").AsInteger("slot");
    if (slot < 1 || slot > 65535) throw jsonkit::JsonError("slot must be 1 to 65535");
    package->Put(static_cast<int32_t>(slot), GraphFromEntry(entry, folder));
  }
  package->Save(target);
  return 0;
}

int FpgToVgp(const std::string& source, const std::string& target) {
  VGP::LoadFPG(source, kExactPixels)->Save(target);
  return 0;
}
