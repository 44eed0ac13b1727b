#pragma once

// A small synthesiser for the game's music and effects: additive voices with
// envelopes, synthesised drums, an echo and a room, all rendered into a stereo
// buffer. A looping buffer wraps every tail round to its start, so the last
// bar flows into the first without a seam.

#include <cstdint>
#include <string>
#include <vector>

namespace waves {

inline constexpr int kRate = 44100;

// Deterministic noise (the same files on every build).
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  double Next();  // -1 .. 1

 private:
  uint32_t state_;
};

struct OnePole {
  explicit OnePole(double cutoff_hz);
  void Tune(double cutoff_hz);
  double Low(double x) { return y += a * (x - y); }
  double High(double x) { return x - Low(x); }
  double a = 0.0;
  double y = 0.0;
};

struct Track {
  Track(double seconds, bool looping);

  // Adds one stereo sample; outside the buffer it wraps when looping and is
  // dropped otherwise.
  void Add(int64_t frame, double left, double right, double send);

  int64_t frames;
  bool loop;
  std::vector<double> left, right;
  std::vector<double> send;  // mono feed of the echo and the room
};

// A pitched timbre: harmonic amplitudes and an envelope.
struct Voice {
  std::vector<double> harmonics;  // amplitude of harmonic 1, 2, ...
  double attack = 0.01;           // seconds, smooth rise from silence
  double decay = 0.2;             // time constant towards the sustain level
  double sustain = 0.7;
  double release = 0.1;  // seconds to fall smoothly to silence after the note
  double darken = 0.0;   // per second and harmonic: upper harmonics fade first
  double vibrato = 0.0;  // depth in semitones
  double vibrato_rate = 5.0;
  double vibrato_delay = 0.25;
  double detune = 0.0;  // cents of a second, slightly sharp oscillator (0 = none)
};

struct Place {
  double gain = 1.0;
  double pan = 0.0;   // -1 left .. 1 right
  double send = 0.0;  // share fed to the echo and the room
};

double MidiToHz(double midi);
// "C4", "F#3", "Bb5" -> MIDI note number (C4 = 60).
int NoteNumber(const std::string& name);

void Tone(Track& track, double start, double length, double midi, const Voice& voice,
          const Place& place);

// Drums; `seed` varies the noise from hit to hit.
void Kick(Track& track, double start, const Place& place);
void Snare(Track& track, double start, const Place& place, uint32_t seed, double length = 0.16);
void HiHat(Track& track, double start, const Place& place, uint32_t seed, double length = 0.06);
void Cymbal(Track& track, double start, const Place& place, uint32_t seed, double length);

struct RoomSettings {
  double echo_seconds = 0.3;
  double echo_feedback = 0.3;
  double echo_level = 0.35;
  double room_level = 0.25;
  double room_size = 0.8;  // 0..1, longer tail when larger
};

// Runs the send through the echo and the room and mixes it in. A looping
// track is processed round the loop twice, so the tails at its start are the
// ones its end leaves behind.
void AddRoom(Track& track, const RoomSettings& settings);

// Scales to the given peak (fraction of full scale) and fades the last
// `fade_seconds` of a one-shot to silence.
std::vector<int16_t> Master(const Track& track, double peak, double fade_seconds);

bool WriteWave(const std::string& path, const std::vector<int16_t>& interleaved_stereo);

}  // namespace waves
