// The computer's players: a bot's decisions reach the button no sooner than its reaction time, it
// presses only its own player's button, the strengths differ where a person would see it, and its
// random stream is its own.
#include "field/bots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "entities/match_field.h"
#include "entities/zombie_movil.h"
#include "field/seats.h"
#include "media/input.h"
#include "media/system.h"

namespace {

constexpr int kFrameMs = 17;
constexpr uint32_t kQuickestPerson = 150;

TEST(BotHand, DecisionsReachTheButtonAfterTheReactionAndPlansFollowOn) {
  media::InputState input;
  field::BotHand hand(65, 200);
  const uint32_t pressAt = hand.Plan(true, hand.Replan(1000));
  EXPECT_EQ(pressAt, 1200u);
  hand.Plan(false, pressAt + 100);
  hand.Feed(input, 1199);
  EXPECT_EQ(input.KeyDown(65), 0);
  hand.Feed(input, 1200);
  EXPECT_EQ(input.KeyDown(65), 1);
  // A decision at 1250 cannot undo the release planned for 1300: it comes too soon to stop.
  EXPECT_EQ(hand.Replan(1250), 1450u);
  EXPECT_FALSE(hand.Intended());
  hand.Feed(input, 1299);
  EXPECT_EQ(input.KeyDown(65), 1);
  hand.Feed(input, 1300);
  EXPECT_EQ(input.KeyDown(65), 0);
  EXPECT_FALSE(hand.Busy());
}

// After a long frame a press and its release are both due; made together the press would be lost.
TEST(BotHand, PressesAreNeverSoCloseThatAFrameMissesThem) {
  media::InputState input;
  field::BotHand hand(65, 150);
  const uint32_t pressAt = hand.Plan(true, hand.Replan(0));
  EXPECT_EQ(hand.Plan(false, pressAt + 1), pressAt + field::BotHand::kShortestGapMs);
  hand.Feed(input, pressAt + 100);
  EXPECT_EQ(input.KeyHit(65), 1);
  hand.Feed(input, pressAt + 101);
  EXPECT_EQ(input.KeyDown(65), 1);
  hand.Feed(input, pressAt + 100 + field::BotHand::kShortestGapMs);
  EXPECT_EQ(input.KeyDown(65), 0);
}

TEST(Seats, ComputerSeatsPlayOnThePadNoDeviceIsGiven) {
  TConfiguracion settings;
  settings.keys = {1002, 90, 1000, 1001};
  const auto seats = field::ComputerSeats(settings);
  EXPECT_EQ(seats[0], CpuStrength::kHard);
  EXPECT_EQ(seats[1], std::nullopt);
  EXPECT_EQ(seats[3], CpuStrength::kNormal);
  EXPECT_EQ(field::SeatButton(settings, 1), 90);
  // Two bots of one strength still have a button each.
  EXPECT_EQ(field::SeatButton(settings, 2), JoystickCode(media::kComputerPadPort, 2));
  EXPECT_EQ(field::SeatButton(settings, 3), JoystickCode(media::kComputerPadPort, 3));
  // The tutorial's reader is a person: player 1's default button when the computer has seat 1.
  EXPECT_EQ(field::ReaderButton(settings), 81);
  settings.keys[0] = 605;
  EXPECT_EQ(field::ReaderButton(settings), 605);
}

// A person sees a walker only once it is on the screen, from whichever side it comes.
TEST(BotView, SeesTheWalkersOnTheScreenAndNoOthers) {
  MatchField field;
  field.AddPlayer(400);
  const std::vector<float> places = {-100, -20, 30, 770, 830, 2000};
  for (size_t n = 0; n < places.size(); ++n) field.manager->AddZombieMovil();
  size_t next = 0;
  field.manager->entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
    if (auto* walker = dynamic_cast<TZombieMovil*>(entity.get())) {
      walker->x = places[next++];
      walker->state = 1;
    }
  });
  std::vector<float> seen;
  for (const field::BotWalker& walker : field::BotView::Of(*field.manager).walkers) {
    seen.push_back(walker.x);
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<float>{30, 770}));
}

