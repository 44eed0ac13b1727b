#pragma once

#include <cstdint>
#include <string>

namespace marvo {

// Handles the mixer hands out. 0 always means "none": no session, no wave.
using MixSessionHandle = uint32_t;
using MixWaveHandle = uint32_t;

// What the game asks of the mixer when it opens a session. The game always
// passes the defaults: stereo output at the mixer's own sampling rate.
inline constexpr uint32_t kMixUseChannelCount = 1;

struct MixConfig {
  uint16_t size = 10;                    // record size as the mixer knows it
  uint32_t flags = kMixUseChannelCount;  // 1: take `channels` as given
  uint16_t channels = 2;                 // 2 = stereo
  uint16_t sampling_rate = 0;            // 0 = the mixer's own default
};

// Play flags: drop whatever is queued on the channel and start at once, at
// high priority. The game always passes both.
inline constexpr uint32_t kMixClearQueue = 0x01;
inline constexpr uint32_t kMixHighPriority = 0x04;

// A loop count that repeats the wave until its channel is flushed.
inline constexpr uint16_t kMixLoopForever = 0xFFFF;

struct MixPlayParams {
  uint16_t size = 24;  // record size as the mixer knows it
  MixSessionHandle session = 0;
  int32_t channel = 0;
  MixWaveHandle wave = 0;
  uint32_t notify_window = 0;  // the game never asks to be told when a wave ends
  uint32_t flags = kMixClearQueue | kMixHighPriority;
  uint16_t loops = 0;  // 0 = play once, kMixLoopForever = until flushed
};

// The wave mixer as the sound module calls it: several waves sounding at once,
// each on its own numbered channel, in the background. Results other than the
// ones documented are informative only; the sound module ignores them.
class WaveMixer {
 public:
  virtual ~WaveMixer() = default;

  // Prepares a session; returns its handle.
  virtual MixSessionHandle ConfigureInit(const MixConfig& config) = 0;
  // Starts (or stops) output for the session. 0 = success; anything else means
  // there is no sound to be had, and the caller closes the session.
  virtual int Activate(MixSessionHandle session, bool activate) = 0;
  // Reads a wave file; 0 when it cannot be read or there is no active session.
  virtual MixWaveHandle OpenWave(MixSessionHandle session, const std::string& path, uint32_t module,
                                 uint32_t flags) = 0;
  virtual int OpenChannel(MixSessionHandle session, int32_t channel, uint32_t flags) = 0;
  virtual int Play(const MixPlayParams& params) = 0;
  // Silences the channel at once and drops whatever was queued on it.
  virtual int FlushChannel(MixSessionHandle session, int32_t channel, uint32_t flags) = 0;
  // Holds every channel where it stands (`pause`), or lets them all go on from
  // there. A wave started while paused plays at once.
  virtual int PauseAll(MixSessionHandle session, bool pause) = 0;
  virtual int FreeWave(MixSessionHandle session, MixWaveHandle wave) = 0;
  virtual int CloseSession(MixSessionHandle session) = 0;
};

}  // namespace marvo
