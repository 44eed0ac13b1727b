#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "sound/wave_mixer.h"

struct Mix_Chunk;

namespace marvo {

// The mixer's functions, from the library loaded when the sound first opens.
struct MixerLibrary;

// The wave mixer on SDL2_mixer. Opens SDL's audio subsystem only, and leaves
// signal handling to the rest of the program. One session at a time.
// SDL2_mixer is not linked but loaded when a session is first activated: it
// brings some fifteen libraries of its own (synthesisers, codecs, sound
// servers). Where it cannot be loaded, activating fails as without a device.
class SdlMixer final : public WaveMixer {
 public:
  // The game uses seven slots, one channel each.
  static constexpr int kChannels = 7;
  static constexpr const char* kLibrary = "libSDL2_mixer-2.0.so.0";

  // Reads a wave file, or only its first `head` bytes when it is longer: true
  // with them, false when it is missing or cannot be used (the reader says
  // why). It must not block, whatever is at the path: SDL never opens the
  // files itself.
  using FileReader =
      std::function<bool(const std::string& path, std::size_t head, std::string& bytes)>;

  explicit SdlMixer(FileReader read, std::string library = kLibrary)
      : read_(std::move(read)), library_(std::move(library)) {}
  SdlMixer(const SdlMixer&) = delete;
  SdlMixer& operator=(const SdlMixer&) = delete;
  ~SdlMixer() override;

  MixSessionHandle ConfigureInit(const MixConfig& config) override;
  int Activate(MixSessionHandle session, bool activate) override;
  MixWaveHandle OpenWave(MixSessionHandle session, const std::string& path, uint32_t module,
                         uint32_t flags) override;
  int OpenChannel(MixSessionHandle session, int32_t channel, uint32_t flags) override;
  int Play(const MixPlayParams& params) override;
  int FlushChannel(MixSessionHandle session, int32_t channel, uint32_t flags) override;
  int PauseAll(MixSessionHandle session, bool pause) override;
  int FreeWave(MixSessionHandle session, MixWaveHandle wave) override;
  int CloseSession(MixSessionHandle session) override;

 private:
  bool Live(MixSessionHandle session) const { return session != 0 && session == session_ && open_; }
  static bool ValidChannel(int32_t channel) { return channel >= 0 && channel < kChannels; }
  bool OpenDevice();
  // Reads and decodes the whole file; null when it cannot be had.
  Mix_Chunk* LoadWave(const std::string& path) const;
  Mix_Chunk* Decode(const std::string& bytes) const;
  void Shutdown();

  struct Wave {
    Mix_Chunk* chunk = nullptr;
    std::string unread_path;  // a long wave whose samples wait for its first play
  };

  FileReader read_;
  std::string library_;
  const MixerLibrary* mix_ = nullptr;  // once loaded
  MixSessionHandle session_ = 0;       // the configured session, 0 = none
  MixSessionHandle last_session_ = 0;
  MixConfig config_;
  bool open_ = false;  // audio device open for session_
  std::map<MixWaveHandle, Wave> waves_;
  MixWaveHandle last_wave_ = 0;
};

}  // namespace marvo
