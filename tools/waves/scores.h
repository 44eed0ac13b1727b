#pragma once

#include <cstdint>
#include <vector>

// The game's music and effects, as interleaved 16-bit stereo at waves::kRate.
namespace waves {

std::vector<int16_t> TidalArcade();      // bgm1: track 1, loops during play
std::vector<int16_t> TidalArcadeCoda();  // bgm2: track 1's closing jingle
std::vector<int16_t> Undertow();         // bgm3: track 2, loops during play
std::vector<int16_t> UndertowCoda();     // bgm4: track 2's closing jingle
std::vector<int16_t> Crash();            // e1
std::vector<int16_t> StarPickUp();       // p1

}  // namespace waves
