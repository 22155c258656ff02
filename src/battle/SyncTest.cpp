// battle: the sync test's door and its figures.
#include "battle/SyncTest.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

#include "battle/BattleFrame.h"
#include "shell/GameMedia.h"

int SyncTestFrames = 0;

namespace {

SyncTestResult g_result;

class Stopwatch {
 public:
  // Nanoseconds since the last call (or since made).
  uint32_t Lap() {
    const auto now = std::chrono::steady_clock::now();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now - last_).count();
    last_ = now;
    return static_cast<uint32_t>(std::min<long long>(ns, UINT32_MAX));
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

struct Silence {
  Silence() { EffectsSilenced = true; }
  ~Silence() { EffectsSilenced = false; }
};

std::string Figures(const char* name, std::vector<uint32_t> ns) {
  if (ns.empty()) return "";
  const size_t middle = ns.size() / 2;
  std::nth_element(ns.begin(), ns.begin() + static_cast<std::ptrdiff_t>(middle), ns.end());
  const double mean = std::accumulate(ns.begin(), ns.end(), 0.0) / static_cast<double>(ns.size());
  char line[128];
  std::snprintf(line, sizeof line, "; %s %.1f us (mean %.1f)", name, ns[middle] / 1000.0, mean / 1000.0);
  return line;
}

}  // namespace

const SyncTestResult& SyncTestOutcome() { return g_result; }

std::string SyncTestSummary() {
  const SyncTestResult& r = g_result;
  char head[160];
  std::snprintf(head, sizeof head, "sync test: %llu frames checked, %llu played again, medians",
                static_cast<unsigned long long>(r.frames), static_cast<unsigned long long>(r.replayed));
  return head + Figures("save", r.saveNs) + Figures("its checksums", r.checksumNs) + Figures("restore", r.restoreNs) +
         Figures("frame played again", r.frameNs) + Figures("repaint after it", r.showNs);
}

SyncTestInput::SyncTestInput(MatchInput& through, int frames)
    : through_(through), depth_(std::max(frames, 1)), kept_(static_cast<size_t>(depth_) + 1) {}

void SyncTestInput::Keep(int roundFrame) {
  Kept& k = Slot(roundFrame);
  Stopwatch watch;
  SaveBattle(k.state);
  g_result.saveNs.push_back(watch.Lap());
  k.sums = PartChecksums(k.state);
  g_result.checksumNs.push_back(watch.Lap());
  if (k.state.strangers != 0) Fail("the arena holds a sprite the snapshot cannot make again");
}

void SyncTestInput::BeginFrame() {
  ++matchFrame_;
  const int frame = CurrentRoundFrames().frame;
  // A round's first frame: the state it starts from is the earliest a rollback goes back to.
  if (frame == 0) {
    ++round_;
    if (!failed_) Keep(0);
  }
  Slot(frame + 1).reads.clear();
  through_.BeginFrame();
}

TInputBits SyncTestInput::FighterBits(int side, int source) {
  if (replayReads_) {
    // A frame played again reads what it read the first time, in the same order.
    if (nextRead_ >= replayReads_->size() || (*replayReads_)[nextRead_].side != side ||
        (*replayReads_)[nextRead_].source != source) {
      readsDiffer_ = true;
      return 0;
    }
    return (*replayReads_)[nextRead_++].bits;
  }
  const TInputBits bits = through_.FighterBits(side, source);
  Slot(CurrentRoundFrames().frame).reads.push_back({side, source, bits});
  return bits;
}

void SyncTestInput::EndFrame() {
  through_.EndFrame();
  if (failed_) return;
  const int frame = CurrentRoundFrames().frame;
  Keep(frame);
  ++g_result.frames;
  if (!failed_) RollBack(frame);
}

void SyncTestInput::RollBack(int frame) {
  const int from = std::max(frame - depth_, 0);
  if (from == frame) return;
  const Silence silence;
  Stopwatch watch;
  RestoreBattle(Slot(from).state);
  g_result.restoreNs.push_back(watch.Lap());
  for (int f = from + 1; f <= frame; ++f) {
    const Kept& first = Slot(f);
    replayReads_ = &first.reads;
    nextRead_ = 0;
    readsDiffer_ = false;
    watch.Lap();
    ResimulateFrame();
    g_result.frameNs.push_back(watch.Lap());
    replayReads_ = nullptr;
    ++g_result.replayed;
    SaveBattle(replayed_);
    const BattlePartSums sums = PartChecksums(replayed_);
    char where[160];
    std::snprintf(where, sizeof where, "frame %u (round %d, its frame %d, played again from its frame %d)",
                  matchFrame_ - static_cast<uint32_t>(frame - f), round_, f, from);
    if (readsDiffer_ || nextRead_ != first.reads.size())
      return Fail(std::string(where) + ": the fighters' input reads differ");
    for (int part = 0; part < kBattleParts; ++part)
      if (sums[static_cast<size_t>(part)] != first.sums[static_cast<size_t>(part)])
        return Fail(std::string(where) + ": the state differs in " + BattlePartName(part));
  }
  // Only the present is drawn, once.
  watch.Lap();
  ShowRestoredBattle(Slot(frame).state);
  g_result.showNs.push_back(watch.Lap());
}

void SyncTestInput::Fail(const std::string& what) {
  replayReads_ = nullptr;
  if (failed_) return;
  failed_ = true;
  if (g_result.failure.empty()) g_result.failure = what;
}

RoundStop SyncTestInput::CheckStop() {
  const RoundStop stop = through_.CheckStop();
  return failed_ ? RoundStop::Closed : stop;
}

bool SyncTestInput::HelpKey() { return !failed_ && through_.HelpKey(); }
bool SyncTestInput::PauseKey() { return !failed_ && through_.PauseKey(); }

bool SyncTestInput::Checkpoint(uint32_t checksum) { return through_.Checkpoint(checksum) && !failed_; }

bool SyncTestInput::Closing() { return through_.Closing() || failed_; }

TWaitResult SyncTestInput::Watch(WaitKind kind, uint32_t ms, LiveWait live) {
  if (failed_) return AbandonedWait(kind);
  return through_.Watch(kind, ms, live);
}
