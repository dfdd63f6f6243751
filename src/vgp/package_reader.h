#pragma once
// The part every VGP and FPG reader shares: opening and checking the header, and reading the
// fields of a record within the limits that keep a damaged file from crashing the reader or
// making it allocate without bound.
#include <cstdint>
#include <string>
#include <vector>

#include "media/stream.h"
#include "vgp/graph.h"

namespace vgp {

enum class FileKind { kVGP, kFPG };

constexpr int32_t kMaxGraphNumber = 65535;
constexpr int32_t kMaxSide = 8192;
constexpr int32_t kMaxPoints = 4096;
constexpr int kFpgNameBytes = 12;
constexpr int kFpgDescriptionBytes = 32;
constexpr int kRecordLengthBytes = 4;

class PackageReader {
 public:
  // Opens the file and checks its header, failing with "<KIND> <path> not found" or "Wrong
  // header reading <KIND> <path>"; skips the version byte and sets the mask colour to black.
  PackageReader(const std::string& path, FileKind kind);

  bool AtEnd() { return stream_->Eof(); }
  void SkipBytes(int n) { stream_->SkipBytes(n); }
  // A graph number or FPG code; refuses values below `lowest` or above kMaxGraphNumber.
  int32_t ReadGraphNumber(int32_t lowest);
  // Skips the fields between the graph number and the width (the name too, in an FPG record).
  void SkipToSize();
  std::string ReadName();               // the 12-byte name field of an FPG record
  int32_t ReadSide(const char* which);  // a width or height, refused outside 1 .. kMaxSide
  std::vector<TPoint> ReadPoints();     // the count, then 16-bit x, y pairs
  void SkipPoints();                    // the count, then the pairs unread
  // width x height pixels in the file's own format (VGP: a, r, g, b bytes; FPG: 5-6-5), as ARGB.
  // Read row by row, so a record cut short fails before a huge buffer exists.
  std::vector<uint32_t> ReadPixels(int32_t width, int32_t height);
  void SkipPixels(int32_t width, int32_t height);
  void Close() { stream_->Close(); }

  // Fails with "<KIND> <path> <problem>".
  [[noreturn]] void Refuse(const std::string& problem) const;

 private:
  int32_t ReadPointCount();
  int BytesPerPixel() const { return kind_ == FileKind::kVGP ? 4 : 2; }

  std::string path_;
  FileKind kind_;
  media::StreamPtr stream_;
};

// ARGB value of a 5-6-5 FPG pixel: opaque, each channel scaled to 0-255 truncating.
uint32_t ConvertFpgPixel(uint16_t pixel);

// A one-frame image of width x height with the given flags, filled row by row from `pixels`.
media::ImagePtr CreateFilledImage(int32_t width, int32_t height, int flags,
                                  const std::vector<uint32_t>& pixels);

// The rest of a record after its number, read into a new graph whose image gets `imageFlags`
// and its handle.
TGraphPtr ReadGraph(PackageReader& reader, int imageFlags);
// An FPG record whose pixels come from the image file named in the record, inside `folder`.
TGraphPtr ReadFpgFileGraph(PackageReader& reader, int imageFlags, const std::string& folder);
// The folder LoadFPGFiles reads images from: the text before the path's last "/", then "/".
std::string ImageFolderOf(const std::string& path);

}  // namespace vgp
