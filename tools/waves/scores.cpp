#include "tools/waves/scores.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

#include "tools/waves/synth.h"

namespace waves {

namespace {

// ---------------------------------------------------------------------------
// Notation. A part is a string of tokens, one per step: a note name ("E5",
// "F#4", "Bb3") starts a note, "-" holds the one before, "." is a rest, and
// "|" marks a bar line for the reader.

struct Event {
  int step;
  int steps;
  std::string token;
};

std::vector<Event> Parse(const std::string& part) {
  std::vector<Event> events;
  std::string text = part;
  for (char& c : text)
    if (c == '|') c = ' ';
  std::istringstream in(text);
  std::string token;
  int step = 0;
  while (in >> token) {
    if (token == "-") {
      if (!events.empty() && events.back().step + events.back().steps == step)
        events.back().steps++;
    } else if (token != ".") {
      events.push_back({step, 1, token});
    }
    ++step;
  }
  return events;
}

// Chords by name: "C", "Am", "G7", "Bb", "A7". Tones are semitones above the
// root: root, third, fifth, and the seventh when named.
struct Chord {
  int root;  // pitch class
  std::vector<int> tones;
};

Chord ParseChord(const std::string& name) {
  const bool accidental = name.size() > 1 && (name[1] == '#' || name[1] == 'b');
  Chord chord{NoteNumber(name.substr(0, accidental ? 2 : 1) + "0") % 12, {}};
  const bool minor = name.find('m') != std::string::npos;
  chord.tones = {0, minor ? 3 : 4, 7};
  if (name.find('7') != std::string::npos) chord.tones.push_back(10);
  return chord;
}

// The chord's root placed at or above `lowest`, within one octave.
int RootFrom(const Chord& chord, int lowest) {
  return lowest + ((chord.root - lowest) % 12 + 12) % 12;
}

// Chord tone by ladder index: 1 root, 2 third, 3 fifth, 4 octave, 5 third
// above, 6 fifth above.
int Ladder(const Chord& chord, int root, int index) {
  const int i = index - 1;
  return root + 12 * (i / 3) + chord.tones[i % 3];
}

struct Song {
  double step;                // seconds per sixteenth
  std::vector<Chord> chords;  // one per bar
  Track& track;
};

// A melodic part written in steps of `unit` sixteenths.
// `offset` (in sixteenths) places the part later in the song.
void Melody(Song& song, const std::string& part, int unit, const Voice& voice, Place place,
            double gate, int transpose = 0, int offset = 0) {
  for (const Event& e : Parse(part)) {
    const int at = offset + e.step * unit;
    Place p = place;
    if (at % 8 == 0) p.gain *= 1.1;  // a little weight on the beats that carry the tune
    Tone(song.track, at * song.step, (e.steps * unit - 1 + gate) * song.step,
         NoteNumber(e.token) + transpose, voice, p);
  }
}

// A bass line from a one-bar pattern in eighths: R root, O octave, 5 fifth,
// 3 third, "-" hold, "." rest.
void Bass(Song& song, const std::vector<std::string>& bars, int lowest, const Voice& voice,
          const Place& place, double gate) {
  for (size_t bar = 0; bar < song.chords.size(); ++bar) {
    const Chord& chord = song.chords[bar];
    const int root = RootFrom(chord, lowest);
    const std::string& pattern = bars[bar % bars.size()];
    std::istringstream in(pattern);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    for (size_t i = 0; i < tokens.size(); ++i) {
      const std::string& t = tokens[i];
      if (t == "-" || t == ".") continue;
      int note = root;
      if (t == "O") note = root + 12;
      if (t == "5") note = root + 7;
      if (t == "3") note = root + chord.tones[1];
      size_t held = 1;
      while (i + held < tokens.size() && tokens[i + held] == "-") ++held;
      const double start = (bar * 16 + i * 2) * song.step;
      Place p = place;
      if (i % 2 == 1) p.gain *= 0.85;  // off-beats lighter: the line breathes
      Tone(song.track, start, (2.0 * held - 2.0 + 2.0 * gate) * song.step, note, voice, p);
    }
  }
}

// Broken chords in sixteenths, one ladder digit per step ("." rests).
void Arpeggio(Song& song, const std::string& pattern, int first_bar, int last_bar, int lowest,
              const Voice& voice, const Place& place) {
  for (int bar = first_bar; bar <= last_bar; ++bar) {
    const Chord& chord = song.chords[bar];
    const int root = RootFrom(chord, lowest);
    int step = 0;
    for (char c : pattern) {
      if (c == ' ') continue;
      if (c != '.') {
        Place p = place;
        if (step % 4 == 0) p.gain *= 1.2;
        Tone(song.track, (bar * 16 + step) * song.step, 0.8 * song.step,
             Ladder(chord, root, c - '0'), voice, p);
      }
      ++step;
    }
  }
}

// Sustained chords, one per bar, voiced close above `lowest`.
void Pad(Song& song, int lowest, const Voice& voice, const Place& place) {
  for (size_t bar = 0; bar < song.chords.size(); ++bar) {
    const Chord& chord = song.chords[bar];
    const int root = RootFrom(chord, lowest);
    for (size_t i = 0; i < 3; ++i) {
      Place p = place;
      p.pan = place.pan + (static_cast<double>(i) - 1.0) * 0.3;
      Tone(song.track, bar * 16 * song.step, 15.5 * song.step, root + chord.tones[i], voice, p);
    }
  }
}

// Drums: one string of sixteen steps per bar; "x" a full hit, "o" a soft one.
enum class Drum { kKick, kSnare, kHat, kOpenHat };

void Drums(Song& song, Drum drum, const std::string& bar_pattern, int first_bar, int last_bar,
           const Place& place, uint32_t seed) {
  for (int bar = first_bar; bar <= last_bar; ++bar) {
    for (int step = 0; step < 16; ++step) {
      const char c = bar_pattern[step];
      if (c == '.') continue;
      Place p = place;
      if (c == 'o') p.gain *= 0.5;
      const double at = (bar * 16 + step) * song.step;
      const uint32_t hit = seed + static_cast<uint32_t>(bar * 16 + step);
      switch (drum) {
        case Drum::kKick:
          Kick(song.track, at, p);
          break;
        case Drum::kSnare:
          Snare(song.track, at, p, hit);
          break;
        case Drum::kHat:
          HiHat(song.track, at, p, hit);
          break;
        case Drum::kOpenHat:
          HiHat(song.track, at, p, hit, 0.22);
          break;
      }
    }
  }
}

std::vector<Chord> Chords(const std::vector<std::string>& names) {
  std::vector<Chord> out;
  for (const auto& n : names) out.push_back(ParseChord(n));
  return out;
}

// ---------------------------------------------------------------------------
// Timbres.

Voice BrightLead() {
  Voice v;
  v.harmonics = {1.0, 0.42, 0.30, 0.16, 0.12, 0.07, 0.05, 0.03};
  v.attack = 0.006, v.decay = 0.18, v.sustain = 0.55, v.release = 0.09;
  v.darken = 1.5, v.vibrato = 0.12, v.vibrato_rate = 5.5, v.vibrato_delay = 0.18, v.detune = 7.0;
  return v;
}

Voice SoftLead() {
  Voice v;
  v.harmonics = {1.0, 0.22, 0.12, 0.06, 0.03};
  v.attack = 0.045, v.decay = 0.4, v.sustain = 0.75, v.release = 0.25;
  v.darken = 0.5, v.vibrato = 0.18, v.vibrato_rate = 4.8, v.vibrato_delay = 0.3, v.detune = 5.0;
  return v;
}

Voice Bell() {
  Voice v;
  v.harmonics = {1.0, 0.3, 0.22, 0.06, 0.05};
  v.attack = 0.002, v.decay = 0.22, v.sustain = 0.0, v.release = 0.25, v.darken = 5.0;
  return v;
}

Voice Pluck() {
  Voice v;
  v.harmonics = {1.0, 0.45, 0.25, 0.12, 0.06};
  v.attack = 0.002, v.decay = 0.09, v.sustain = 0.0, v.release = 0.06, v.darken = 12.0;
  return v;
}

Voice Marimba() {
  Voice v;
  v.harmonics = {1.0, 0.05, 0.0, 0.25};
  v.attack = 0.002, v.decay = 0.22, v.sustain = 0.0, v.release = 0.1, v.darken = 6.0;
  return v;
}

Voice PunchyBass() {
  Voice v;
  v.harmonics = {1.0, 0.6, 0.33, 0.2, 0.12, 0.08, 0.05};
  v.attack = 0.004, v.decay = 0.12, v.sustain = 0.45, v.release = 0.05, v.darken = 8.0;
  return v;
}

Voice DeepBass() {
  Voice v;
  v.harmonics = {1.0, 0.35, 0.12, 0.05};
  v.attack = 0.006, v.decay = 0.2, v.sustain = 0.5, v.release = 0.08, v.darken = 4.0;
  return v;
}

Voice WarmPad() {
  Voice v;
  v.harmonics = {1.0, 0.5, 0.33, 0.25, 0.2, 0.16, 0.12, 0.09};
  v.attack = 0.25, v.decay = 1.0, v.sustain = 0.8, v.release = 0.4, v.darken = 0.8, v.detune = 9.0;
  return v;
}

Voice DarkPad() {
  Voice v;
  v.harmonics = {1.0, 0.3, 0.15, 0.08};
  v.attack = 0.6, v.decay = 1.5, v.sustain = 0.85, v.release = 0.8, v.detune = 8.0;
  return v;
}

// ---------------------------------------------------------------------------
// Track 1: C major, 140 beats a minute, sixteen bars. Verse over I-V-vi-IV,
// then a lift to the relative minor that turns on G7 back to the top.

constexpr double kArcadeStep = 60.0 / 140.0 / 4.0;  // 4725 frames exactly
const RoomSettings kArcadeRoom{0.75 * 60.0 / 140.0, 0.3, 0.3, 0.3, 0.75};

}  // namespace

std::vector<int16_t> TidalArcade() {
  Track track(16 * 16 * kArcadeStep, true);
  Song song{
      kArcadeStep,
      Chords({"C", "G", "Am", "F", "C", "G", "F", "G", "Am", "F", "C", "G", "Am", "F", "Dm", "G7"}),
      track};
  const std::string verse =
      "E5 - - G5 - E5 D5 C5 | D5 - - B4 - G4 A4 B4 | C5 - - E5 - A5 G5 E5 | F5 - E5 - D5 - C5 - |"
      "E5 - - G5 - E5 D5 C5 | D5 - - B4 - G4 A4 B4 | C5 - A4 - C5 - F5 E5 | D5 - - - B4 C5 D5 E5 |";
  const std::string lift =
      "A5 - - G5 - E5 D5 E5 | F5 - - E5 - C5 A4 C5 | G5 - - E5 - C5 D5 E5 | D5 - - B4 - G4 B4 D5 |"
      "A5 - - G5 - E5 D5 E5 | F5 - - A5 - G5 F5 E5 | D5 - F5 - A5 - G5 F5 | G5 - F5 - D5 - B4 - |";
  Melody(song, verse + lift, 2, BrightLead(), {0.30, -0.1, 0.3}, 0.85);
  // The lift doubles the tune an octave up on a bell.
  Melody(song, lift, 2, Bell(), {0.07, 0.35, 0.4}, 0.9, 12, 8 * 16);

  Bass(song, {"R R O R R O R O", "R R O R R O R O", "R R O R R O R O", "R R O R 5 O R 5"}, 36,
       PunchyBass(), {0.28, 0.0, 0.04}, 0.7);
  Pad(song, 53, WarmPad(), {0.045, 0.0, 0.35});
  Arpeggio(song, "1 3 2 4 1 3 2 4 1 3 2 4 3 2 1 2", 0, 7, 60, Pluck(), {0.05, 0.45, 0.4});
  Arpeggio(song, "1 3 4 5 4 3 4 6 1 3 4 5 4 3 2 3", 8, 15, 60, Pluck(), {0.075, 0.45, 0.4});

  Drums(song, Drum::kKick, "x...x...x...x...", 0, 15, {0.45, 0.0, 0.0}, 1);
  Drums(song, Drum::kSnare, "....x.......x...", 0, 14, {0.75, 0.05, 0.2}, 100);
  Drums(song, Drum::kSnare, "....x.......x.ox", 15, 15, {0.75, 0.05, 0.2}, 100);
  Drums(song, Drum::kHat, "o.x.o.x.o.x.o.x.", 0, 15, {0.6, -0.3, 0.1}, 1000);
  Drums(song, Drum::kOpenHat, "..............x.", 7, 7, {0.3, -0.3, 0.2}, 2000);
  AddRoom(track, kArcadeRoom);
  return Master(track, 0.5, 0.0);
}

// Track 1's closing: a falling C major arpeggio that settles on the tonic.
std::vector<int16_t> TidalArcadeCoda() {
  Track track(2.8, false);
  Song song{kArcadeStep, Chords({"C"}), track};
  Melody(song, "G5 E5 C5 E5 D5 B4 C5 - - - -", 2, BrightLead(), {0.30, -0.1, 0.3}, 0.9);
  Melody(song, ". . . . . . E5 - - - -", 2, Bell(), {0.10, 0.3, 0.4}, 0.9, 12);
  Melody(song, ". . . . . . G5 - - - -", 2, Bell(), {0.08, -0.3, 0.4}, 0.9, 12);
  Melody(song, "C3 - - - G2 - C2 - - - -", 2, PunchyBass(), {0.34, 0.0, 0.04}, 0.9);
  Melody(song, "E4 - - - D4 - E4 - - - -", 2, WarmPad(), {0.05, -0.3, 0.35}, 0.9);
  Melody(song, "G4 - - - G4 - G4 - - - -", 2, WarmPad(), {0.05, 0.0, 0.35}, 0.9);
  Melody(song, "C5 - - - B4 - C5 - - - -", 2, WarmPad(), {0.05, 0.3, 0.35}, 0.9);
  const double e = 2 * kArcadeStep;
  Kick(track, 0.0, {0.5, 0.0, 0.0});
  Kick(track, 4 * e, {0.5, 0.0, 0.0});
  Kick(track, 6 * e, {0.55, 0.0, 0.0});
  Snare(track, 2 * e, {0.6, 0.05, 0.2}, 7);
  Cymbal(track, 6 * e, {0.08, 0.2, 0.3}, 8, 1.3);
  AddRoom(track, kArcadeRoom);
  return Master(track, 0.5, 0.25);
}

namespace {

// Track 2: D minor, 105 beats a minute, sixteen bars. A harmonic-minor line
// over a pulsing bass and a marimba figure that keeps pulling forward; the
// drums hold back for the first four bars.
constexpr double kUndertowStep = 60.0 / 105.0 / 4.0;  // 6300 frames exactly
const RoomSettings kUndertowRoom{0.75 * 60.0 / 105.0, 0.35, 0.35, 0.4, 0.85};

}  // namespace

std::vector<int16_t> Undertow() {
  Track track(16 * 16 * kUndertowStep, true);
  Song song{kUndertowStep,
            Chords({"Dm", "Bb", "Gm", "A", "Dm", "Bb", "Gm", "A7", "Bb", "F", "Gm", "Dm", "Bb", "C",
                    "A", "A7"}),
            track};
  const std::string tune =
      "A4 - - - D5 - E5 F5 | F5 - - - E5 - D5 - | D5 - - - Bb4 - C5 D5 | C#5 - - - A4 - - - |"
      "A4 - - - D5 - E5 F5 | G5 - - - F5 - E5 D5 | D5 - - C5 Bb4 - G4 - | A4 - - - - - . . |"
      "F5 - - - D5 - F5 - | A5 - - - G5 - F5 - | G5 - - F5 - D5 - Bb4 | A4 - - - D5 - - - |"
      "F5 - - - D5 - F5 G5 | A5 - - - G5 - E5 C5 | C#5 - - - E5 - - - | A5 - - - G5 - E5 C#5 |";
  Melody(song, tune, 2, SoftLead(), {0.30, -0.15, 0.4}, 0.95);
  Bass(song, {"R R R R R R 5 O"}, 38, DeepBass(), {0.30, 0.0, 0.03}, 0.6);
  Pad(song, 50, DarkPad(), {0.055, 0.0, 0.45});
  Arpeggio(song, "1 3 4 3 5 3 4 3 1 3 4 3 5 4 3 2", 0, 15, 62, Marimba(), {0.07, 0.4, 0.45});

  Drums(song, Drum::kKick, "x.........x.....", 0, 3, {0.45, 0.0, 0.0}, 3);
  Drums(song, Drum::kKick, "x......x..x.....", 4, 15, {0.5, 0.0, 0.0}, 3);
  Drums(song, Drum::kSnare, "........x.......", 4, 14, {0.7, 0.1, 0.45}, 300);
  Drums(song, Drum::kSnare, "........x.....oo", 15, 15, {0.7, 0.1, 0.45}, 300);
  Drums(song, Drum::kHat, "o.x.o.x.o.x.o.x.", 0, 7, {0.35, -0.35, 0.15}, 3000);
  Drums(song, Drum::kHat, "oox.oox.oox.oox.", 8, 15, {0.4, -0.35, 0.15}, 3000);
  AddRoom(track, kUndertowRoom);
  return Master(track, 0.5, 0.0);
}

// Track 2's closing: up the D minor chord, down through the dominant, home.
std::vector<int16_t> UndertowCoda() {
  Track track(2.85, false);
  Song song{kUndertowStep, Chords({"Dm"}), track};
  Melody(song, "A4 D5 F5 A5 E5 - C#5 - D5 - - - - - -", 1, SoftLead(), {0.30, -0.15, 0.4}, 0.95);
  Melody(song, "D2 - - - A1 - - - D2 - - - - - -", 1, DeepBass(), {0.36, 0.0, 0.03}, 0.95);
  Melody(song, "F3 - - - E3 - - - F3 - - - - - -", 1, DarkPad(), {0.06, -0.3, 0.45}, 0.95);
  Melody(song, "A3 - - - A3 - - - A3 - - - - - -", 1, DarkPad(), {0.06, 0.0, 0.45}, 0.95);
  Melody(song, "D4 - - - C#4 - - - D4 - - - - - -", 1, DarkPad(), {0.06, 0.3, 0.45}, 0.95);
  Melody(song, ". . . . . . . . D4 A4 D5 F5 . . .", 1, Marimba(), {0.07, 0.4, 0.45}, 0.8);
  Kick(track, 0.0, {0.45, 0.0, 0.0});
  Kick(track, 8 * kUndertowStep, {0.5, 0.0, 0.0});
  Cymbal(track, 8 * kUndertowStep, {0.07, 0.2, 0.4}, 9, 1.4);
  AddRoom(track, kUndertowRoom);
  return Master(track, 0.5, 0.3);
}

// The crash: a thump, a roar of noise that closes down like a falling wave,
// and a scatter of debris.
std::vector<int16_t> Crash() {
  constexpr double kLength = 1.4;
  Track track(kLength, false);
  Kick(track, 0.0, {0.8, 0.0, 0.1});
  Kick(track, 0.06, {0.5, 0.0, 0.1});
  Noise left(11), right(12);
  // Two low-pass stages on each side: a roar, not a hiss.
  OnePole close_left(3000.0), close_right(3000.0), soft_left(3000.0), soft_right(3000.0);
  OnePole body_left(120.0), body_right(120.0);
  const auto frames = static_cast<int64_t>(kLength * kRate);
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double cutoff = 250.0 + 2750.0 * std::exp(-t / 0.3);
    for (OnePole* f : {&close_left, &close_right, &soft_left, &soft_right}) f->Tune(cutoff);
    const double level = 0.9 * std::exp(-t / 0.3) * (t < 0.002 ? t / 0.002 : 1.0);
    // High-passing at 120 Hz keeps the roar off the thump's low end.
    const double l = body_left.High(soft_left.Low(close_left.Low(left.Next()))) * level;
    const double r = body_right.High(soft_right.Low(close_right.Low(right.Next()))) * level;
    track.Add(i, l, r, 0.3 * (l + r));
  }
  Noise scatter(13);
  double at = 0.08;
  for (uint32_t n = 0; at < 0.9; ++n) {
    const double fall = std::exp(-at / 0.35);
    HiHat(track, at, {0.25 * fall, scatter.Next() * 0.7, 0.2}, 40 + n, 0.05);
    at += 0.035 + 0.03 * (scatter.Next() + 1.0);
  }
  AddRoom(track, {0.11, 0.2, 0.2, 0.3, 0.5});
  return Master(track, 0.55, 0.15);
}

// The star: a quick rising C major arpeggio on a bell, left to right, with a
// high sparkle on top.
std::vector<int16_t> StarPickUp() {
  Track track(0.9, false);
  const char* notes[] = {"C6", "E6", "G6", "C7"};
  for (int i = 0; i < 4; ++i)
    Tone(track, 0.055 * i, 0.12, NoteNumber(notes[i]), Bell(), {0.3, -0.45 + 0.3 * i, 0.3});
  Tone(track, 0.22, 0.08, NoteNumber("G7"), Bell(), {0.09, 0.3, 0.4});
  Tone(track, 0.26, 0.08, NoteNumber("C8"), Bell(), {0.05, 0.5, 0.4});
  AddRoom(track, {0.09, 0.25, 0.25, 0.2, 0.4});
  return Master(track, 0.4, 0.1);
}

}  // namespace waves
