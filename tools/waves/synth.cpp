#include "tools/waves/synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace waves {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Constant-power panning.
void PanGains(double pan, double& left, double& right) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
  left = std::cos(angle);
  right = std::sin(angle);
}

// A rise from silence without a corner: 0 at t = 0, 1 at t = length.
double Rise(double t, double length) {
  if (t >= length) return 1.0;
  const double s = std::sin(0.5 * std::numbers::pi * t / length);
  return s * s;
}

// The last `fade` seconds of a sound of `length` seconds fall smoothly to 0.
double Tail(double t, double length, double fade) {
  const double left = length - t;
  if (left >= fade) return 1.0;
  if (left <= 0.0) return 0.0;
  return Rise(left, fade);
}

// One drum stroke: `sample(t)` gives the sound at t seconds after the hit;
// the last 20 ms fade out so no stroke ends in a click.
template <typename Sample>
void AddShot(Track& track, double start, double length, const Place& place, Sample sample) {
  double gl, gr;
  PanGains(place.pan, gl, gr);
  const int64_t first = std::llround(start * kRate);
  const int64_t count = std::llround(length * kRate);
  for (int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double v = sample(t) * Tail(t, length, 0.02) * place.gain;
    track.Add(first + i, v * gl, v * gr, v * place.send);
  }
}

// Filtered noise for hats and cymbals; `band` is where the sizzle starts.
void AddMetal(Track& track, double start, const Place& place, uint32_t seed, double length,
              double band, double gain) {
  Noise noise(seed);
  OnePole high1(band), high2(band), low(band * 1.7);
  AddShot(track, start, length, place, [&](double t) {
    const double x = low.Low(high2.High(high1.High(noise.Next())));
    return gain * x * Rise(t, 0.0008) * std::exp(-t / (length / 5.0));
  });
}

}  // namespace

OnePole::OnePole(double cutoff_hz) { Tune(cutoff_hz); }

void OnePole::Tune(double cutoff_hz) { a = 1.0 - std::exp(-kTwoPi * cutoff_hz / kRate); }

double Noise::Next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

Track::Track(double seconds, bool looping)
    : frames(std::llround(seconds * kRate)),
      loop(looping),
      left(frames, 0.0),
      right(frames, 0.0),
      send(frames, 0.0) {}

void Track::Add(int64_t frame, double l, double r, double s) {
  if (loop) {
    frame %= frames;
    if (frame < 0) frame += frames;
  } else if (frame < 0 || frame >= frames) {
    return;
  }
  left[frame] += l;
  right[frame] += r;
  send[frame] += s;
}

double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

int NoteNumber(const std::string& name) {
  static constexpr std::array<int, 7> kSteps = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument(name);
  int pitch = kSteps[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') ++pitch, ++i;
  if (name[i] == 'b') --pitch, ++i;
  return pitch + 12 * (std::stoi(name.substr(i)) + 1);
}

void Tone(Track& track, double start, double length, double midi, const Voice& voice,
          const Place& place) {
  const double f0 = MidiToHz(midi);
  // Nothing above 11 kHz: the upper harmonics are what makes a square harsh.
  size_t count = voice.harmonics.size();
  while (count > 1 && f0 * static_cast<double>(count) > 11000.0) --count;
  std::vector<double> amp(voice.harmonics.begin(), voice.harmonics.begin() + count);
  std::vector<double> fall(count);
  for (size_t h = 0; h < count; ++h)
    fall[h] = std::exp(-voice.darken * static_cast<double>(h) / kRate);

  double gl, gr;
  PanGains(place.pan, gl, gr);
  const auto held = [&](double t) {
    if (t < voice.attack) return Rise(t, voice.attack);
    return voice.sustain + (1.0 - voice.sustain) * std::exp(-(t - voice.attack) / voice.decay);
  };
  const double at_release = held(length);
  const double detune = std::pow(2.0, voice.detune / 1200.0);
  const int64_t first = std::llround(start * kRate);
  const int64_t frames = std::llround((length + voice.release) * kRate);

  double phase = 0.0;
  double phase2 = 0.0;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double env;
    if (t < length) {
      env = held(t);
    } else {
      const double x = 1.0 - (t - length) / voice.release;
      env = at_release * x * x;
    }
    double bend = 1.0;
    if (voice.vibrato > 0.0 && t > voice.vibrato_delay) {
      const double depth = voice.vibrato * std::min(1.0, (t - voice.vibrato_delay) / 0.3);
      bend = std::pow(2.0, depth * std::sin(kTwoPi * voice.vibrato_rate * t) / 12.0);
    }
    // sin(h x) by the Chebyshev recurrence: one sine and cosine per sample.
    const auto partials = [&](double x) {
      const double c = std::cos(x);
      double prev = 0.0, cur = std::sin(x), sum = 0.0;
      for (size_t h = 0; h < count; ++h) {
        sum += amp[h] * cur;
        const double next = 2.0 * c * cur - prev;
        prev = cur;
        cur = next;
      }
      return sum;
    };
    double v = partials(phase);
    phase = std::fmod(phase + kTwoPi * f0 * bend / kRate, kTwoPi);
    if (voice.detune != 0.0) {
      v = 0.5 * (v + partials(phase2));
      phase2 = std::fmod(phase2 + kTwoPi * f0 * detune * bend / kRate, kTwoPi);
    }
    for (size_t h = 0; h < count; ++h) amp[h] *= fall[h];
    v *= env * place.gain;
    track.Add(first + i, v * gl, v * gr, v * place.send);
  }
}

