// Listening to whole sessions through the runner's recording of the mix: a jump is heard within a
// frame of the release; sound volume 0 leaves no trace of any effect while full volume neither
// clips nor flattens; a first start is heard at a comfortable level and the music steps back
// during a pause; and every effect is found where its session makes it, and the field's not in
// the menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>

#include "entities/jugador.h"
#include "session.h"
#include "support/wav_file.h"
#include "support/wave_find.h"

namespace {

using namespace e2e;

constexpr int kRate = 44100;
constexpr int kFrameMs = 17;  // a frame at 60 Hz, rounded up
// A take matching this well is heard there, even under the sounds around it (a clash comes in
// the middle of both divers' dives); in a recording without it, no stretch comes near.
constexpr double kFound = 0.5;
constexpr double kAbsent = 0.4;
// The sound setting at which the effects play about as they were made, under the limiter's knee
// even when a few come together, so each is found in its own shape.
constexpr int kAsMade = 50;

using Takes = std::vector<std::vector<float>>;

// The takes of every built effect, by effect name ("jump" for jump-1.wav and jump-2.wav).
const std::map<std::string, Takes>& EffectTakes() {
  static const std::map<std::string, Takes> takes = [] {
    std::map<std::string, Takes> found;
    for (const auto& entry : fs::directory_iterator(fs::path(SKULL_BUILD_DIR) / "sfx")) {
      const std::string stem = entry.path().stem().string();
      const size_t dash = stem.rfind('-');
      found[stem.substr(0, dash == std::string::npos ? stem.size() : dash)].push_back(
          ReadWav(entry.path().string()).Mono());
    }
    return found;
  }();
  return takes;
}

// The best any take of an effect does starting within [fromMs, toMs) of a recording.
WaveFound Find(const std::vector<float>& recording, const std::string& name, int fromMs = 0,
               int toMs = 1 << 30) {
  const auto frame = [](int ms) {
    return static_cast<size_t>(int64_t(std::max(ms, 0)) * kRate / 1000);
  };
  WaveFound best;
  for (const std::vector<float>& take : EffectTakes().at(name)) {
    const WaveFound found = FindWave(recording, take, frame(fromMs), frame(toMs));
    if (found.score > best.score) best = found;
  }
  return best;
}

// A session whose data folder sees the built effects and music, with the settings the test asks
// for.
class SoundSession : public Session {
 public:
  SoundSession() {
    for (const char* data : {"sfx", "music"}) {
      fs::create_directory_symlink(fs::path(SKULL_BUILD_DIR) / data, Here() / data);
    }
  }
  // The game's own pictures and animations instead of the small ones, for a match as players
  // hear it.
  void UseBuiltPictures() {
    for (const char* data : {"gfx", "anim"}) {
      fs::remove_all(Here() / data);
      fs::create_directory_symlink(fs::path(SKULL_BUILD_DIR) / data, Here() / data);
    }
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
  const WaveFound jump = Find(jumped.Mono(), "jump", release, release + 100);
  EXPECT_GT(jump.score, kFound);
  EXPECT_NEAR(jump.at * 1000.0 / kRate, heardMs, 1);
}

// The RMS level in dBFS of the frames from `fromMs` to `toMs`, both sides together.
double RmsDecibels(const WavSamples& wav, int fromMs, int toMs) {
  const size_t from = size_t(fromMs) * kRate / 1000 * 2;
  const size_t to = std::min(wav.samples.size(), size_t(toMs) * kRate / 1000 * 2);
  double power = 0;
  for (size_t i = from; i < to; ++i) power += double(wav.samples[i]) * wav.samples[i];
  return 10 * std::log10(power / double(to - from) / (32768.0 * 32768.0) + 1e-20);
}

// Where the limiter worked, the tops of the waves: the loudest sample, how many samples sit at
// that level, and the runs of three or more equal samples over -3 dBFS, each side on its own.
struct Tops {
  int loudest = 0;
  int atLoudest = 0;
  int flatRuns = 0;
};
Tops TopsOf(const WavSamples& wav) {
  constexpr int kKnee = 23200;
  Tops tops;
  for (int16_t sample : wav.samples) tops.loudest = std::max(tops.loudest, std::abs(int(sample)));
  for (int side = 0; side < 2; ++side) {
    int run = 1;
    for (size_t i = side + 2; i < wav.samples.size(); i += 2) {
      const int16_t sample = wav.samples[i];
      tops.atLoudest += std::abs(int(sample)) == tops.loudest;
      run = sample == wav.samples[i - 2] && std::abs(int(sample)) > kKnee ? run + 1 : 1;
      tops.flatRuns += run == 3;
    }
  }
  return tops;
}

TEST(SoundSession, SoundVolumeZeroIsSilentAndFullVolumeNeitherClipsNorFlattens) {
  SoundSession session;
  const std::vector<std::string> match = {"--match", "0:4", "--bots", "4", "--no-draw"};
  session.Volumes(0, 0);
  const WavSamples silent = session.Heard(Script(), 40, "silent", match);
  ASSERT_GT(silent.Frames(), 39u * kRate);
  EXPECT_TRUE(std::all_of(silent.samples.begin(), silent.samples.end(),
                          [](int16_t sample) { return sample == 0; }));

  session.Volumes(100, 100);
  const Tops loud = TopsOf(session.Heard(Script(), 40, "loud", match));
  EXPECT_GT(loud.loudest, 16000);
  EXPECT_LT(loud.loudest, 31000);  // -0.5 dBFS
  EXPECT_LE(loud.atLoudest, 4);
  EXPECT_EQ(loud.flatRuns, 0);
}

// A first start, with no settings file, plays a four-bot match with the music near -20 dBFS RMS
// and the effects about 5 dB over it, each measured alone at the volumes the start wrote down.
TEST(SoundSession, AFirstStartIsHeardAtAComfortableLevel) {
  SoundSession session;
  session.UseBuiltPictures();
  const std::vector<std::string> match = {"--match", "0:4", "--bots", "4", "--no-draw"};
  const int start = session.MatchStart(match);
  std::ifstream file(session.Here() / "wtf.cfg", std::ios::binary);
  int32_t written[3] = {};
  file.read(reinterpret_cast<char*>(written), sizeof written);
  ASSERT_TRUE(file);
  const int music = written[1], sound = written[2];
  EXPECT_EQ(music, 70);
  EXPECT_EQ(sound, 70);

  session.Volumes(music, 0);
  const double musicAlone = RmsDecibels(session.Heard(Script(), 45, "music", match), start, 45000);
  session.Volumes(0, sound);
  const double effectsAlone =
      RmsDecibels(session.Heard(Script(), 45, "effects", match), start, 45000);
  EXPECT_NEAR(musicAlone, -20, 1.5);
  EXPECT_GE(effectsAlone - musicAlone, 4) << effectsAlone << " dBFS";
  EXPECT_LE(effectsAlone - musicAlone, 6) << effectsAlone << " dBFS";
}

// F10 lowers the music by 12 dB while the match stands still; the second F10 brings it back.
TEST(SoundSession, TheMusicStepsBackWhilePaused) {
  SoundSession session;
  session.Volumes(70, 0);
  const std::vector<std::string> match = {"--match", "0:2", "--no-draw"};
  const int start = session.MatchStart(match);
  const int pause = start + 2000, resume = start + 5000;
  Script paused;
  paused.Key(pause, kKeyF10).Key(resume, kKeyF10);
  const WavSamples withPause = session.Heard(paused, (resume + 2000) / 1000.0, "paused", match);
  const WavSamples without = session.Heard(Script(), (resume + 2000) / 1000.0, "on", match);
  EXPECT_NEAR(RmsDecibels(withPause, start + 200, pause), RmsDecibels(without, start + 200, pause),
              0.01);
  EXPECT_NEAR(
      RmsDecibels(withPause, pause + 100, resume) - RmsDecibels(without, pause + 100, resume), -12,
      0.5);
  EXPECT_NEAR(RmsDecibels(withPause, resume + 100, resume + 1900),
              RmsDecibels(without, resume + 100, resume + 1900), 0.01);
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
  std::vector<float> mono;
  std::map<std::string, Windows> windows;
};

// Each effect is heard in one of its windows in one of the recordings at least.
void ExpectHeard(const std::vector<Recording>& recordings, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    double best = 0;
    bool happened = false;
    for (const Recording& recording : recordings) {
      if (!recording.windows.count(name)) continue;
      happened = true;
      for (const auto& [from, to] : recording.windows.at(name)) {
        best = std::max(best, Find(recording.mono, name, from, to).score);
      }
    }
    ASSERT_TRUE(happened) << name << " never happened";
    EXPECT_GE(best, kFound) << name;
  }
}

// Pause and resume while nobody moves, once the start-up sting has died away, then a jump, the
// arrow and a dive, all on their own.
TEST(SoundSession, APlayersMovesAndThePauseAreHeardWhereTheyHappen) {
  SoundSession session;
  session.Volumes(0, kAsMade);
  const std::vector<std::string> match = {"--match", "0:2", "--no-draw"};
  const int start = session.MatchStart(match);
  Script script;
  script.Key(start + 1500, kKeyF10).Key(start + 2500, kKeyF10);
  script.Key(start + 3000, kKeyPlayerOne, 300).Key(start + 3700, kKeyPlayerOne, 200);
  Recording moves{session.Heard(script, (start + 5000) / 1000.0, "moves", match).Mono(),
                  MatchWindows(session.frames)};
  moves.windows["pause"] = {{start + 1500, start + 1500 + 2 * kFrameMs}};
  moves.windows["resume"] = {{start + 2500, start + 2500 + 2 * kFrameMs}};
  ExpectHeard({moves}, {"pause", "resume", "charge", "jump", "arrow", "dive", "land"});
}

// Bots play two whole matches: every contact and fate is heard where the traces show it, the win
// once the last rival is caught, and the walkers arriving and thrown back somewhere in them.
TEST(SoundSession, EveryContactAndFateOfAMatchIsHeardWhereItHappens) {
  SoundSession session;
  session.Volumes(0, kAsMade);
  std::vector<Recording> matches;
  // Three bots; then four, with a pause of a second early on, whose match holds clashes too.
  for (const char* players : {"3", "4"}) {
    Script script;
    if (std::string(players) == "4") script.Key(20000, kKeyF10).Key(21000, kKeyF10);
    const std::vector<std::string> match = {"--match", std::string("0:") + players, "--bots",
                                            players, "--no-draw"};
    matches.push_back(
        {session.Heard(script, 300, "bots", match).Mono(), MatchWindows(session.frames)});
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
  session.Volumes(0, kAsMade);
  Script script;
  script.Click(1000, 325, 280);                // onto Options and click: hover, click, opening
  script.Click(3000, 372, 432);                // the sound slider's knob let go: a tick
  script.Click(4000, 105, 185).Key(4500, 32);  // player 1 bound to Space
  script.Click(5500, 105, 505);                // OK: the panel closes
  script.ClickButton(7000, kPlay.x, kPlay.y)
      .ClickButton(8500, kTutorial.x, kTutorial.y)
      .ClickButton(10000, kTwoPlayers.x, kTwoPlayers.y);
  Recording menus{session.Heard(script, 35, "menus").Mono(), {}};
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
  for (const char* name : {"walker", "thrown", "hit", "catch", "clash", "win"}) {
    EXPECT_LT(Find(menus.mono, name).score, kAbsent) << name;
  }
}

}  // namespace
