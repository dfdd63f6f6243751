// A link that closes at one end only, while every other machine still hears both: the match must
// settle rather than wait for ever. Whichever end closes, the machines that stay linked take the
// same machine out in the same frame and play the same frames; it ends up alone and plays on.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "net/messages.h"
#include "support/net_machines.h"
#include "support/temp_folder.h"

namespace {

using Outcome = net::Lockstep::Outcome;

constexpr uint32_t kCutAt = 30;
constexpr uint32_t kFrames = 300;
constexpr int kMachines = 4;

struct HalfCut {
  int forgetter;  // the machine whose end of the link closes…
  int forgotten;  // …the machine at its other end…
  int out;        // …and the one taken out
  const char* name;
};

void PrintTo(const HalfCut& cut, std::ostream* out) {
  *out << cut.name;
}

class LockstepHalfCut : public ::testing::TestWithParam<HalfCut> {
 protected:
  TempFolder folder;  // the identity reads anim/ and gfx/ here
  nettest::Machines machines;
};

uint8_t Pressing(int m, uint32_t frame) {
  return frame / (m + 3) % 2;
}

int FrameOut(const std::vector<net::FrameInput>& frames, int seat) {
  for (size_t frame = 0; frame < frames.size(); ++frame) {
    const std::vector<int>& out = frames[frame].seatsOut;
    if (std::find(out.begin(), out.end(), seat) != out.end()) return static_cast<int>(frame);
  }
  return -1;
}

TEST_P(LockstepHalfCut, TheMachinesStillLinkedAgreeAndTheCutOffOnePlaysOnAlone) {
  ASSERT_TRUE(machines.Meet(kMachines - 1));
  const auto before = machines.Play(kCutAt, Pressing);
  machines.matches[GetParam().forgetter]->ForgetLink(GetParam().forgotten);
  auto after = machines.Play(kFrames, Pressing);
  for (size_t m = 0; m < after.size(); ++m) {
    EXPECT_EQ(machines.matches[m]->GetOutcome(), Outcome::kPlaying) << "machine " << m;
    ASSERT_EQ(before[m].size() + after[m].size(), kFrames) << "machine " << m << " waits";
    after[m].insert(after[m].begin(), before[m].begin(), before[m].end());
  }
  const int cutOff = GetParam().out;
  const int out = FrameOut(after[0], cutOff);
  EXPECT_GE(out, static_cast<int>(kCutAt));
  for (int m = 1; m < kMachines; ++m) {
    if (m == cutOff) continue;
    EXPECT_EQ(FrameOut(after[m], cutOff), out) << "machine " << m;
    for (uint32_t frame = 0; frame < kFrames; ++frame) {
      EXPECT_EQ(after[m][frame].buttons, after[0][frame].buttons) << m << " at " << frame;
      EXPECT_EQ(after[m][frame].seatsOut, after[0][frame].seatsOut) << m << " at " << frame;
    }
  }
  for (int seat = 0; seat < kMachines; ++seat) {
    if (seat == cutOff) continue;
    EXPECT_GE(FrameOut(after[cutOff], seat), 0) << "seat " << seat;
  }
}

// The coordinator that loses a machine takes it out; a machine that says it lost one the
// coordinator still hears is taken out itself, so a lie harms only the liar.
INSTANTIATE_TEST_SUITE_P(EitherEnd, LockstepHalfCut,
                         ::testing::Values(HalfCut{0, 2, 2, "TheCoordinatorsEndTakesTheOtherOut"},
                                           HalfCut{1, 2, 1, "AnotherMachinesEndTakesItOut"},
                                           HalfCut{2, 0, 2, "TheEndAwayFromTheCoordinator"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
