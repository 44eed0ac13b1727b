#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sound/wave_mixer.h"

namespace marvo {

// A wave mixer that only remembers what it was asked to do. Tests read back
// which channel plays which file, with which loop count, and what was flushed.
// It has no clock: a wave played once keeps "sounding" until its channel is
// flushed, its wave freed or the session closed.
class RecordingMixer final : public WaveMixer {
 public:
  struct Channel {
    MixWaveHandle wave = 0;  // the wave last played here
    uint16_t loops = 0;
    bool sounding = false;
    int plays = 0;
    int flushes = 0;
  };

  // --- Set-up ---
  bool no_device = false;         // Activate fails, as without an audio device
  std::set<std::string> missing;  // file names (without directory) that cannot be read

  // --- What happened ---
  std::vector<std::string> log;  // one line per call, e.g. "Play 0 bgm1.wav loops=65535"
  std::vector<MixPlayParams> plays;
  std::map<int32_t, Channel> channels;
  std::map<MixWaveHandle, std::string> files;  // every handle ever opened -> its file name
  std::set<MixWaveHandle> freed;
  bool active = false;

  // The file name the channel last played ("" when none), whether it still sounds.
  std::string FileOn(int32_t channel) const {
    const auto it = channels.find(channel);
    return it == channels.end() ? "" : FileOf(it->second.wave);
  }
  bool Sounding(int32_t channel) const {
    const auto it = channels.find(channel);
    return it != channels.end() && it->second.sounding;
  }
  bool Looping(int32_t channel) const {
    return Sounding(channel) && channels.at(channel).loops == kMixLoopForever;
  }
  // Channels sounding now, lowest first.
  std::vector<int32_t> SoundingChannels() const {
    std::vector<int32_t> out;
    for (const auto& [number, channel] : channels)
      if (channel.sounding) out.push_back(number);
    return out;
  }
  std::string FileOf(MixWaveHandle wave) const {
    const auto it = files.find(wave);
    return it == files.end() ? "" : it->second;
  }

  // --- WaveMixer ---
  MixSessionHandle ConfigureInit(const MixConfig& config) override {
    log.push_back("ConfigureInit channels=" + std::to_string(config.channels));
    session_ = kSession;
    return session_;
  }
  int Activate(MixSessionHandle session, bool activate) override {
    log.push_back("Activate");
    if (session != session_ || session == 0 || no_device) return 1;
    active = activate;
    return 0;
  }
  MixWaveHandle OpenWave(MixSessionHandle session, const std::string& path, uint32_t,
                         uint32_t) override {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    log.push_back("OpenWave " + path);
    if (!Live(session) || missing.count(name)) return 0;
    // Handles deliberately unlike slot numbers, so a mix-up shows.
    const MixWaveHandle wave = 1000 + static_cast<MixWaveHandle>(files.size());
    files[wave] = name;
    return wave;
  }
  int OpenChannel(MixSessionHandle, int32_t channel, uint32_t) override {
    log.push_back("OpenChannel " + std::to_string(channel));
    return 0;
  }
  int Play(const MixPlayParams& params) override {
    log.push_back("Play " + std::to_string(params.channel) + " " + FileOf(params.wave) +
                  " loops=" + std::to_string(params.loops));
    plays.push_back(params);
    if (!Live(params.session)) return 1;
    Channel& channel = channels[params.channel];
    channel.plays++;
    channel.wave = params.wave;
    channel.loops = params.loops;
    channel.sounding = files.count(params.wave) && !freed.count(params.wave);
    return 0;
  }
  int FlushChannel(MixSessionHandle session, int32_t channel, uint32_t) override {
    log.push_back("Flush " + std::to_string(channel));
    if (!Live(session)) return 1;
    channels[channel].flushes++;
    channels[channel].sounding = false;
    return 0;
  }
  int FreeWave(MixSessionHandle session, MixWaveHandle wave) override {
    log.push_back("FreeWave " + FileOf(wave));
    if (!Live(session)) return 1;
    freed.insert(wave);
    for (auto& [number, channel] : channels)
      if (channel.wave == wave) channel.sounding = false;
    return 0;
  }
  int CloseSession(MixSessionHandle session) override {
    log.push_back("CloseSession");
    if (session != session_ || session == 0) return 1;
    for (auto& [number, channel] : channels) channel.sounding = false;
    active = false;
    session_ = 0;
    return 0;
  }

 private:
  static constexpr MixSessionHandle kSession = 77;
  bool Live(MixSessionHandle session) const {
    return active && session != 0 && session == session_;
  }

  MixSessionHandle session_ = 0;
};

}  // namespace marvo
