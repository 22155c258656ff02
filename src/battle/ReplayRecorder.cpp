// battle: recording a match.
#include "battle/ReplayRecorder.h"

#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "actors/Tip.h"
#include "field/MapState.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Random.h"

std::optional<ReplaySetup> DescribeMatch(const OpponentRecord* left, const OpponentRecord* right) {
  // The left side is always the player's; the right one a person in versus, else the table's.
  if (left) return std::nullopt;
  ReplaySetup s;
  s.gameVersion = BRAMKO_GAME_VERSION;
  s.seed = RandomState();
  s.chipOwner = static_cast<uint8_t>(ChipOwner());
  s.switchCounter = static_cast<uint32_t>(SwitchState().counter);
  s.switchPattern = static_cast<uint8_t>(SwitchState().pattern & 1);
  s.mode = right ? mmStory : mmVersus;
  s.mapId = static_cast<uint8_t>(CurrentMapId);
  if (right) {
    s.opponent = Opponents().IndexOf(right);
    if (s.opponent < 0) return std::nullopt;
    s.opponentCharacter = static_cast<uint8_t>(right->characterId);
  }
  for (int side = 0; side < 2; ++side) {
    s.fangPower[side] = static_cast<uint16_t>(FangPowerByMode[side][s.mode]);
    s.fangSet[side] = static_cast<uint8_t>(FangSetByMode[side][s.mode]);
  }
  s.framePeriodMs = static_cast<uint8_t>(FramePeriodMs);
  s.roundSeconds = static_cast<uint16_t>(RoundSeconds);
  s.chipInterval = static_cast<uint16_t>(ChipSpawnInterval);
  return s;
}

ReplayRecorder::ReplayRecorder(MatchInput& through, const ReplaySetup& setup, int64_t startedAt) : through_(through) {
  replay_.startedAt = startedAt;
  replay_.setup = setup;
}

void ReplayRecorder::Note(TapeOp op, uint8_t a, uint8_t b, uint32_t value) {
  TapeEntry e;
  e.frame = frame_;
  e.op = op;
  e.a = a;
  e.b = b;
  e.value = value;
  replay_.tape.push_back(e);
}

void ReplayRecorder::BeginFrame() {
  ++frame_;
  through_.BeginFrame();
}

TInputBits ReplayRecorder::FighterBits(int side, int source) {
  const TInputBits b = through_.FighterBits(side, source) & 63;
  // Only a change is noted: a side reads what it read last until the tape says otherwise.
  if (b != bits_[side & 1]) {
    bits_[side & 1] = b;
    Note(TapeOp::Bits, static_cast<uint8_t>(side & 1), static_cast<uint8_t>(b));
  }
  return b;
}

RoundStop ReplayRecorder::CheckStop() {
  const RoundStop s = through_.CheckStop();
  if (s != RoundStop::None) Note(TapeOp::Stop, static_cast<uint8_t>(s));
  return s;
}

// The help changes nothing in the battle: a replay never opens it.
bool ReplayRecorder::HelpKey() { return through_.HelpKey(); }

bool ReplayRecorder::PauseKey() {
  const bool pause = through_.PauseKey();
  if (pause) Note(TapeOp::Pause);
  return pause;
}

bool ReplayRecorder::Checkpoint(uint32_t checksum) {
  Note(TapeOp::Checksum, 0, 0, checksum);
  return through_.Checkpoint(checksum);
}

bool ReplayRecorder::Closing() {
  const bool closing = through_.Closing();
  if (closing) Note(TapeOp::Closing);
  return closing;
}

TWaitResult ReplayRecorder::Watch(WaitKind kind, uint32_t ms, LiveWait live) {
  const uint32_t start = TickCount();
  TWaitResult r = through_.Watch(kind, ms, live);
  // A press that ended because the window is closing leaves the pause like a cancel does.
  if (kind == WaitKind::Press && QuitRequested) r = wrCancel;
  Note(TapeOp::Wait, static_cast<uint8_t>(kind), static_cast<uint8_t>(r), through_.WaitLength(TickCount() - start));
  return r;
}

Replay ReplayRecorder::Finish(const MatchReport& result) {
  replay_.result = result;
  return replay_;
}
