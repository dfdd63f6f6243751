// Writing a package in the VGP format. Each record is assembled in memory and written at once.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "media/stream.h"
#include "vgp/failure.h"
#include "vgp/graph_package.h"

namespace {

constexpr uint8_t kVgpVersion = 1;

void PutInt(std::vector<uint8_t>& bytes, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(bits >> shift));
}

void PutShort(std::vector<uint8_t>& bytes, int32_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutPixels(std::vector<uint8_t>& bytes, const media::PixelBuffer& buffer,
               bool keepTransparentColour) {
  for (int y = 0; y < buffer.height; ++y) {
    const uint32_t* row = buffer.Row(y);
    for (int x = 0; x < buffer.width; ++x) {
      const uint32_t pixel = row[x] >> 24 == 0 && !keepTransparentColour ? 0 : row[x];
      bytes.push_back(static_cast<uint8_t>(pixel >> 24));
      bytes.push_back(static_cast<uint8_t>(pixel >> 16));
      bytes.push_back(static_cast<uint8_t>(pixel >> 8));
      bytes.push_back(static_cast<uint8_t>(pixel));
    }
  }
}

}  // namespace

void GraphPackage::Write(const std::string& path, int32_t firstSlot,
                         bool keepTransparentColour) const {
  media::StreamPtr stream = media::Stream::OpenWrite(path);
  CreateEmptyGraph();
  if (!stream) vgp::Fail("Impossible to write VGP " + path);
  const uint8_t header[] = {'V', 'G', 'P', kVgpVersion};
  stream->WriteBytes(header, sizeof header);
  std::vector<uint8_t> record;
  for (int32_t slot = std::max(firstSlot, 0); slot < static_cast<int32_t>(graphs.size()); ++slot) {
    const TGraphPtr& graph = graphs[slot];
    if (!graph || graph == emptyGraph) continue;
    const auto refuse = [&](const std::string& problem) {
      vgp::Fail("Impossible to write VGP " + path + ": graph " + std::to_string(slot) + " " +
                problem);
    };
    // The record gives its pixel bytes as an int32: a larger graph cannot be written.
    const int64_t pixelBytes = int64_t{graph->width} * graph->height * 4;
    if (pixelBytes > std::numeric_limits<int32_t>::max()) {
      refuse("of " + vgp::SizeText(graph->width, graph->height) + " is too large for the format");
    }
    // Writing pixels the image does not have would read past its memory.
    if (media::ImageWidth(graph->image) != graph->width ||
        media::ImageHeight(graph->image) != graph->height) {
      refuse("has no image of its size");
    }
    record.clear();
    for (int32_t field : {slot, static_cast<int32_t>(pixelBytes), graph->width, graph->height,
                          static_cast<int32_t>(graph->points.size())}) {
      PutInt(record, field);
    }
    for (const TPoint& point : graph->points) {
      PutShort(record, point.x);
      PutShort(record, point.y);
    }
    PutPixels(record, media::LockImage(graph->image, 0, true, false), keepTransparentColour);
    media::UnlockImage(graph->image);
    stream->WriteBytes(record.data(), record.size());
  }
  stream->Close();
}
