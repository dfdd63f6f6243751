#include "vgp/package_reader.h"

#include <algorithm>
#include <string_view>

#include "media/draw.h"
#include "vgp/failure.h"
#include "vgp/fixed_text.h"

namespace vgp {
namespace {

constexpr char kVgpSignature[] = {'V', 'G', 'P'};
constexpr char kFpgSignature[] = {'f', '1', '6', 0x1A, 0x0D, 0x0A, 0x00};

const char* KindName(FileKind kind) {
  return kind == FileKind::kVGP ? "VGP" : "FPG";
}

uint32_t ArgbFromBytes(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

}  // namespace

PackageReader::PackageReader(const std::string& path, FileKind kind)
    : path_(path), kind_(kind), stream_(media::Stream::OpenRead(path)) {
  const std::string kindName = KindName(kind);
  if (!stream_) Fail(kindName + " " + path + " not found");
  const std::string_view signature = kind == FileKind::kVGP
                                         ? std::string_view(kVgpSignature, sizeof kVgpSignature)
                                         : std::string_view(kFpgSignature, sizeof kFpgSignature);
  for (char expected : signature) {
    if (stream_->ReadByte() != static_cast<uint8_t>(expected)) {
      Fail("Wrong header reading " + kindName + " " + path);
    }
  }
  stream_->SkipBytes(1);  // version
  media::SetMaskColor(0, 0, 0);
}

void PackageReader::Refuse(const std::string& problem) const {
  Fail(std::string(KindName(kind_)) + " " + path_ + " " + problem);
}

int32_t PackageReader::ReadGraphNumber(int32_t lowest) {
  const int32_t number = stream_->ReadInt();
  if (number < lowest || number > kMaxGraphNumber) {
    Refuse("has a graph number out of range (" + std::to_string(number) + ")");
  }
  return number;
}

void PackageReader::SkipToSize() {
  const int fpgFields = kind_ == FileKind::kFPG ? kFpgDescriptionBytes + kFpgNameBytes : 0;
  stream_->SkipBytes(kRecordLengthBytes + fpgFields);
}

std::string PackageReader::ReadName() {
  return ReadFixedText(*stream_, kFpgNameBytes);
}

int32_t PackageReader::ReadSide(const char* which) {
  const int32_t side = stream_->ReadInt();
  if (side < 1 || side > kMaxSide) {
    Refuse("has a graph " + std::string(which) + " out of range (" + std::to_string(side) + ")");
  }
  return side;
}

int32_t PackageReader::ReadPointCount() {
  const int32_t count = stream_->ReadInt();
  if (count < 0 || count > kMaxPoints) {
    Refuse("has a point count out of range (" + std::to_string(count) + ")");
  }
  return count;
}

std::vector<TPoint> PackageReader::ReadPoints() {
  const int32_t count = ReadPointCount();
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * 4);
  stream_->ReadBytes(bytes.data(), bytes.size());
  std::vector<TPoint> points(count);
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* field = &bytes[static_cast<size_t>(i) * 4];
    points[i].x = field[0] | field[1] << 8;
    points[i].y = field[2] | field[3] << 8;
  }
  return points;
}

void PackageReader::SkipPoints() {
  stream_->SkipBytes(ReadPointCount() * 4);
}

std::vector<uint32_t> PackageReader::ReadPixels(int32_t width, int32_t height) {
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> row(static_cast<size_t>(width) * BytesPerPixel());
  for (int32_t y = 0; y < height; ++y) {
    stream_->ReadBytes(row.data(), row.size());
    pixels.resize(pixels.size() + width);
    uint32_t* out = &pixels[pixels.size() - width];
    if (kind_ == FileKind::kVGP) {
      for (int32_t x = 0; x < width; ++x) out[x] = ArgbFromBytes(&row[x * 4]);
    } else {
      for (int32_t x = 0; x < width; ++x) {
        out[x] = ConvertFpgPixel(static_cast<uint16_t>(row[x * 2] | row[x * 2 + 1] << 8));
      }
    }
  }
  return pixels;
}

void PackageReader::SkipPixels(int32_t width, int32_t height) {
  for (int32_t y = 0; y < height; ++y) stream_->SkipBytes(width * BytesPerPixel());
}

uint32_t ConvertFpgPixel(uint16_t pixel) {
  const uint32_t red = (pixel >> 11) * 255 / 31;
  const uint32_t green = ((pixel >> 5) & 63) * 255 / 63;
  const uint32_t blue = (pixel & 31) * 255 / 31;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

media::ImagePtr CreateFilledImage(int32_t width, int32_t height, int flags,
                                  const std::vector<uint32_t>& pixels) {
  media::ImagePtr image = media::CreateImage(width, height, 1, flags);
  const media::PixelBuffer buffer = media::LockImage(image, 0, true, true);
  for (int32_t y = 0; y < height; ++y) {
    std::copy_n(pixels.begin() + static_cast<size_t>(y) * width, width, buffer.Row(y));
  }
  media::UnlockImage(image);
  return image;
}

TGraphPtr ReadGraph(PackageReader& reader, int imageFlags) {
  TGraphPtr graph = TGraph::Create();
  reader.SkipToSize();
  graph->width = reader.ReadSide("width");
  graph->height = reader.ReadSide("height");
  graph->points = reader.ReadPoints();
  graph->pointCount = static_cast<int32_t>(graph->points.size());
  graph->image = CreateFilledImage(graph->width, graph->height, imageFlags,
                                   reader.ReadPixels(graph->width, graph->height));
  graph->ApplyHandle();
  return graph;
}

TGraphPtr ReadFpgFileGraph(PackageReader& reader, int imageFlags, const std::string& folder) {
  TGraphPtr graph = TGraph::Create();
  reader.SkipBytes(kRecordLengthBytes + kFpgDescriptionBytes);
  const std::string file = folder + reader.ReadName();
  const int32_t recordWidth = reader.ReadSide("width");
  const int32_t recordHeight = reader.ReadSide("height");
  // A graph without its image would be drawn as nothing and break every later operation.
  graph->image = media::LoadImage(file, imageFlags);
  if (!graph->image) reader.Refuse("names an image that cannot be loaded (" + file + ")");
  // Everything that walks the graph's pixels trusts its size, so the size is the image's own; a
  // record that says otherwise describes some other picture.
  graph->width = media::ImageWidth(graph->image);
  graph->height = media::ImageHeight(graph->image);
  if (graph->width != recordWidth || graph->height != recordHeight) {
    reader.Refuse("names an image of another size (" + file + " is " +
                  SizeText(graph->width, graph->height) + ", its record says " +
                  SizeText(recordWidth, recordHeight) + ")");
  }
  graph->points = reader.ReadPoints();
  graph->pointCount = static_cast<int32_t>(graph->points.size());
  graph->ApplyHandle();
  reader.SkipPixels(recordWidth, recordHeight);
  return graph;
}

std::string ImageFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string() : path.substr(0, slash)) + "/";
}

}  // namespace vgp
