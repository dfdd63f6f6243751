#include "media/system.h"

#include <gtest/gtest.h>

namespace {

TEST(System, PrintAndWriteGoToStandardOutput) {
  testing::internal::CaptureStdout();
  media::Print("uno");
  media::Write("dos");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "uno\ndos");
}

TEST(System, RaiseAndEndUnwindToTheEntryPoint) {
  EXPECT_THROW(media::Raise("fallo"), media::RuntimeError);
  try {
    media::End();
  } catch (const media::ProgramExit& exit) {
    EXPECT_EQ(exit.status, 0);
  }
  try {
    media::Exit(3);
  } catch (const media::ProgramExit& exit) {
    EXPECT_EQ(exit.status, 3);
  }
}

}  // namespace
