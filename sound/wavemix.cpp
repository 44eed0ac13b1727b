#include "sound/wavemix.h"

#include <cstdio>

namespace marvo {

int16_t Wavemix::OpenSound() {
  wave_count_ = 0;
  wave_handles_.assign(1, 0);
  mix_session_ = mixer_.ConfigureInit(MixConfig{});
  if (mixer_.Activate(mix_session_, true) != 0) {
    mixer_.CloseSession(mix_session_);
    mix_session_ = 0;
    std::fputs("no audio device: playing silently\n", stderr);
    return 0;
  }
  return -1;
}

int16_t Wavemix::LoadWave(const std::string& path) {
  if (wave_count_ >= kMaxSlots) return -1;
  wave_handles_.resize(wave_count_ + 1, 0);
  wave_handles_[wave_count_] = mixer_.OpenWave(mix_session_, path, 0, 0);
  mixer_.OpenChannel(mix_session_, wave_count_, 0);
  return static_cast<int16_t>(wave_count_++);
}

void Wavemix::PlayWave(int32_t slot, int16_t loops) {
  if (slot < 0 || slot >= static_cast<int32_t>(wave_handles_.size()) || mix_session_ == 0) return;
  MixPlayParams params;
  params.session = mix_session_;
  params.channel = slot;
  params.wave = wave_handles_[slot];
  params.loops = static_cast<uint16_t>(loops);
  mixer_.Play(params);
}

void Wavemix::StopWave(int32_t slot) {
  if (mix_session_ != 0) mixer_.FlushChannel(mix_session_, slot, 0);
}

void Wavemix::PauseSound(bool pause) {
  if (mix_session_ != 0) mixer_.PauseAll(mix_session_, pause);
}

void Wavemix::CloseSound() {
  if (mix_session_ == 0) return;
  for (int32_t slot = 0; slot < static_cast<int32_t>(wave_handles_.size()); ++slot) {
    if (wave_handles_[slot] == 0) continue;
    StopWave(slot);
    mixer_.FreeWave(mix_session_, wave_handles_[slot]);
  }
  mixer_.CloseSession(mix_session_);
  mix_session_ = 0;
}

}  // namespace marvo
