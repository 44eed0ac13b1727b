// Any bytes as a replay file: a clear verdict every time. Either a run, which
// written again gives back exactly the bytes read, or a one-line reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const marvo::ReplayRead read = marvo::DecodeReplay(bytes);
  if (read.run) {
    if (!read.reason.empty() || marvo::EncodeReplay(*read.run, read.game_version) != bytes)
      std::abort();
  } else if (read.reason.empty() || read.reason.find('\n') != read.reason.npos) {
    std::abort();
  }
  return 0;
}
