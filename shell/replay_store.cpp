#include "shell/replay_store.h"

#include <cerrno>
#include <cstring>

#include "shell/file_io.h"

namespace marvo {

const char* GameVersion() { return MARVO_VERSION; }

std::string BestRunFile(Speed speed) {
  return speed == Speed::k100 ? "best.mvr" : "best-" + std::to_string(Percent(speed)) + ".mvr";
}

ReplayRead LoadReplay(const std::string& path) {
  std::string bytes, reason;
  switch (ReadFileChecked(path, MaxFileSize(DataFile::kReplay), bytes, reason)) {
    case FileRead::kMissing:
      return {{}, {}, "no such file"};
    case FileRead::kFailed:
      return {{}, {}, reason};
    case FileRead::kOk:
      break;
  }
  return DecodeReplay(bytes);
}

bool KeepRun(const std::string& folder, const Run& run, std::string& reason) {
  const auto fail = [&reason](const std::string& path) {
    reason = path + ": " + std::strerror(errno);
    return false;
  };
  if (!MakeFolders(folder)) return fail(folder);
  const std::string bytes = EncodeReplay(run, GameVersion());
  const std::string last = folder + "/last.mvr";
  if (!ReplaceFileAtomically(last, bytes)) return fail(last);
  const std::string best = folder + "/" + BestRunFile(run.speed);
  const ReplayRead kept = LoadReplay(best);
  // A best from a newer game is kept too: this one cannot tell its score.
  if (kept.newer_format || (kept.run && kept.run->final_score >= run.final_score)) return true;
  if (!ReplaceFileAtomically(best, bytes)) return fail(best);
  return true;
}

}  // namespace marvo
