#include "vgp/graph_package.h"
#include "vgp/package_reader.h"

void GraphPackage::Load(const std::string& path, Source source, int flags, int32_t firstNumber) {
  vgp::PackageReader reader(path,
                            source == Source::kVgp ? vgp::FileKind::kVGP : vgp::FileKind::kFPG);
  imageFlags = flags | media::kImageDynamic;
  CreateEmptyGraph();
  const std::string folder = vgp::ImageFolderOf(path);
  while (!reader.AtEnd()) {
    const int32_t slot = reader.ReadGraphNumber(firstNumber) - firstNumber;
    Put(slot, source == Source::kFpgWithImageFiles
                  ? vgp::ReadFpgFileGraph(reader, imageFlags, folder)
                  : vgp::ReadGraph(reader, imageFlags));
  }
  reader.Close();
}
