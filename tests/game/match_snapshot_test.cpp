// A match saved and loaded by value: four bots play a match on the frame clock while their
// buttons are written down; the same match played again from those buttons, saving and loading
// its whole state before every frame and now and then going back a dozen frames to play them
// again, must reach the same state digest at every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "entities/administrador.h"
#include "entities/jugador_base.h"
#include "entities/player_tag.h"
#include "field/bots.h"
#include "field/seats.h"
#include "game/juego.h"
#include "media/input.h"
#include "net/snapshot_ring.h"
#include "net/state_digest.h"
#include "support/headless_game.h"

namespace {

constexpr int kFrames = 1000;
constexpr int32_t kSeed = 4242;
constexpr int kFrameMs = 16;
constexpr int kRewindEvery = 7;  // frames between trips back
// Pauses and resumes, so the frozen clock is saved and loaded too.
constexpr int kPauseFrames[] = {300, 340};

using Buttons = std::array<bool, kMaxPlayers>;

struct SnapshotMatch : HeadlessGame {
  // The same match every time: one seed, the frame clock, four computer seats whose buttons are
  // read from `buttons`.
  void Begin() {
    media::SeedRandom(kSeed);
    game->timer->StartFrameClock();
    MatchSeating seating;
    seating.players = kMaxPlayers;
    seating.seats.fill(CpuStrength::kNormal);
    game->botSeed = kSeed;
    game->BeginMatch(seating);
    game->manager->buttonReader = [this](int code) {
      for (int seat = 0; seat < kMaxPlayers; ++seat) {
        if (code == field::ComputerButton(seat)) return buttons[seat];
      }
      return false;
    };
  }

  bool Advance(int frame, const Buttons& pressed) {
    buttons = pressed;
    const bool pause = std::find(std::begin(kPauseFrames), std::end(kPauseFrames), frame) !=
                       std::end(kPauseFrames);
    return game->AdvanceFrame(pause);
  }

  uint64_t Digest() const {
    const MatchProgress& p = game->progress;
    return net::MatchDigest(
        *game->manager, *game->timer,
        {p.scroll, p.fade, p.fadeRate, p.savedSpeed, p.endTime, p.nextZombieTime,
         static_cast<float>(p.paused), static_cast<float>(p.deciding)});
  }

  Buttons buttons{};
};

TEST(MatchSnapshot, LoadingASavedStateReplaysTheSameFramesAtEveryFrame) {
  SnapshotMatch match;
  match.Begin();
  std::vector<Buttons> played;
  std::vector<uint64_t> digests;
  for (int frame = 0; frame < kFrames; ++frame) {
    const uint32_t now = static_cast<uint32_t>(frame * kFrameMs);
    match.game->bots->Think(*match.game->manager, now);
    match.game->bots->Feed(media::Input(), now);
    Buttons pressed{};
    for (int seat = 0; seat < kMaxPlayers; ++seat) {
      pressed[seat] = ButtonDown(field::ComputerButton(seat));
    }
    if (!match.Advance(frame, pressed)) break;
    played.push_back(pressed);
    digests.push_back(match.Digest());
  }
  match.game->bots->LetGoAll(media::Input());
  ASSERT_GT(played.size(), 600u) << "the bots' match ended too soon to say much";
  RecordProperty("frames", static_cast<int>(played.size()));

  match.Begin();
  net::SnapshotRing<MatchSnapshot> ring;
  const int frames = static_cast<int>(played.size());
  for (int frame = 0; frame < frames; ++frame) {
    MatchSnapshot& kept = ring.Keep(frame);
    match.game->SaveState(kept);
    match.game->LoadState(kept);
    ASSERT_TRUE(match.Advance(frame, played[frame]));
    ASSERT_EQ(match.Digest(), digests[frame]) << "frame " << frame;
    const int back = frame - (net::kMostFramesAhead - 1);
    if (frame % kRewindEvery != 0 || back < 0) continue;
    const MatchSnapshot* earlier = ring.Find(back);
    ASSERT_NE(earlier, nullptr) << "frame " << back << " is no longer kept";
    match.game->LoadState(*earlier);
    for (int again = back; again <= frame; ++again) {
      ASSERT_TRUE(match.Advance(again, played[again]));
      ASSERT_EQ(match.Digest(), digests[again])
          << "frame " << again << " played again at " << frame;
    }
  }
}

// What a snapshot holds is its own: the field played on after saving leaves it as it was, and the
// tags over the players follow the loaded players, not the ones the field had.
TEST(MatchSnapshot, LoadedCopiesShareNothingWithTheFieldTheyCameFrom) {
  SnapshotMatch match;
  match.Begin();
  MatchSnapshot kept;
  match.game->SaveState(kept);
  const uint64_t before = match.Digest();
  for (int frame = 0; frame < 120; ++frame) match.Advance(frame, {true, false, true, false});
  ASSERT_NE(match.Digest(), before);
  match.game->LoadState(kept);
  EXPECT_EQ(match.Digest(), before);

  auto& manager = *match.game->manager;
  std::vector<const TEntidad*> inList;
  manager.entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
    inList.push_back(entity.get());
    for (const auto& original : kept.field.entities) EXPECT_NE(entity.get(), original.get());
  });
  int tags = 0;
  manager.entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
    const auto* tag = dynamic_cast<const TPlayerTag*>(entity.get());
    if (!tag) return;
    ++tags;
    EXPECT_NE(std::find(inList.begin(), inList.end(), tag->player.get()), inList.end());
  });
  EXPECT_EQ(tags, kMaxPlayers);
  for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) {
    EXPECT_NE(std::find(inList.begin(), inList.end(), manager.GetPlayer(slot).get()), inList.end())
        << "player " << slot << " is not on the loaded field";
  }
}

}  // namespace