// A field of bots and people for a while, each frame looked at first as a match does.
struct BotField : MatchField {
  explicit BotField(const field::SeatStrengths& seats, int32_t seed = 3, int players = kMaxPlayers)
      : bots(std::make_shared<field::Bots>(seats, seed)) {
    for (int slot = 0; slot < players; ++slot) {
      const float x = 150.0f + 150 * slot;
      if (seats[slot]) {
        manager->AddPlayer(resources->GetPlayerPackage(slot), field::ComputerButton(slot),
                           50 + 10 * slot);
        manager->GetPlayer(slot)->x = x;
      } else {
        AddPlayer(x);
      }
    }
    media::UseInputSource(bots);
  }
  ~BotField() {
    media::UseInputSource(nullptr);
    bots->LetGoAll(media::Input());
  }
  TJugador& Player(int slot) { return static_cast<TJugador&>(*manager->GetPlayer(slot)); }
  void Play(
      int ms, const std::function<void()>& eachFrame = [] {}) {
    for (; ms > 0; ms -= kFrameMs) {
      bots->Think(*manager, media::Milliseconds());
      Frame(kFrameMs);
      eachFrame();
    }
  }

  std::shared_ptr<field::Bots> bots;
};

// A hard bot or a person who waits at `x`, face to face with player 2, a person whose moves the
// test makes. Answers whether player 1 was knocked down within `ms`.
struct Duel {
  Duel(bool bot, float x, float rivalX)
      : field({bot ? std::optional(CpuStrength::kHard) : std::nullopt, std::nullopt, std::nullopt,
               std::nullopt},
              3, 2) {
    field.Player(0).x = x;
    field.Player(1).x = rivalX;
  }
  bool KnockedWithin(
      int ms, const std::function<void(int)>& rivalMoves = [](int) {}) {
    bool knocked = false;
    int elapsed = 0;
    field.Play(ms, [&] {
      elapsed += kFrameMs;
      rivalMoves(elapsed);
      knocked |= field.Player(0).state == kKnocked;
    });
    return knocked;
  }
  void Rival(bool down) { media::Input().KeyEvent(field.Player(1).buttonCode, down); }

  BotField field;
};

// Player 2 is in the air at 250 px, aiming; it lets its arrow go after `aimMs`.
void AimFromAbove(Duel& duel, int aimMs, int& releaseAt) {
  TJugador& rival = duel.field.Player(1);
  rival.y = 250;
  rival.state = kAim;
  rival.buttonWasDown = 0;
  duel.Rival(true);
  releaseAt = aimMs;
}

// The dive that knocks down a person who waits where it comes down misses the hard bot, which
// leaves the ground once it sees the arrow; so does the crouch that drifts into a person.
TEST(Bots, TheHardBotLeavesTheGroundUnderADiveOrBesideACrouch) {
  // Where the dive comes down, found by letting it fall on nobody first.
  Duel probe(false, 700, 200);
  int releaseAt = 0;
  AimFromAbove(probe, 350, releaseAt);
  float landing = 0;
  probe.KnockedWithin(2000, [&](int elapsed) {
    if (elapsed >= releaseAt) probe.Rival(false);
    if (probe.field.Player(1).state == kLand && landing == 0) landing = probe.field.Player(1).x;
  });
  ASSERT_GT(landing, 250);
  for (bool bot : {false, true}) {
    SCOPED_TRACE(bot ? "the hard bot" : "a person who waits");
    Duel duel(bot, landing, 200);
    AimFromAbove(duel, 350, releaseAt);
    EXPECT_EQ(duel.KnockedWithin(2000,
                                 [&](int elapsed) {
                                   if (elapsed >= releaseAt) duel.Rival(false);
                                 }),
              !bot);
  }
  for (bool bot : {false, true}) {
    SCOPED_TRACE(bot ? "the hard bot" : "a person who waits");
    Duel duel(bot, 400, 470);
    duel.Rival(true);  // crouches, drifting left, and holds on
    EXPECT_EQ(duel.KnockedWithin(3000), !bot);
    duel.Rival(false);
  }
}

// The hard bot goes after a rival who waits wherever it stands: too near for the old attack, on
// its left within a crouch's drift, or far to the left across the field.
TEST(Bots, TheHardBotGoesAfterARivalWhereverItStands) {
  const std::pair<float, float> places[] = {{400, 420}, {400, 330}, {650, 300}};
  for (const auto& [x, rivalX] : places) {
    SCOPED_TRACE(testing::Message() << x << " against " << rivalX);
    Duel duel(true, x, rivalX);
    bool rivalKnocked = false;
    duel.field.Play(20000, [&] { rivalKnocked |= duel.field.Player(1).state == kKnocked; });
    EXPECT_TRUE(rivalKnocked);
  }
}

