// vgptool info: one JSON object describing every slot of a package as a chosen reader sees it.
#include <cstdio>
#include <functional>
#include <map>

#include "commands.h"
#include "json.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

namespace {

using jsonkit::Value;

Value PixelList(const uint32_t* pixels, size_t count) {
  Value list = Value::Array();
  for (size_t i = 0; i < count; ++i) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", pixels[i]);
    list.Push(Value::String(text));
  }
  return list;
}

Value Slot(int32_t slot, const char* kind) {
  Value entry = Value::Object();
  entry.Set("slot", Value::Integer(slot));
  entry.Set("kind", Value::String(kind));
  return entry;
}

Value HandleNumber(float coordinate) {
  const auto whole = static_cast<int64_t>(coordinate);
  return static_cast<float>(whole) == coordinate ? Value::Integer(whole) : Value::Float(coordinate);
}

Value GraphSlot(int32_t slot, const TGraphPtr& graph, bool pixels) {
  if (!graph) return Slot(slot, "none");
  if (graph == emptyGraph) return Slot(slot, "empty");
  Value entry = Slot(slot, "graph");
  entry.Set("width", Value::Integer(graph->width));
  entry.Set("height", Value::Integer(graph->height));
  Value handle = Value::Array();
  handle.Push(HandleNumber(graph->image ? graph->image->HandleX() : 0));
  handle.Push(HandleNumber(graph->image ? graph->image->HandleY() : 0));
  entry.Set("handle", handle);
  Value points = Value::Array();
  for (const TPoint& point : graph->points) {
    Value pair = Value::Array();
    pair.Push(Value::Integer(point.x));
    pair.Push(Value::Integer(point.y));
    points.Push(pair);
  }
  entry.Set("points", points);
  // The image's own size bounds its pixels, whatever the graph's record said.
  if (pixels && graph->image) {
    const media::Image& image = *graph->image;
    entry.Set("pixels", PixelList(image.Pixels(0), static_cast<size_t>(image.Width()) *
                                                       static_cast<size_t>(image.Height())));
  }
  return entry;
}

Value PackageInfo(const GraphPackage& package, bool pixels) {
  Value slots = Value::Array();
  for (int32_t slot = 0; slot < package.count; ++slot) {
    slots.Push(GraphSlot(slot, package.Get(slot), pixels));
  }
  Value info = Value::Object();
  info.Set("count", Value::Integer(package.count));
  info.Set("slots", slots);
  return info;
}

Value PixmapInfo(const PVGP& package, bool pixels) {
  Value slots = Value::Array();
  for (int32_t slot = 0; slot < package.count; ++slot) {
    const PixmapPtr& pixmap = package.pixmaps[slot];
    if (!pixmap) {
      slots.Push(Slot(slot, "none"));
      continue;
    }
    Value entry = Slot(slot, "pixmap");
    entry.Set("width", Value::Integer(pixmap->width));
    entry.Set("height", Value::Integer(pixmap->height));
    if (pixels) entry.Set("pixels", PixelList(pixmap->pixels.data(), pixmap->pixels.size()));
    slots.Push(entry);
  }
  Value info = Value::Object();
  info.Set("count", Value::Integer(package.count));
  info.Set("slots", slots);
  return info;
}

// The loaders are asked for images with the game's usual flags (masked, filtered).
constexpr int kFlags = media::kImageMasked | media::kImageFiltered;

const std::map<std::string, std::function<Value(const std::string&, bool)>> kReaders = {
    {"vgp",
     [](const std::string& p, bool x) { return PackageInfo(*VGP::LoadVGP(p, kFlags, 0), x); }},
    {"vgp-relative",
     [](const std::string& p, bool x) { return PackageInfo(*VGP::LoadVGP(p, kFlags, 1), x); }},
    {"fpg", [](const std::string& p, bool x) { return PackageInfo(*VGP::LoadFPG(p, kFlags), x); }},
    {"fpg-files",
     [](const std::string& p, bool x) { return PackageInfo(*VGP::LoadFPGFiles(p, kFlags), x); }},
    {"ssvgp",
     [](const std::string& p, bool x) { return PackageInfo(*SSVGP::LoadVGP(p, kFlags), x); }},
    {"ssvgp-fpg-files",
     [](const std::string& p, bool x) { return PackageInfo(*SSVGP::LoadFPGFiles(p, kFlags), x); }},
    {"pvgp", [](const std::string& p, bool x) { return PixmapInfo(*PVGP::LoadVGP(p), x); }},
    {"pvgp-fpg", [](const std::string& p, bool x) { return PixmapInfo(*PVGP::LoadFPG(p), x); }},
};

}  // namespace

int Info(const std::string& reader, bool pixels, const std::string& path) {
  const auto found = kReaders.find(reader);
  if (found == kReaders.end()) {
    std::fprintf(stderr, "vgptool: unknown reader %s\n", reader.c_str());
    return 2;
  }
  const Value info = found->second(path, pixels);
  std::printf("%s\n", info.Write().c_str());
  return 0;
}
