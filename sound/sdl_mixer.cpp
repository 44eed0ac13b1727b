#include "sound/sdl_mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace marvo {

namespace {

// About 23 ms at 44.1 kHz: short enough that a cue sounds with the event.
constexpr int kChunkFrames = 1024;

}  // namespace

SdlMixer::~SdlMixer() { Shutdown(); }

MixSessionHandle SdlMixer::ConfigureInit(const MixConfig& config) {
  Shutdown();
  config_ = config;
  session_ = ++last_session_;
  return session_;
}

int SdlMixer::Activate(MixSessionHandle session, bool activate) {
  if (session == 0 || session != session_) return -1;
  if (!activate) {
    if (open_) Mix_HaltChannel(-1);
    return 0;
  }
  if (open_) return 0;
  // Qt owns SIGINT and SIGTERM; without this hint SDL would swallow them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return -1;
  const int rate = config_.sampling_rate != 0 ? config_.sampling_rate : MIX_DEFAULT_FREQUENCY;
  const int channels = (config_.flags & kMixUseChannelCount) && config_.channels == 1 ? 1 : 2;
  if (Mix_OpenAudio(rate, AUDIO_S16SYS, channels, kChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return -1;
  }
  Mix_AllocateChannels(kChannels);
  open_ = true;
  return 0;
}

MixWaveHandle SdlMixer::OpenWave(MixSessionHandle session, const std::string& path, uint32_t,
                                 uint32_t) {
  if (!Live(session)) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (chunk == nullptr) return 0;
  waves_[++last_wave_] = chunk;
  return last_wave_;
}

int SdlMixer::OpenChannel(MixSessionHandle session, int32_t channel, uint32_t) {
  return Live(session) && ValidChannel(channel) ? 0 : -1;
}

int SdlMixer::Play(const MixPlayParams& params) {
  // SDL_mixer "plays" on a channel it never allocated and reports success:
  // check the range here.
  if (!Live(params.session) || !ValidChannel(params.channel)) return -1;
  const auto it = waves_.find(params.wave);
  if (it == waves_.end()) return -1;
  const int loops = params.loops == kMixLoopForever ? -1 : params.loops;
  // Starting a channel replaces whatever it was playing, which is what the
  // clear-queue flag asks for; every channel has the same priority here.
  return Mix_PlayChannel(params.channel, it->second, loops) == params.channel ? 0 : -1;
}

int SdlMixer::FlushChannel(MixSessionHandle session, int32_t channel, uint32_t) {
  if (!Live(session) || !ValidChannel(channel)) return -1;
  Mix_HaltChannel(channel);
  return 0;
}

int SdlMixer::FreeWave(MixSessionHandle session, MixWaveHandle wave) {
  if (!Live(session)) return -1;
  const auto it = waves_.find(wave);
  if (it == waves_.end()) return -1;
  Mix_FreeChunk(it->second);  // halts any channel still playing it
  waves_.erase(it);
  return 0;
}

int SdlMixer::CloseSession(MixSessionHandle session) {
  if (session == 0 || session != session_) return -1;
  Shutdown();
  return 0;
}

void SdlMixer::Shutdown() {
  if (open_) {
    Mix_HaltChannel(-1);
    for (const auto& [handle, chunk] : waves_) Mix_FreeChunk(chunk);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  waves_.clear();
  open_ = false;
  session_ = 0;
}

}  // namespace marvo
