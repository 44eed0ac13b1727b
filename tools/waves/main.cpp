// Writes the game's six wave files into the directory given as the only
// argument: the two music tracks, their closing jingles, the crash and the
// star.

#include <cstdio>
#include <string>

#include "generated/game_files.h"
#include "tools/waves/scores.h"
#include "tools/waves/synth.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const struct {
    const char* name;
    std::vector<int16_t> (*make)();
  } files[] = {
      {marvo::kWaveTrack1Music, waves::TidalArcade},
      {marvo::kWaveTrack1Closing, waves::TidalArcadeCoda},
      {marvo::kWaveTrack2Music, waves::Undertow},
      {marvo::kWaveTrack2Closing, waves::UndertowCoda},
      {marvo::kWaveCrash, waves::Crash},
      {marvo::kWaveStar, waves::StarPickUp},
  };
  for (const auto& file : files) {
    if (!waves::WriteWave(dir + "/" + file.name, file.make())) {
      std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), file.name);
      return 1;
    }
  }
  return 0;
}
