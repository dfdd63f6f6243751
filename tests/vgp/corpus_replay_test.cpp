// Every file of the fuzzing seed corpus, fed to its readers exactly as the fuzz targets do, in
// every build.
#include <gtest/gtest.h>

#include <filesystem>

#include "../tools/fuzz/format_inputs.h"
#include "format_files/file_bytes.h"

namespace {

void ReplayFolder(const std::string& name, FormatInput format) {
  ScratchFolder scratch;
  const std::filesystem::path folder =
      std::filesystem::path(SKULL_SOURCE_DIR) / "tests" / "formats_corpus" / name;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::vector<uint8_t> bytes = ReadFileBytes(entry.path().string());
    SCOPED_TRACE(entry.path().string());
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(FeedFormatInput(format, bytes.data(), bytes.size(), scratch.File("input")));
    testing::internal::GetCapturedStdout();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

TEST(CorpusReplay, Vgp) {
  ReplayFolder("vgp", FormatInput::kVgp);
}
TEST(CorpusReplay, Fpg) {
  ReplayFolder("fpg", FormatInput::kFpg);
}
TEST(CorpusReplay, Vba) {
  ReplayFolder("vba", FormatInput::kVba);
}

}  // namespace
