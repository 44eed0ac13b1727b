#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/run.h"

namespace marvo {

// A run as a file (".mvr"), little-endian throughout; the README shows the layout.
inline constexpr std::string_view kReplayMagic = "MVR\x1a";
// The newest layout this game writes and reads.
inline constexpr uint16_t kReplayFormat = 1;
// Bounds no game the engine plays can pass: two layouts a stage and the bare
// field after the last, fifty turns a stage, ten stages.
inline constexpr std::size_t kReplayMaxSeeds = 32;
inline constexpr std::size_t kReplayMaxTurns = 500;
inline constexpr std::size_t kReplayMaxStages = 10;
inline constexpr std::size_t kReplayMaxVersionLength = 32;

// What reading a replay came to: the run, or a one-line reason it cannot be used.
struct ReplayRead {
  std::optional<Run> run;
  std::string game_version;  // of the game that recorded it
  std::string reason;
  bool newer_format = false;  // refused only for being made by a newer game
};

std::string EncodeReplay(const Run& run, std::string_view game_version);
ReplayRead DecodeReplay(std::string_view bytes);

// The check sum the files end in: CRC-32 as zip and PNG compute it.
uint32_t Crc32(std::string_view bytes);

}  // namespace marvo
