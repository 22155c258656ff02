// Battle tests: recording and playing back replays.
#include "ReplayKit.h"

#include "app/GameApp.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"

namespace replay_test {

std::vector<uint8_t> Record(battle_test::MatchRun& run) {
  if (run.dir.empty()) run.dir = battle_test::FolderWithMaps("record");
  battle_test::Play(run);
  return LastReplayBytes();
}

Replay Decode(const std::vector<uint8_t>& bytes) {
  ReplayReading r = ReadReplay(bytes);
  return r.replay ? *r.replay : Replay{};
}

namespace {

Playback Run(const std::string& script, const std::function<void(Playback&)>& play) {
  Playback p;
  GameOptions o;
  o.start.kind = platform::BackendKind::Headless;
  o.start.scriptText = script;
  o.start.untilMs = 900000;
  o.singleInstance = false;
  o.dir = battle_test::FolderWithMaps("playback");
  o.afterCreate = [&] {
    const int64_t start = battle_test::Now();
    play(p);
    p.took = battle_test::Now() - start;
    p.report = LastMatch;
    p.messages = platform::headless::Messages();
    platform::CloseWindow();
  };
  RunGame(o);
  return p;
}

}  // namespace

Playback PlayBack(const Replay& replay, const std::string& script, const std::function<void()>& before,
                  const std::function<void()>& after) {
  return Run(script, [&](Playback& p) {
    if (before) before();
    p.outcome = PlayReplay(replay);
    if (after) after();
  });
}

Playback WatchFile(const std::string& path) {
  return Run("", [&](Playback& p) { p.outcome = WatchReplayFile(path); });
}

bool TapeHas(const Replay& r, TapeOp op, int a, int b) {
  for (const TapeEntry& e : r.tape)
    if (e.op == op && (a < 0 || e.a == a) && (b < 0 || e.b == b)) return true;
  return false;
}

}  // namespace replay_test
