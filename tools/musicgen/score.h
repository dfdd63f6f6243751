#pragma once
// A song as the synthesiser plays it: instruments, timed notes and the room they sound in.
#include <optional>
#include <string>
#include <vector>

namespace musicgen {

enum class Wave { kSine, kTriangle, kSaw, kSquare, kNoise };
enum class FilterMode { kNone, kLowPass, kHighPass, kBandPass };

struct Instrument {
  std::string name;
  Wave wave = Wave::kSine;
  float attack = 0.01f;  // seconds
  float decay = 0.1f;    // seconds
  float sustain = 0.8f;  // level 0-1
  float release = 0.1f;  // seconds
  float gain = 0.5f;
  float pan = 0.0f;           // -1 left .. 1 right
  float detune = 0.0f;        // cents of a second oscillator; 0 = one oscillator
  float noise = 0.0f;         // share of white noise mixed into the oscillator
  float sweep = 0.0f;         // semitones the pitch falls from at the note's start
  float sweepTime = 0.05f;    // seconds for the sweep to fade
  float glide = 0.0f;         // semitones the pitch moves, evenly, over glideTime
  float glideTime = 0.1f;     // seconds
  float drive = 0.0f;         // how hard the oscillator is pushed into a soft clip; 0 = clean
  float vibratoRate = 0.0f;   // Hz
  float vibratoDepth = 0.0f;  // semitones
  FilterMode filter = FilterMode::kNone;
  float cutoff = 2000.0f;       // Hz
  float resonance = 0.2f;       // 0-0.95
  float filterEnvelope = 0.0f;  // how far the envelope opens the cutoff (multiples of it)
  float echo = 0.0f;            // send to the room
  float pitch = 110.0f;         // Hz of the step mark "x" (drums)
};

struct Note {
  int instrument = 0;
  int step = 0;    // start, in steps from the loop's start
  int length = 1;  // in steps
  float frequency = 440.0f;
  float velocity = 0.8f;
};

struct Score {
  float tempo = 120.0f;  // beats per minute
  int stepsPerBeat = 4;
  int beatsPerBar = 4;
  int bars = 16;
  float roomSize = 0.5f;      // reverb feedback scale 0-1
  float echoBeats = 0.75f;    // delay time of the echo in beats
  float echoFeedback = 0.3f;  // 0-0.9
  float loudness = 0.14f;     // target RMS of the mix
  std::vector<Instrument> instruments;
  std::vector<Note> notes;

  int Steps() const { return bars * beatsPerBar * stepsPerBeat; }
  double SecondsPerStep() const { return 60.0 / (tempo * stepsPerBeat); }
};

// The words of a line up to a comment: a word starting with "#" (sharps like "c#4" stay).
std::vector<std::string> Words(const std::string& line);
// The whole text as a number; false when anything else is in it.
bool ParseFloat(const std::string& text, float& out);
// One "key=value" setting of an instrument (wave, filter or a number); false when not understood.
bool ParseInstrumentSetting(Instrument& instrument, const std::string& key,
                            const std::string& value);

// Reads the text score. On a fault returns nothing and sets `error` to a line-numbered reason.
std::optional<Score> ParseScore(const std::string& text, std::string& error);

// Frequency of a note name like "a4", "c#3" or "bb2"; 0 when the name is not a note.
float NoteFrequency(const std::string& name);

}  // namespace musicgen
