#include "net/identity.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "net/digest.h"
#include "net/messages.h"

namespace net {

namespace {

constexpr const char* kDataFolders[] = {"anim", "gfx"};
constexpr size_t kNamedFiles = 3;  // a refusal names at most this many files

std::string& PretendedVersion() {
  static std::string version;
  return version;
}

uint64_t FileDigest(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  Digest digest;
  digest.Add(bytes.data(), bytes.size());
  return digest.Value();
}

// The paths found on one side only or with different bytes.
std::vector<std::string> DifferentFiles(const Identity& a, const Identity& b) {
  std::vector<std::pair<std::string, uint64_t>> onlyOne;
  std::set_symmetric_difference(a.files.begin(), a.files.end(), b.files.begin(), b.files.end(),
                                std::back_inserter(onlyOne));
  std::vector<std::string> paths;
  for (const auto& file : onlyOne) {
    if (paths.empty() || paths.back() != file.first) paths.push_back(file.first);
  }
  return paths;
}

}  // namespace

void Identity::Write(ByteWriter& out) const {
  out.Text(version).U16(static_cast<uint32_t>(files.size()));
  for (const auto& [path, digest] : files) out.Text(path).U64(digest);
}

bool Identity::Read(ByteReader& in, Identity& identity) {
  identity.version = in.Text();
  const int count = in.U16();
  identity.files.clear();
  if (count > kMaxDataFiles) return false;
  for (int i = 0; i < count && in.Ok(); ++i) {
    std::string path = in.Text();
    identity.files.emplace_back(std::move(path), in.U64());
  }
  std::sort(identity.files.begin(), identity.files.end());
  return in.Ok();
}

Identity LocalIdentity() {
  namespace fs = std::filesystem;
  Identity identity;
  identity.version = PretendedVersion().empty() ? SKULL_GAME_VERSION : PretendedVersion();
  for (const char* folder : kDataFolders) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      if (!entry.is_regular_file()) continue;
      const std::string path = std::string(folder) + "/" + entry.path().filename().string();
      identity.files.emplace_back(path, FileDigest(entry.path()));
    }
  }
  std::sort(identity.files.begin(), identity.files.end());
  return identity;
}

void PretendVersion(const std::string& version) {
  PretendedVersion() = version;
}

std::string Refusal(const Identity& host, const Identity& joiner) {
  if (host.version != joiner.version) {
    return "versión distinta: el anfitrión tiene la " + host.version + " y este equipo la " +
           joiner.version;
  }
  const std::vector<std::string> paths = DifferentFiles(host, joiner);
  if (paths.empty()) return {};
  std::string text = "archivos de datos distintos:";
  for (size_t i = 0; i < paths.size() && i < kNamedFiles; ++i) text += " " + paths[i];
  if (paths.size() > kNamedFiles)
    text += " y " + std::to_string(paths.size() - kNamedFiles) + " más";
  return text;
}

}  // namespace net
