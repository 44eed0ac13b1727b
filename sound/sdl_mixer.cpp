#include "sound/sdl_mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/error.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <type_traits>

namespace marvo {

// The few functions of SDL2_mixer the game calls.
struct MixerLibrary {
  decltype(&Mix_OpenAudio) OpenAudio;
  decltype(&Mix_CloseAudio) CloseAudio;
  decltype(&Mix_AllocateChannels) AllocateChannels;
  decltype(&Mix_LoadWAV_RW) LoadWAV_RW;
  decltype(&Mix_FreeChunk) FreeChunk;
  decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
  decltype(&Mix_HaltChannel) HaltChannel;
  decltype(&Mix_Pause) Pause;
  decltype(&Mix_Resume) Resume;
};

namespace {

// Loads the library once per process and keeps it; null when it or one of
// its functions is missing.
const MixerLibrary* LoadMixerLibrary(const std::string& name) {
  static std::map<std::string, MixerLibrary> loaded;
  if (const auto it = loaded.find(name); it != loaded.end()) return &it->second;
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  bool found = true;
  const auto get = [&](auto& function, const char* symbol) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, symbol));
    found = found && function != nullptr;
  };
  MixerLibrary mix{};
  get(mix.OpenAudio, "Mix_OpenAudio");
  get(mix.CloseAudio, "Mix_CloseAudio");
  get(mix.AllocateChannels, "Mix_AllocateChannels");
  get(mix.LoadWAV_RW, "Mix_LoadWAV_RW");
  get(mix.FreeChunk, "Mix_FreeChunk");
  get(mix.PlayChannelTimed, "Mix_PlayChannelTimed");
  get(mix.HaltChannel, "Mix_HaltChannel");
  get(mix.Pause, "Mix_Pause");
  get(mix.Resume, "Mix_Resume");
  if (!found) {
    dlclose(handle);
    return nullptr;
  }
  return &loaded.emplace(name, mix).first->second;
}

// About 23 ms at 44.1 kHz: short enough that a cue sounds with the event.
constexpr int kChunkFrames = 1024;

// A wave file larger than this (the four music tracks, not the short effects)
// is read when it first plays, not at start-up: the title never plays it, and
// decoded it would cost the start megabytes and milliseconds. The effects stay
// decoded ahead, so a crash or a star sounds without a read in the middle of play.
constexpr std::size_t kReadWhenFirstPlayed = 384u << 10;

// Where there is no sound card, ALSA explains at length why it found none
// while SDL looks for a device; the game says it in one line instead.
extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// True when the bytes start as a RIFF wave does.
bool LooksLikeWave(const std::string& bytes) {
  return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
         std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

}  // namespace

// SDL decodes the wave from memory into a chunk of its own.
Mix_Chunk* SdlMixer::Decode(const std::string& bytes) const {
  SDL_RWops* from = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  return from != nullptr ? mix_->LoadWAV_RW(from, 1) : nullptr;
}

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
    if (open_) mix_->HaltChannel(-1);
    return 0;
  }
  if (open_) return 0;
  if (mix_ == nullptr && (mix_ = LoadMixerLibrary(library_)) == nullptr) return -1;
  // Qt owns SIGINT and SIGTERM; without this hint SDL would swallow them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  snd_lib_error_set_handler(IgnoreAlsaError);
  const bool opened = OpenDevice();
  snd_lib_error_set_handler(nullptr);
  if (!opened) return -1;
  mix_->AllocateChannels(kChannels);
  open_ = true;
  return 0;
}

bool SdlMixer::OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  const int rate = config_.sampling_rate != 0 ? config_.sampling_rate : MIX_DEFAULT_FREQUENCY;
  const int channels = (config_.flags & kMixUseChannelCount) && config_.channels == 1 ? 1 : 2;
  if (mix_->OpenAudio(rate, AUDIO_S16SYS, channels, kChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

Mix_Chunk* SdlMixer::LoadWave(const std::string& path) const {
  std::string bytes;
  return read_(path, SIZE_MAX, bytes) ? Decode(bytes) : nullptr;
}

MixWaveHandle SdlMixer::OpenWave(MixSessionHandle session, const std::string& path, uint32_t,
                                 uint32_t) {
  if (!Live(session)) return 0;
  Wave wave;
  std::string bytes;
  if (!read_(path, kReadWhenFirstPlayed + 1, bytes)) return 0;
  if (bytes.size() > kReadWhenFirstPlayed) {
    if (!LooksLikeWave(bytes)) return 0;
    wave.unread_path = path;
  } else if ((wave.chunk = Decode(bytes)) == nullptr) {
    return 0;
  }
  waves_[++last_wave_] = std::move(wave);
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
  Wave& wave = it->second;
  if (!wave.unread_path.empty()) {
    // Tried once: a file that cannot be decoded stays silent.
    wave.chunk = LoadWave(wave.unread_path);
    wave.unread_path.clear();
  }
  if (wave.chunk == nullptr) return -1;
  const int loops = params.loops == kMixLoopForever ? -1 : params.loops;
  // Starting a channel replaces whatever it was playing, which is what the
  // clear-queue flag asks for; every channel has the same priority here.
  return mix_->PlayChannelTimed(params.channel, wave.chunk, loops, -1) == params.channel ? 0 : -1;
}

int SdlMixer::FlushChannel(MixSessionHandle session, int32_t channel, uint32_t) {
  if (!Live(session) || !ValidChannel(channel)) return -1;
  mix_->HaltChannel(channel);
  return 0;
}

int SdlMixer::PauseAll(MixSessionHandle session, bool pause) {
  if (!Live(session)) return -1;
  if (pause)
    mix_->Pause(-1);
  else
    mix_->Resume(-1);
  return 0;
}

int SdlMixer::FreeWave(MixSessionHandle session, MixWaveHandle wave) {
  if (!Live(session)) return -1;
  const auto it = waves_.find(wave);
  if (it == waves_.end()) return -1;
  if (it->second.chunk != nullptr) mix_->FreeChunk(it->second.chunk);  // halts its channels
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
    mix_->HaltChannel(-1);
    for (const auto& [handle, wave] : waves_) {
      if (wave.chunk != nullptr) mix_->FreeChunk(wave.chunk);
    }
    mix_->CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  waves_.clear();
  open_ = false;
  session_ = 0;
}

}  // namespace marvo
