// Listening to whole sessions through the runner's recording of the mix: a jump is heard within a
// frame of the release; sound volume 0 leaves no trace of any effect while full volume never
// clips; and every effect is found in the recording of the session that makes it, and not in the
// one that does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>

#include "entities/jugador.h"
#include "session.h"
#include "support/sound_print.h"
#include "support/wav_file.h"

namespace {

using namespace e2e;

constexpr int kRate = 44100;
constexpr int kFrameMs = 17;  // a frame at 60 Hz, rounded up
constexpr int kKeyF10 = 121;
constexpr int kKeyPlayerTwo = 90;  // Z
constexpr double kFound = 0.8;     // a print matching this well somewhere is the effect heard

// The takes of every built effect, by effect name ("jump" for jump-1.wav and jump-2.wav).
std::map<std::string, std::vector<SoundPrint>> EffectPrints() {
  std::map<std::string, std::vector<SoundPrint>> prints;
  for (const auto& entry : fs::directory_iterator(fs::path(SKULL_BUILD_DIR) / "sfx")) {
    const std::string stem = entry.path().stem().string();
    const std::string name =
        stem.substr(0, stem.rfind('-') == std::string::npos ? stem.size() : stem.rfind('-'));
    // The start of each take, where an effect is most itself and least covered by the next one.
    prints[name].push_back(SoundPrint(ReadWav(entry.path().string()).Mono()).Heart(40));
  }
  return prints;
}

// How well the best take of an effect matches anywhere in [fromMs, toMs) of the recording.
SoundPrint::Found Find(const SoundPrint& recording, const std::vector<SoundPrint>& takes,
                       int fromMs = 0, int toMs = 1 << 30) {
  const auto step = [](int ms) {
    return static_cast<size_t>(int64_t(ms) * kRate / 1000 / SoundPrint::kHop);
  };
  SoundPrint::Found best;
  for (const SoundPrint& take : takes) {
    const SoundPrint::Found found = recording.Best(take, step(std::max(fromMs, 0)), step(toMs));
    if (found.score > best.score) best = found;
  }
  return best;
}

// A session whose data folder sees the built effects, with the settings the test asks for.
class SoundSession : public Session {
 public:
  SoundSession() {
    fs::create_directory_symlink(fs::path(SKULL_BUILD_DIR) / "sfx", Here() / "sfx");
  }
  void Volumes(int music, int sound) {
    std::ofstream file(Here() / "wtf.cfg", std::ios::binary);
    for (int32_t value : {4, music, sound, 81, 90, 80, 77}) {
      file.write(reinterpret_cast<const char*>(&value), sizeof value);  // little-endian hosts
    }
  }
  // Runs with the mix recorded; the recording read back.
  WavSamples Heard(const Script& script, double seconds, const std::string& name,
                   std::vector<std::string> more = {}) {
    const std::string wav = (Here() / (name + ".wav")).string();
    more.insert(more.end(), {"--audio", wav});
    EXPECT_EQ(Run(script, seconds, name, more), 0) << Output(name);
    return ReadWav(wav);
  }
  // When the match began, from a short run's trace.
  int MatchStart(const std::vector<std::string>& match) {
    Run(Script(), 7, "probe", match);
    const TraceFrame* begun = FirstIn(frames, 1);
    EXPECT_NE(begun, nullptr);
    return begun ? begun->t : 0;
  }
};

TEST(SoundSession, AJumpIsHeardWithinAFrameOfTheRelease) {
  SoundSession session;
  session.Volumes(0, 5);
  const std::vector<std::string> match = {"--match", "0:2"};
  const int release = session.MatchStart(match) + 700;
  Script tap, hold;
  tap.Key(release - 200, kKeyPlayerOne, 200);
  hold.Key(release - 200, kKeyPlayerOne, 3000);
  const WavSamples jumped = session.Heard(tap, release / 1000.0 + 1, "jump", match);
  const WavSamples held = session.Heard(hold, release / 1000.0 + 1, "held", match);
  ASSERT_EQ(jumped.samples.size(), held.samples.size());
  const auto differ =
      std::mismatch(jumped.samples.begin(), jumped.samples.end(), held.samples.begin());
  ASSERT_NE(differ.first, jumped.samples.end());
  const double heardMs = (differ.first - jumped.samples.begin()) / 2 * 1000.0 / kRate;
  EXPECT_GE(heardMs, release);
  EXPECT_LE(heardMs, release + kFrameMs);
  // What starts there is the jump.
  const SoundPrint recording(jumped.Mono());
  const SoundPrint::Found jump = Find(recording, EffectPrints().at("jump"), release, release + 100);
  EXPECT_GT(jump.score, kFound);
  EXPECT_NEAR(jump.Seconds() * 1000, heardMs, 10);
}

TEST(SoundSession, SoundVolumeZeroIsSilentAndFullVolumeNeverClips) {
  SoundSession session;
  const std::vector<std::string> match = {"--match", "0:4", "--bots", "4", "--no-draw"};
  session.Volumes(0, 0);
  const WavSamples silent = session.Heard(Script(), 40, "silent", match);
  ASSERT_GT(silent.Frames(), 39u * kRate);
  EXPECT_TRUE(std::all_of(silent.samples.begin(), silent.samples.end(),
                          [](int16_t sample) { return sample == 0; }));

  session.Volumes(100, 100);
  const WavSamples loud = session.Heard(Script(), 40, "loud", match);
  int loudest = 0;
  for (int16_t sample : loud.samples) loudest = std::max(loudest, std::abs(int(sample)));
  EXPECT_GT(loudest, 16000);
  EXPECT_LT(loudest, 32767);
}

using Windows = std::vector<std::pair<int, int>>;  // virtual milliseconds, from and to

// Where each effect of a match should be heard, read from the trace: the frames in which a
// player's state changes say when it crouched, jumped, aimed, dived, landed, was hit, clashed,
// tripped, lay hammering, got up or was caught. A window runs from the frame before the change
// to two frames after it, or over the whole of a state for what happens inside one.
std::map<std::string, Windows> MatchWindows(const std::vector<TraceFrame>& frames) {
  std::map<std::string, Windows> windows;
  std::map<int, int> since;  // when each slot entered its state
  for (size_t i = 1; i < frames.size(); ++i) {
    const TraceFrame& before = frames[i - 1];
    const TraceFrame& now = frames[i];
    if (now.state != 1 || before.state != 1) continue;
    bool rebound = false, crouching = false;
    for (const auto& [slot, player] : now.players) {
      rebound |= player.state == kRebound && before.players.at(slot).state != kRebound;
      crouching |= player.state == kCrouch;
    }
    for (const auto& [slot, player] : now.players) {
      const int from = before.players.at(slot).state, to = player.state;
      if (from == to) continue;
      const auto at = [&](const char* name) {
        windows[name].emplace_back(before.t, now.t + 2 * kFrameMs);
      };
      if (from == kRun && to == kCrouch) at("charge");
      if (from == kCrouch && to == kJump) at("jump");
      if (from == kAim && to == kDive) at("dive");
      if (from == kDive && to == kLand) at("land");
      if (to == kClash) at("clash");
      if (to == kKnocked && rebound) at("hit");
      if (from == kRun && to == kKnocked && crouching && !rebound) at("trip");
      if (from == kDown && to == kRise) at("getup");
      if (to == kPlayerOut) at("catch");
      if (from == kAim || from == kDown) {
        windows[from == kAim ? "arrow" : "hammer"].emplace_back(since[slot], now.t);
      }
      since[slot] = now.t;
    }
  }
  return windows;
}

// A session's recording and where each effect should be heard in it.
struct Recording {
  SoundPrint print;
  std::map<std::string, Windows> windows;
};

// How an effect matched at its best over its windows, and the best any other effect makes there.
struct Heard {
  double own = 0;
  double other = 0;
  std::string otherName;
  bool wide = false;  // the window spans a whole state, where other sounds come and go
};

Heard Listen(const Recording& recording, const std::string& name) {
  static const auto prints = EffectPrints();
  Heard heard;
  for (const auto& [from, to] : recording.windows.at(name)) {
    const double own = Find(recording.print, prints.at(name), from, to).score;
    if (own <= heard.own) continue;
    heard = {own, 0, "", to - from > 4 * kFrameMs};
    for (const auto& [otherName, takes] : prints) {
      const double other = otherName == name ? 0 : Find(recording.print, takes, from, to).score;
      if (other > heard.other) heard.other = other, heard.otherName = otherName;
    }
  }
  return heard;
}

// Each effect is heard in one of its windows in one of the recordings at least: its print matches
// well there, and, in a window as short as its event, better than any other effect's.
void ExpectHeard(const std::vector<Recording>& recordings, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    Heard best;
    bool happened = false;
    for (const Recording& recording : recordings) {
      if (!recording.windows.count(name)) continue;
      happened = true;
      const Heard heard = Listen(recording, name);
      if (heard.own > best.own) best = heard;
    }
    ASSERT_TRUE(happened) << name << " never happened";
    EXPECT_GE(best.own, kFound) << name;
    if (!best.wide) {
      EXPECT_GT(best.own, best.other) << name << " sounds more like " << best.otherName;
    }
  }
}

