#include "shell/replay_file.h"

#include <array>

namespace marvo {

namespace {

// The fixed parts: magic, format, version length, speed, seed count, turn
// count, stage count, final score, check sum.
constexpr std::size_t kFixedBytes = 4 + 2 + 1 + 1 + 1 + 2 + 1 + 4 + 4;
constexpr std::size_t kLargestFile = kFixedBytes + kReplayMaxVersionLength + 4 * kReplayMaxSeeds +
                                     5 * kReplayMaxTurns + 4 * kReplayMaxStages;

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// Reads fields off the front of the bytes; once one is missing, all are.
class Fields {
 public:
  explicit Fields(std::string_view bytes) : rest_(bytes) {}
  uint32_t Take(int bytes) {
    if (rest_.size() < std::size_t(bytes)) {
      short_ = true;
      rest_ = {};
      return 0;
    }
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= uint32_t(uint8_t(rest_[std::size_t(i)])) << (8 * i);
    rest_.remove_prefix(std::size_t(bytes));
    return value;
  }
  std::string_view TakeText(std::size_t length) {
    if (rest_.size() < length) {
      short_ = true;
      rest_ = {};
      return {};
    }
    const std::string_view text = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return text;
  }
  bool short_of_bytes() const { return short_; }
  std::size_t left() const { return rest_.size(); }

 private:
  std::string_view rest_;
  bool short_ = false;
};

ReplayRead Refuse(std::string reason) {
  ReplayRead read;
  read.reason = std::move(reason);
  return read;
}

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (char byte : bytes) crc = table[(crc ^ uint8_t(byte)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string EncodeReplay(const Run& run, std::string_view game_version) {
  std::string out(kReplayMagic);
  Put(out, kReplayFormat, 2);
  game_version = game_version.substr(0, kReplayMaxVersionLength);
  Put(out, uint32_t(game_version.size()), 1);
  out += game_version;
  Put(out, uint32_t(Percent(run.speed)), 1);
  Put(out, uint32_t(run.seeds.size()), 1);
  for (uint32_t seed : run.seeds) Put(out, seed, 4);
  Put(out, uint32_t(run.turns.size()), 2);
  for (const RunTurn& turn : run.turns) {
    Put(out, turn.tick, 4);
    Put(out, turn.key, 1);
  }
  Put(out, uint32_t(run.stage_scores.size()), 1);
  for (int32_t score : run.stage_scores) Put(out, uint32_t(score), 4);
  Put(out, uint32_t(run.final_score), 4);
  Put(out, Crc32(out), 4);
  return out;
}

ReplayRead DecodeReplay(std::string_view bytes) {
  if (bytes.size() < kReplayMagic.size() || bytes.substr(0, 4) != kReplayMagic)
    return Refuse(bytes.size() < kReplayMagic.size() ? "too short to be a replay"
                                                     : "not a MARVOSTEL replay (wrong magic)");
  if (bytes.size() < kFixedBytes) return Refuse("too short: the file ends early");
  Fields head(bytes.substr(4));
  const uint32_t format = head.Take(2);
  if (format > kReplayFormat) {
    ReplayRead newer = Refuse("made by a newer MARVOSTEL (format " + std::to_string(format) +
                              ", this one reads up to " + std::to_string(kReplayFormat) + ")");
    newer.newer_format = true;
    return newer;
  }
  if (format == 0) return Refuse("unknown format 0");
  if (bytes.size() > kLargestFile) return Refuse("too long: no game makes a file this size");
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  if (Crc32(body) != Fields(bytes.substr(body.size())).Take(4))
    return Refuse("damaged: the check sum does not match");

  Fields in(body.substr(6));
  ReplayRead read;
  read.game_version = std::string(in.TakeText(in.Take(1)));
  Run run;
  const uint32_t percent = in.Take(1);
  const std::optional<Speed> speed = SpeedFromPercent(int(percent));
  if (!in.short_of_bytes() && !speed)
    return Refuse("unknown speed " + std::to_string(percent) + "%");
  run.speed = speed.value_or(Speed::k100);
  const std::size_t seeds = in.Take(1);
  if (seeds > kReplayMaxSeeds) return Refuse("too many seeds for one game");
  for (std::size_t i = 0; i < seeds && !in.short_of_bytes(); ++i) run.seeds.push_back(in.Take(4));
  const std::size_t turns = in.Take(2);
  if (turns > kReplayMaxTurns) return Refuse("too many turns for one game");
  for (std::size_t i = 0; i < turns && !in.short_of_bytes(); ++i) {
    const uint32_t tick = in.Take(4);
    const uint8_t key = uint8_t(in.Take(1));
    if (!run.turns.empty() && tick < run.turns.back().tick)
      return Refuse("the turns are out of order");
    run.turns.push_back({tick, key});
  }
  const std::size_t stages = in.Take(1);
  if (stages > kReplayMaxStages) return Refuse("too many stages for one game");
  for (std::size_t i = 0; i < stages && !in.short_of_bytes(); ++i)
    run.stage_scores.push_back(int32_t(in.Take(4)));
  run.final_score = int32_t(in.Take(4));
  if (in.short_of_bytes()) return Refuse("too short: the file ends early");
  if (in.left() != 0) return Refuse("too long: bytes after the final score");
  read.run = std::move(run);
  return read;
}

}  // namespace marvo
