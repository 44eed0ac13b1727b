#include "engine/sound_slots.h"

#include "generated/game_files.h"

namespace marvo {

void LoadWaveFiles(GameRecord& game, Wavemix& sound, const std::string& program_dir) {
  game.WaveBgm1 = sound.LoadWave(program_dir + "/" + kWaveTrack1Music);
  game.WaveBgm2 = sound.LoadWave(program_dir + "/" + kWaveTrack1Closing);
  game.WaveBgm3 = sound.LoadWave(program_dir + "/" + kWaveTrack2Music);
  game.WaveBgm4 = sound.LoadWave(program_dir + "/" + kWaveTrack2Closing);
  game.WaveCrash = sound.LoadWave(program_dir + "/" + kWaveCrash);
  game.WaveStar = sound.LoadWave(program_dir + "/" + kWaveStar);
}

}  // namespace marvo
