// Forced mispredictions between two headless runners through the lossy, slow line: the host's
// packets are held back for most of a second while its player crouches, so the joiner plays on
// guessing the host idle, then goes back and plays those frames again. The confirmed play still
// agrees frame by frame, and the joiner's own jump, made in the frames played again, is heard once.
#include <gtest/gtest.h>

#include <algorithm>

#include "entities/jugador.h"
#include "net_runners.h"
#include "support/wav_file.h"
#include "support/wave_find.h"

namespace {

using namespace e2e;

constexpr int kRate = 44100;
// A networked runner presents the match's first frame one frame's time after its virtual 0,
// whatever the lobby takes in real time.
constexpr int kMatchStartMs = 17;
constexpr int kFrameMs = 1000 / 60;
constexpr int kHoldFrame = 30;
constexpr int kHoldMs = 800;
// A second jump sounding this well near the first is a jump heard twice.
constexpr double kAbsent = 0.4;
constexpr double kFound = 0.5;

int AtFrame(int frame) {
  return kMatchStartMs + frame * 1000 / 60;
}

size_t SampleAt(int ms) {
  return static_cast<size_t>(int64_t(std::max(ms, 0)) * kRate / 1000);
}

// Both takes of the jump, as the build made them.
std::vector<std::vector<float>> JumpTakes() {
  std::vector<std::vector<float>> takes;
  for (const auto& entry : fs::directory_iterator(fs::path(SKULL_BUILD_DIR) / "sfx")) {
    if (entry.path().stem().string().rfind("jump", 0) == 0) {
      takes.push_back(ReadWav(entry.path().string()).Mono());
    }
  }
  return takes;
}

WaveFound FindJump(const std::vector<float>& mono, int fromMs, int toMs) {
  WaveFound best;
  for (const auto& take : JumpTakes()) {
    const WaveFound found = FindWave(mono, take, SampleAt(fromMs), SampleAt(toMs));
    if (found.score > best.score) best = found;
  }
  return best;
}

TEST(NetRollback, HeldBackPacketsForceRollbacksYetTheConfirmedPlayAgreesAndNothingSoundsTwice) {
  ScratchFolder root;
  Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
  fs::create_directory_symlink(fs::path(SKULL_BUILD_DIR) / "sfx", joiner.Folder() / "sfx");
  // The host crouches just after its packets stop going out and holds on long after they flow
  // again; the joiner jumps while it still guesses the host idle.
  const int release = AtFrame(kHoldFrame + 8);
  host.Start(Press(AtFrame(kHoldFrame + 1), kKeyPlayerOne, 2000) + Press(90000, kKeyEnter, 50),
             {"--host", "0", "--hold-packets",
              std::to_string(kHoldFrame) + ":" + std::to_string(kHoldMs)});
  const std::string port = host.HostPort();
  ASSERT_FALSE(port.empty()) << host.Output();
  Relay relay(root.Path(), port, 200);
  const std::string wav = (joiner.Folder() / "heard.wav").string();
  joiner.Start(Press(AtFrame(kHoldFrame + 3), kKeyPlayerOne, release - AtFrame(kHoldFrame + 3)) +
                   Press(90000, kKeyEnter, 50),
               {"--join", "127.0.0.1:" + relay.Port(), "--audio", wav});
  ASSERT_EQ(joiner.Finish(), 0) << joiner.Output();
  ASSERT_EQ(host.Finish(), 0) << host.Output();

  const auto confirmed = host.Confirmed();
  const auto joinerConfirmed = joiner.Confirmed();
  ExpectSameFrames(confirmed, joinerConfirmed, std::max(confirmed.size(), joinerConfirmed.size()));
  ASSERT_GT(confirmed.size(), 100u);
  const auto shown = joiner.Frames();
  int deepest = 0;
  for (const NetFrame& frame : shown) deepest = std::max(deepest, frame.rolled);
  EXPECT_GE(deepest, 5) << "the joiner never went back several frames";
  // The host's crouch reached the joiner's confirmed play in the frame it was made.
  EXPECT_EQ(FirstFrameIn(joinerConfirmed, 0, kCrouch), FirstFrameIn(host.Frames(), 0, kCrouch));

  // The joiner's jump sounds where it was made, and not again when its frame is played again.
  const auto mono = ReadWav(wav).Mono();
  const WaveFound jump = FindJump(mono, release - 50, release + 100);
  ASSERT_GT(jump.score, kFound);
  const int jumpMs = static_cast<int>(jump.at * 1000 / kRate);
  EXPECT_LT(FindJump(mono, jumpMs + 2 * kFrameMs, jumpMs + 600).score, kAbsent);
}

}  // namespace
