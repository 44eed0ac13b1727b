#include "engine/sound_slots.h"

namespace marvo {

void LoadWaveFiles(GameRecord& game, Wavemix& sound, const std::string& program_dir) {
  game.WaveBgm1 = sound.LoadWave(program_dir + "/bgm1.wav");
  game.WaveBgm2 = sound.LoadWave(program_dir + "/bgm2.wav");
  game.WaveBgm3 = sound.LoadWave(program_dir + "/bgm3.wav");
  game.WaveBgm4 = sound.LoadWave(program_dir + "/bgm4.wav");
  game.WaveCrash = sound.LoadWave(program_dir + "/e1.wav");
  game.WaveStar = sound.LoadWave(program_dir + "/p1.wav");
}

}  // namespace marvo
