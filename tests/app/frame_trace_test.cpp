#include "app/frame_trace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "field/player_report.h"
#include "support/scratch_folder.h"

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(FrameTrace, OneLinePerFrameWithThePlayersOfTheScreenBeingPlayed) {
  ScratchFolder folder;
  const auto path = folder.Path() / "trace.jsonl";
  {
    auto trace = app::FrameTrace::Open(path.string());
    ASSERT_NE(trace, nullptr);
    trace->Write(16);
    field::ReportPlayersFrom([] {
      return std::vector<field::PlayerReport>{{0, 1, 400, 475}, {3, 13, -12.5f, 475.25f}};
    });
    trace->Write(33);
    field::ForgetPlayers();
    trace->Write(50);
  }
  EXPECT_EQ(ReadAll(path),
            "{\"t\": 16, \"state\": 0, \"players\": []}\n"
            "{\"t\": 33, \"state\": 0, \"players\": [{\"slot\": 0, \"state\": 1, \"x\": 400.00, "
            "\"y\": 475.00}, {\"slot\": 3, \"state\": 13, \"x\": -12.50, \"y\": 475.25}]}\n"
            "{\"t\": 50, \"state\": 0, \"players\": []}\n");
}

TEST(FrameTrace, UnwritableFileIsRefused) {
  ScratchFolder folder;
  EXPECT_EQ(app::FrameTrace::Open((folder.Path() / "no" / "trace.jsonl").string()), nullptr);
}

}  // namespace
