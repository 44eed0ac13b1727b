#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sound/wave_mixer.h"

namespace marvo {

// A wave mixer that only remembers what it was asked to do. It has no clock: a
// wave keeps sounding until its channel is flushed or the session closed.
class RecordingMixer final : public WaveMixer {
 public:
  bool no_device = false;         // Activate fails, as without an audio device
  std::set<std::string> missing;  // file names (without directory) that cannot be read

  int calls = 0;                               // calls of any kind
  bool active = false;                         // a session is open
  std::map<MixWaveHandle, std::string> files;  // every wave opened -> its file name
  std::vector<MixWaveHandle> freed;
  std::map<int32_t, std::string> sounding;  // channel -> its file, "" when it could not be read
  // Plays and stops in the order asked: "play bgm1.wav forever", "play e1.wav
  // once", "stop 0" (a channel, which is the slot).
  std::vector<std::string> cues;

  MixSessionHandle ConfigureInit(const MixConfig&) override { return ++calls, kSession; }
  int Activate(MixSessionHandle session, bool activate) override {
    ++calls;
    if (no_device || session != kSession) return 1;
    active = activate;
    return 0;
  }
  MixWaveHandle OpenWave(MixSessionHandle session, const std::string& path, uint32_t,
                         uint32_t) override {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (!Live(session) || missing.count(name)) return 0;
    // Handles deliberately unlike slot numbers, so a mix-up shows.
    const auto wave = static_cast<MixWaveHandle>(1000 + files.size());
    files[wave] = name;
    return wave;
  }
  int OpenChannel(MixSessionHandle session, int32_t, uint32_t) override { return !Live(session); }
  int Play(const MixPlayParams& params) override {
    if (!Live(params.session)) return 1;
    const auto wave = files.find(params.wave);
    const std::string& file = sounding[params.channel] = wave == files.end() ? "" : wave->second;
    cues.push_back("play " + file + (params.loops == 0 ? " once" : " forever"));
    return 0;
  }
  int FlushChannel(MixSessionHandle session, int32_t channel, uint32_t) override {
    if (!Live(session)) return 1;
    sounding.erase(channel);
    cues.push_back("stop " + std::to_string(channel));
    return 0;
  }
  int PauseAll(MixSessionHandle session, bool pause) override {
    if (!Live(session)) return 1;
    cues.push_back(pause ? "pause" : "resume");
    return 0;
  }
  int FreeWave(MixSessionHandle session, MixWaveHandle wave) override {
    if (!Live(session)) return 1;
    freed.push_back(wave);
    return 0;
  }
  int CloseSession(MixSessionHandle session) override {
    ++calls;
    if (session != kSession) return 1;
    sounding.clear();
    active = false;
    return 0;
  }

 private:
  static constexpr MixSessionHandle kSession = 77;
  // Counts the call; true when it names the session and the session is active.
  bool Live(MixSessionHandle session) { return ++calls, active && session == kSession; }
};

}  // namespace marvo