// Pause and resume while nobody moves, then a jump, the arrow and a dive, all on their own.
TEST(SoundSession, APlayersMovesAndThePauseAreHeardWhereTheyHappen) {
  SoundSession session;
  session.Volumes(0, 100);
  const std::vector<std::string> match = {"--match", "0:2", "--no-draw"};
  const int start = session.MatchStart(match);
  Script script;
  script.Key(start + 300, kKeyF10).Key(start + 1300, kKeyF10);
  script.Key(start + 2000, kKeyPlayerOne, 300).Key(start + 2700, kKeyPlayerOne, 200);
  Recording moves{SoundPrint(session.Heard(script, (start + 4000) / 1000.0, "moves", match).Mono()),
                  MatchWindows(session.frames)};
  moves.windows["pause"] = {{start + 300, start + 300 + 2 * kFrameMs}};
  moves.windows["resume"] = {{start + 1300, start + 1300 + 2 * kFrameMs}};
  ExpectHeard({moves}, {"pause", "resume", "charge", "jump", "arrow", "dive", "land"});
}

// Bots play two whole matches: every contact and fate is heard where the traces show it, the win
// once the last rival is caught, and the walkers arriving and thrown back somewhere in them.
TEST(SoundSession, EveryContactAndFateOfAMatchIsHeardWhereItHappens) {
  SoundSession session;
  session.Volumes(0, 100);
  std::vector<Recording> matches;
  // Three bots; then four, with a pause of a second early on, whose match holds clashes too.
  for (const char* players : {"3", "4"}) {
    Script script;
    if (std::string(players) == "4") script.Key(20000, kKeyF10).Key(21000, kKeyF10);
    const std::vector<std::string> match = {"--match", std::string("0:") + players, "--bots",
                                            players, "--no-draw"};
    matches.push_back({SoundPrint(session.Heard(script, 300, "bots", match).Mono()),
                       MatchWindows(session.frames)});
    auto& windows = matches.back().windows;
    ASSERT_TRUE(windows.count("catch"));
    const int decided = windows.at("catch").back().second;
    windows["win"] = {{decided + 1200 - 2 * kFrameMs, decided + 1200 + 2 * kFrameMs}};
    windows["walker"] = windows["thrown"] = {{0, 1 << 30}};
  }
  ExpectHeard(matches, {"hit", "clash", "trip", "hammer", "getup", "catch", "win"});
  ExpectHeard(matches, {"walker", "thrown"});
}