void Kick(Track& track, double start, const Place& place) {
  double phase = 0.0;
  AddShot(track, start, 0.6, place, [&](double t) {
    // The pitch drops fast from a knock to a low boom.
    const double hz = 46.0 + 100.0 * std::exp(-t / 0.035);
    const double v = std::sin(phase) + 0.18 * std::sin(2.0 * phase);
    phase += kTwoPi * hz / kRate;
    return v * Rise(t, 0.0015) * std::exp(-t / 0.15);
  });
}

void Snare(Track& track, double start, const Place& place, uint32_t seed, double length) {
  Noise noise(seed);
  // Two low-pass stages keep the rattle from hissing.
  OnePole high(900.0), low(6000.0), lower(6000.0);
  AddShot(track, start, length, place, [&](double t) {
    const double body =
        (std::sin(kTwoPi * 185.0 * t) + 0.5 * std::sin(kTwoPi * 287.0 * t)) * std::exp(-t / 0.045);
    const double rattle =
        lower.Low(low.Low(high.High(noise.Next()))) * std::exp(-t / (length / 5.0));
    return (0.45 * body + 0.9 * rattle) * Rise(t, 0.001);
  });
}

void HiHat(Track& track, double start, const Place& place, uint32_t seed, double length) {
  AddMetal(track, start, place, seed, length, 6500.0, 1.6);
}

void Cymbal(Track& track, double start, const Place& place, uint32_t seed, double length) {
  AddMetal(track, start, place, seed, length, 4000.0, 1.2);
}

namespace {

// A damped feedback comb and an all-pass: the classic small room.
struct Comb {
  explicit Comb(size_t n) : line(n, 0.0) {}
  double Run(double x, double feedback, double damp) {
    const double out = line[pos];
    filtered = out * (1.0 - damp) + filtered * damp;
    line[pos] = x + filtered * feedback;
    pos = (pos + 1) % line.size();
    return out;
  }
  std::vector<double> line;
  size_t pos = 0;
  double filtered = 0.0;
};

struct AllPass {
  explicit AllPass(size_t n) : line(n, 0.0) {}
  double Run(double x) {
    const double delayed = line[pos];
    line[pos] = x + delayed * 0.5;
    pos = (pos + 1) % line.size();
    return delayed - x;
  }
  std::vector<double> line;
  size_t pos = 0;
};

struct Room {
  explicit Room(size_t spread) {
    for (size_t n : {1116, 1188, 1277, 1356, 1422, 1491}) combs.emplace_back(n + spread);
    for (size_t n : {556, 441, 341}) passes.emplace_back(n + spread);
  }
  double Run(double x, double feedback) {
    double sum = 0.0;
    for (auto& c : combs) sum += c.Run(x, feedback, 0.35);
    for (auto& a : passes) sum = a.Run(sum);
    return sum;
  }
  std::vector<Comb> combs;
  std::vector<AllPass> passes;
};

}  // namespace

void AddRoom(Track& track, const RoomSettings& settings) {
  const auto delay = static_cast<size_t>(std::llround(settings.echo_seconds * kRate));
  std::vector<double> echo_left(delay, 0.0), echo_right(delay, 0.0);
  OnePole warm_left(3500.0), warm_right(3500.0);
  Room room_left(0), room_right(23);
  const double feedback = 0.72 + 0.26 * settings.room_size;
  size_t pos = 0;

  const int passes = track.loop ? 2 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (int64_t i = 0; i < track.frames; ++i) {
      const double in = track.send[i];
      // Ping-pong: the echo starts on the left and bounces across.
      const double out_left = echo_left[pos];
      const double out_right = echo_right[pos];
      echo_left[pos] = warm_left.Low(in + settings.echo_feedback * out_right);
      echo_right[pos] = warm_right.Low(settings.echo_feedback * out_left);
      pos = (pos + 1) % delay;

      const double room_in = 0.03 * (in + 0.5 * (out_left + out_right));
      const double wet_left = room_left.Run(room_in, feedback);
      const double wet_right = room_right.Run(room_in, feedback);
      if (pass == passes - 1) {
        track.left[i] += settings.echo_level * out_left + settings.room_level * wet_left;
        track.right[i] += settings.echo_level * out_right + settings.room_level * wet_right;
      }
    }
  }
}

namespace {

int16_t ToSample(double x) {
  return static_cast<int16_t>(std::lround(std::clamp(x, -32767.0, 32767.0)));
}

}  // namespace

std::vector<int16_t> Master(const Track& track, double peak, double fade_seconds) {
  double highest = 1e-9;
  for (int64_t i = 0; i < track.frames; ++i)
    highest = std::max({highest, std::abs(track.left[i]), std::abs(track.right[i])});
  const double scale = peak * 32767.0 / highest;
  const double length = static_cast<double>(track.frames) / kRate;
  std::vector<int16_t> out(2 * track.frames);
  for (int64_t i = 0; i < track.frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double fade = fade_seconds > 0.0 ? Tail(t, length, fade_seconds) : 1.0;
    out[2 * i] = ToSample(track.left[i] * scale * fade);
    out[2 * i + 1] = ToSample(track.right[i] * scale * fade);
  }
  return out;
}

bool WriteWave(const std::string& path, const std::vector<int16_t>& samples) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
  file.write("RIFF", 4);
  put(36 + data_bytes, 4);
  file.write("WAVEfmt ", 8);
  put(16, 4);         // format chunk size
  put(1, 2);          // PCM
  put(2, 2);          // stereo
  put(kRate, 4);      // frames per second
  put(kRate * 4, 4);  // bytes per second
  put(4, 2);          // bytes per frame
  put(16, 2);         // bits per sample
  file.write("data", 4);
  put(data_bytes, 4);
  for (int16_t s : samples) put(static_cast<uint16_t>(s), 2);
  return static_cast<bool>(file.flush());
}

}  // namespace waves
