#include "shell/verify.h"

#include <algorithm>

#include "engine/game_record.h"
#include "flow/game_flow.h"
#include "shell/title.h"
#include "sound/wavemix.h"
#include "ui/form.h"

namespace marvo {

namespace {

// Time that passes only when the game waits: each wait jumps to its deadline.
class VirtualClock final : public Platform {
 public:
  double Clock() override { return now_; }
  void Yield(double deadline) override { now_ = std::max(deadline, now_ + 0.0005); }
  // A replay brings its own seeds; this one is never drawn.
  uint32_t ClockSeed() override { return 0; }

 private:
  double now_ = 1000.0;
};

// No session is ever opened, so the game asks nothing of it.
class NoMixer final : public WaveMixer {
 public:
  MixSessionHandle ConfigureInit(const MixConfig&) override { return 0; }
  int Activate(MixSessionHandle, bool) override { return -1; }
  MixWaveHandle OpenWave(MixSessionHandle, const std::string&, uint32_t, uint32_t) override {
    return 0;
  }
  int OpenChannel(MixSessionHandle, int32_t, uint32_t) override { return -1; }
  int Play(const MixPlayParams&) override { return -1; }
  int FlushChannel(MixSessionHandle, int32_t, uint32_t) override { return -1; }
  int PauseAll(MixSessionHandle, bool) override { return -1; }
  int FreeWave(MixSessionHandle, MixWaveHandle) override { return -1; }
  int CloseSession(MixSessionHandle) override { return -1; }
};

}  // namespace

Run ReplayHeadless(const Run& run, const TextRasterizer& text) {
  GameRecord record;
  MainFormModel form;
  VirtualClock clock;
  NoMixer mixer;
  Wavemix sound(mixer);
  form.picSTAGE.surface.SetTextRasterizer(&text);
  LoadWindowPictures(form);
  record.StoreStartUpValues();
  GameFlow flow(record, form, clock, sound);
  flow.WatchRun(run);
  return flow.play().tape().made();
}

int VerifyRun(const Run& run, const TextRasterizer& text, std::FILE* out, std::FILE* err) {
  const Run again = ReplayHeadless(run, text);
  for (std::size_t i = 0; i < again.stage_scores.size(); ++i)
    std::fprintf(out, "stage %zu: %d\n", i + 1, again.stage_scores[i]);
  std::fprintf(out, "final: %d\n", again.final_score);

  const std::size_t recorded = run.stage_scores.size(), replayed = again.stage_scores.size();
  for (std::size_t i = 0; i < std::max(recorded, replayed); ++i) {
    if (i < recorded && i < replayed && run.stage_scores[i] == again.stage_scores[i]) continue;
    std::fprintf(err, "stage %zu differs: %s\n", i + 1,
                 i >= replayed   ? "recorded as cleared, but the replay did not clear it"
                 : i >= recorded ? "cleared by the replay, but not recorded as cleared"
                                 : "its score is not the recorded one");
    return 1;
  }
  if (again.final_score != run.final_score) {
    std::fprintf(err, "stage %zu differs: the final score is %d, recorded %d\n", recorded + 1,
                 again.final_score, run.final_score);
    return 1;
  }
  if (again.seeds != run.seeds || again.turns != run.turns) {
    std::fprintf(err, "the run does not play as recorded: its seeds or turns go unused\n");
    return 1;
  }
  return 0;
}

}  // namespace marvo