// The menus and the tutorial, at the times the script acts; and none of the field's louder
// sounds anywhere in them.
TEST(SoundSession, TheMenusAndTheTutorialAreHeardWhereTheyAct) {
  SoundSession session;
  session.Volumes(0, 100);
  Script script;
  script.Click(1000, 325, 280);                // onto Options and click: hover, click, opening
  script.Click(3000, 372, 432);                // the sound slider's knob let go: a tick
  script.Click(4000, 105, 185).Key(4500, 32);  // player 1 bound to Space
  script.Click(5500, 105, 505);                // OK: the panel closes
  script.ClickButton(7000, kPlay.x, kPlay.y)
      .ClickButton(8500, kTutorial.x, kTutorial.y)
      .ClickButton(10000, kTwoPlayers.x, kTwoPlayers.y);
  Recording menus{SoundPrint(session.Heard(script, 35, "menus").Mono()), {}};
  const TraceFrame* tutorial = FirstIn(session.frames, 3);
  ASSERT_NE(tutorial, nullptr);
  const auto around = [](int ms, int framesAfter = 2) {
    return Windows{{ms, ms + framesAfter * kFrameMs}};
  };
  // The first slide shows after a second, the first wait for Enter 20.5 s in; each of the five
  // timed steps before it moves on at the first frame after its time.
  menus.windows = {{"sting", around(0)},
                   {"hover", around(1000)},
                   {"click", around(1100)},
                   {"open", around(1150)},
                   {"tick", around(3150)},
                   {"bind", around(4500)},
                   {"close", around(5650)},
                   {"slide", around(tutorial->t + 1000, 3)},
                   {"prompt", around(tutorial->t + 20500, 7)}};
  ExpectHeard({menus},
              {"sting", "hover", "click", "open", "tick", "bind", "close", "slide", "prompt"});
  const auto prints = EffectPrints();
  for (const char* name : {"walker", "thrown", "hit", "catch"}) {
    EXPECT_LT(Find(menus.print, prints.at(name)).score, kFound) << name;
  }
}

}  // namespace
