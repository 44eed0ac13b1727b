// Writes the game's six wave files into the directory given as the only
// argument: the two music tracks, their closing jingles, the crash and the
// star.

#include <cstdio>
#include <string>

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
      {"bgm1.wav", waves::TidalArcade}, {"bgm2.wav", waves::TidalArcadeCoda},
      {"bgm3.wav", waves::Undertow},    {"bgm4.wav", waves::UndertowCoda},
      {"e1.wav", waves::Crash},         {"p1.wav", waves::StarPickUp},
  };
  for (const auto& file : files) {
    if (!waves::WriteWave(dir + "/" + file.name, file.make())) {
      std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), file.name);
      return 1;
    }
  }
  return 0;
}