TEST(Bots, PressOnlyTheirOwnPlayersButtons) {
  BotField field({CpuStrength::kNormal, std::nullopt, CpuStrength::kHard, std::nullopt});
  std::vector<int> pressed(media::kJoystickButtons);
  int strayPresses = 0;
  field.Play(40000, [&] {
    if (field.timer->GetElapsed(false) > 3000 && field.Count<TZombieMovil>() < 2) {
      field.manager->AddZombieMovil();
    }
    const media::InputState& input = media::Input();
    for (int key = 0; key < media::kKeyCodes; ++key) strayPresses += input.KeyDown(key);
    for (int button = 1; button <= media::kMouseButtons; ++button) {
      strayPresses += input.MouseDown(button);
    }
    for (int port = 0; port < media::kJoystickPorts; ++port) {
      for (int button = 0; button < media::kJoystickButtons; ++button) {
        if (!input.JoystickDown(button, port)) continue;
        if (port == media::kComputerPadPort) {
          ++pressed[button];
        } else {
          ++strayPresses;
        }
      }
    }
  });
  EXPECT_EQ(strayPresses, 0);
  EXPECT_GT(pressed[0], 0);
  EXPECT_GT(pressed[2], 0);
  EXPECT_EQ(pressed[1] + pressed[3], 0);
}

// The moment a bot's player is knocked down is one it cannot foresee: its first press comes a
// person's reaction later at the soonest, and then the stronger hammer faster.
TEST(Bots, ReactNoSoonerThanAPersonAndHammerByStrength) {
  std::vector<int> presses;
  for (CpuStrength strength : {CpuStrength::kEasy, CpuStrength::kNormal, CpuStrength::kHard}) {
    SCOPED_TRACE(static_cast<int>(strength));
    BotField field({strength, std::nullopt, std::nullopt, std::nullopt});
    TJugador& player = field.Player(0);
    player.state = kDown;
    player.pressesLeft = 1000;  // it stays down however fast it hammers
    player.buttonWasDown = 0;
    const uint32_t downAt = media::Milliseconds();
    uint32_t firstPress = 0;
    int count = 0;
    bool wasDown = false;
    for (uint32_t now = downAt; now < downAt + 2000; now += kFrameMs) {
      field.bots->Think(*field.manager, now);
      field.bots->Feed(media::Input(), now);
      const bool down = media::Input().JoystickDown(0, media::kComputerPadPort);
      if (down && !wasDown && firstPress == 0) firstPress = now;
      count += down && !wasDown;
      wasDown = down;
    }
    EXPECT_GE(firstPress, downAt + kQuickestPerson);
    presses.push_back(count);
  }
  EXPECT_LT(presses[0], presses[1]);
  EXPECT_LT(presses[1], presses[2]);
  EXPECT_GE(presses[2], 14);  // about nine a second, after the reaction
}

TEST(Bots, TheirRandomStreamIsTheirOwn) {
  const auto pressesWith = [](int32_t seed) {
    media::SeedRandom(99);
    BotField field({CpuStrength::kEasy, CpuStrength::kHard, std::nullopt, std::nullopt}, seed);
    std::vector<uint32_t> changes;
    bool was = false;
    const uint32_t start = media::Milliseconds();
    field.Play(8000, [&] {
      const bool down = media::Input().JoystickDown(0, media::kComputerPadPort);
      if (down != was) changes.push_back(media::Milliseconds() - start);
      was = down;
    });
    return changes;
  };
  EXPECT_EQ(pressesWith(7), pressesWith(7));
  EXPECT_NE(pressesWith(7), pressesWith(8));

  // Thinking draws nothing from the match's stream.
  BotField field({CpuStrength::kNormal, CpuStrength::kHard, std::nullopt, std::nullopt});
  media::SeedRandom(5);
  for (uint32_t now = 0; now < 3000; now += kFrameMs) field.bots->Think(*field.manager, now);
  const int after = media::RandomInt(0, 1 << 30);
  media::SeedRandom(5);
  EXPECT_EQ(after, media::RandomInt(0, 1 << 30));
}

// Runs that no person watches: the bots leave the winner picture with Enter.
TEST(Bots, TheWinnerPictureIsLeftWithATapAfterAMoment) {
  field::Bots bots({CpuStrength::kNormal, std::nullopt, std::nullopt, std::nullopt}, 5);
  media::InputState input;
  bots.WaitingForKey(1000);
  bots.Feed(input, 1100);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 0);
  bots.Feed(input, 1400);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 1);
  bots.Feed(input, 1401);
  EXPECT_EQ(input.KeyDown(media::kKeyEnter), 0);  // released, to be tapped again if missed
  bots.Feed(input, 2200);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 1);

  field::Bots none({}, 5);
  none.WaitingForKey(0);
  none.Feed(input, 5000);
  EXPECT_EQ(input.KeyHit(media::kKeyEnter), 0);
}

}  // namespace
