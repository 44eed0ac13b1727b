#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/wave_mixer.h"

namespace marvo {

// The game's sound module. Each loaded wave gets a slot, which is also the
// mixer channel it always plays on, so every sound can play alongside every
// other. Without a mixer session, play, stop and close do nothing and loading
// still numbers the slots: the game simply runs silent.
class Wavemix {
 public:
  static constexpr int32_t kMaxSlots = 7;

  explicit Wavemix(WaveMixer& mixer) : mixer_(mixer) {}

  // Opens the mixer session; true = -1, false = 0. Without an audio device it
  // says so, once, on stderr: the game then plays silently.
  int16_t OpenSound();
  // Loads a wave file into the next slot and returns the slot. A file that
  // cannot be read still takes its slot, so later slots keep their numbers.
  // Returns -1 (no slot) once all seven slots are taken.
  int16_t LoadWave(const std::string& path);
  // loops: -1 (0xFFFF) repeats until StopWave, 0 plays once.
  void PlayWave(int32_t slot, int16_t loops);
  void StopWave(int32_t slot);
  // Holds every sound where it stands, or lets them go on from there.
  void PauseSound(bool pause);
  void CloseSound();

  MixSessionHandle MixSession() const { return mix_session_; }
  const std::vector<MixWaveHandle>& WaveHandles() const { return wave_handles_; }

 private:
  WaveMixer& mixer_;
  MixSessionHandle mix_session_ = 0;         // 0 = no session
  std::vector<MixWaveHandle> wave_handles_;  // by slot; 0 where the file could not be read
  int32_t wave_count_ = 0;                   // slots in use = the next slot to fill
};

}  // namespace marvo
