#include <gtest/gtest.h>

#include <fstream>

#include "media/headless_backend.h"
#include "media/image.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/stream.h"
#include "media/system.h"
#include "support/wav_file.h"
#include "temp_dir.h"

namespace {

// Installs a headless backend reading `script` and starts from a clean input state.
void UseScript(const TempDir& dir, const std::string& script, uint32_t stopAfterMs = 0) {
  std::string path = dir.File("input.txt");
  std::ofstream(path) << script;
  media::HeadlessOptions options;
  options.inputScript = path;
  options.stopAfterMs = stopAfterMs;
  std::unique_ptr<media::Backend> backend = media::MakeHeadlessBackend(options);
  ASSERT_TRUE(backend);
  media::UseBackend(std::move(backend));
  media::Input() = media::InputState();
}

int ExitStatus(void (*run)()) {
  try {
    run();
  } catch (const media::ProgramExit& exit) {
    return exit.status;
  }
  return -1;
}

TEST(Headless, ClockMovesOnlyWhenSleeping) {
  media::UseBackend(media::MakeHeadlessBackend({}));
  EXPECT_EQ(media::Milliseconds(), 0u);
  media::Sleep(25);
  media::Sleep(-5);
  media::Sleep(0);
  EXPECT_EQ(media::Milliseconds(), 25u);
}

TEST(Headless, ScriptEventsArriveWhenTheirTimeComes) {
  TempDir dir;
  UseScript(dir,
            "# a comment\n"
            "\n"
            "10 key 65 down\n"
            "20 key 65 up\n"
            "5 mouse 400 300\n"
            "10 button 1 down\n"
            "10 joy 2 7 down\n"
            "30 char 97\n"
            "30 char b\n");
  EXPECT_EQ(media::MouseX(), 0);  // nothing before 5 ms
  media::Sleep(5);
  EXPECT_EQ(media::MouseX(), 400);
  EXPECT_EQ(media::MouseY(), 300);
  EXPECT_EQ(media::JoystickCount(), 3);
  media::Sleep(5);
  EXPECT_EQ(media::KeyDown(65), 1);
  EXPECT_EQ(media::MouseDown(1), 1);
  EXPECT_EQ(media::JoystickDown(7, 2), 1);
  media::Sleep(10);
  EXPECT_EQ(media::KeyDown(65), 0);
  EXPECT_EQ(media::KeyHit(65), 1);
  media::Sleep(10);
  EXPECT_EQ(media::NextChar(), 'a');
  EXPECT_EQ(media::NextChar(), 'b');
  EXPECT_EQ(media::NextChar(), 0);
}

TEST(Headless, MalformedScriptLineIsRejectedWithItsLineNumber) {
  TempDir dir;
  std::string path = dir.File("bad.txt");
  media::HeadlessOptions options;
  options.inputScript = path;
  for (const char* line : {"10 key 300 down", "10 key 65 sideways", "x key 65 down",
                           "10 button 4 down", "10 jump", "10 mouse 5", "10 close now"}) {
    std::ofstream(path) << "# fine\n0 close\n" << line << "\n";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(media::MakeHeadlessBackend(options)) << line;
    std::string message = testing::internal::GetCapturedStdout();
    EXPECT_NE(message.find(path + ":3"), std::string::npos) << message;
  }
  options.inputScript = dir.File("missing.txt");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(media::MakeHeadlessBackend(options));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("missing.txt"), std::string::npos);
}

TEST(Headless, WaitKeyReturnsTheLowestKeyHitAfterFlushing) {
  TempDir dir;
  UseScript(dir, "0 key 70 down\n40 key 90 down\n40 key 66 down\n");
  EXPECT_EQ(media::WaitKey(), 66);  // the key held before the wait does not count
  EXPECT_GE(media::Milliseconds(), 40u);
}

TEST(Headless, CloseRequestAndTimeLimitEndTheProgram) {
  TempDir dir;
  UseScript(dir, "20 close\n");
  media::KeyHit(media::kKeyEscape);
  media::Sleep(20);
  EXPECT_EQ(ExitStatus([] { media::KeyHit(media::kKeyEscape); }), 0);

  UseScript(dir, "", 100);
  media::Sleep(99);
  EXPECT_EQ(ExitStatus([] { media::Sleep(1); }), 0);
}

TEST(Headless, ShotsSaveTheFirstFramePresentedAtOrAfterTheirTime) {
  TempDir dir;
  std::vector<uint32_t> presented;
  media::HeadlessOptions options;
  options.shots = {{30, dir.File("late.png")}, {0, dir.File("first.png")}};
  options.onPresent = [&](uint32_t ms) { presented.push_back(ms); };
  media::UseBackend(media::MakeHeadlessBackend(options));
  media::Backend& backend = media::CurrentBackend();

  media::Image frame(4, 2, 1, 0);
  frame.Pixels(0)[0] = 0xff112233;
  backend.Present(frame, false);
  frame.Pixels(0)[0] = 0xff445566;
  backend.Sleep(20);
  backend.Present(frame, false);
  EXPECT_FALSE(media::FileExists(dir.File("late.png")));
  frame.Pixels(0)[0] = 0xff778899;
  backend.Sleep(20);
  backend.Present(frame, false);
  EXPECT_EQ(presented, (std::vector<uint32_t>{0, 20, 40}));

  media::ImagePtr first = media::LoadImage(dir.File("first.png"), 0);
  media::ImagePtr late = media::LoadImage(dir.File("late.png"), 0);
  ASSERT_TRUE(first && late);
  EXPECT_EQ(first->Width(), 4);
  EXPECT_EQ(first->Pixels(0)[0], 0xff112233u);
  EXPECT_EQ(late->Pixels(0)[0], 0xff778899u);
}

// The recording follows the virtual clock: a sound started at 10 ms is heard from the 441st
// frame on (after the one-frame ramp every voice starts with), and the file ends where the
// clock stopped.
TEST(Headless, RecordsTheMixOnTheVirtualClock) {
  TempDir dir;
  const std::vector<int16_t> tone(media::kMixRate / 100, 1000);  // 10 ms
  WriteWav(dir.File("tone.wav"), media::kMixRate, 1, tone);
  media::HeadlessOptions options;
  options.audioFile = dir.File("heard.wav");
  media::UseBackend(media::MakeHeadlessBackend(options));
  media::Sleep(10);
  media::PlaySound(media::LoadSound(dir.File("tone.wav")));
  media::Sleep(25);
  media::UseBackend(nullptr);

  const WavSamples heard = ReadWav(dir.File("heard.wav"));
  ASSERT_EQ(heard.rate, media::kMixRate);
  ASSERT_EQ(heard.channels, 2);
  ASSERT_EQ(heard.Frames(), 35u * media::kMixRate / 1000);
  std::vector<size_t> sounding;
  for (size_t frame = 0; frame < heard.Frames(); ++frame) {
    if (heard.samples[2 * frame] != 0) sounding.push_back(frame);
  }
  ASSERT_FALSE(sounding.empty());
  EXPECT_EQ(sounding.front(), 442u + media::kMixLatencyFrames);
  EXPECT_EQ(sounding.size(), tone.size() - 1);  // the ramp in takes one frame's place
  EXPECT_EQ(heard.samples[2 * 600 + 1], 1000);

  options.audioFile = dir.File("no/such/folder/heard.wav");
  EXPECT_FALSE(media::MakeHeadlessBackend(options));
}

}  // namespace
