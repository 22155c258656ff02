// battle: watching a replay.
#include "battle/ReplayPlayer.h"

#include <algorithm>

#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "actors/Tip.h"
#include "battle/Battle.h"
#include "field/MapState.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"

namespace {

constexpr uint32_t kFastRate = 4;
// Once stopped, what is left of the match (the end of an announcement, the dissolve) passes
// this much faster: the viewer is back at once.
constexpr uint32_t kWindDownRate = 50;
// How often the viewer's keys are looked at during the waits that read none.
constexpr uint32_t kHearEveryMs = 10;
// The pause and the waits for a release are shown at most this long: a player who paused
// for a cup of tea made the fight no different.
constexpr uint32_t kLongestIdleWaitMs = 2000;

uint32_t LongestShown(WaitKind kind, uint32_t ms) {
  switch (kind) {
    case WaitKind::OrKey: return ms + 1;  // a wait that ran out ran one tick past its length
    case WaitKind::Abort: return 0;
    case WaitKind::Release:
    case WaitKind::Press: break;
  }
  return kLongestIdleWaitMs;
}

bool AnyKeyHeld() {
  if (AnyInput()) return true;  // the players' keys, pads and the system keys
  for (int vk = 1; vk < 255; ++vk)
    if (vk != VK_ESCAPE_KEY && KeyIsDown(vk)) return true;
  return false;
}

// Everything a replay changes that belongs to the game around it.
struct GameState {
  uint32_t random = RandomState();
  int chipOwner = ChipOwner();
  ComSwitchState switchState = SwitchState();
  int mapId = CurrentMapId, waypoint = CurrentWaypoint, matchMode = MatchMode;
  int fangPower[2][2], fangSet[2][2];
  int framePeriod = FramePeriodMs, roundSeconds = RoundSeconds, chipInterval = ChipSpawnInterval;
  std::string helpKeyword = HelpKeyword;
  SceneStepFn step = SceneStep;
  uint32_t timerInterval = platform::TimerInterval();
  std::string music = CurrentMusic;
  bool musicPlaying = MusicPlaying, musicKeeperOff = MusicKeeperOff;
  bool menu = platform::MenuVisible(), image = platform::ImageVisible(), cursor = platform::CursorVisible();
  struct Surface {
    platform::Bitmap pixels;
    platform::Font font;
    platform::Brush brush;
    platform::CopyMode copyMode;
  } screen = Keep(*ScreenCanvas), battle = Keep(*BattleCanvas);

  GameState() {
    std::copy(&FangPowerByMode[0][0], &FangPowerByMode[0][0] + 4, &fangPower[0][0]);
    std::copy(&FangSetByMode[0][0], &FangSetByMode[0][0] + 4, &fangSet[0][0]);
  }
  static Surface Keep(platform::Canvas& c) { return {c.Target(), c.font, c.brush, c.copyMode}; }
  static void Restore(platform::Canvas& c, const Surface& s) {
    c.Target() = s.pixels;
    c.font = s.font;
    c.brush = s.brush;
    c.copyMode = s.copyMode;
  }

  void PutBack() const {
    SeedRandom(random);
    SetChipOwner(chipOwner);
    SwitchState() = switchState;
    CurrentMapId = mapId;
    CurrentWaypoint = waypoint;
    MatchMode = matchMode;
    std::copy(&fangPower[0][0], &fangPower[0][0] + 4, &FangPowerByMode[0][0]);
    std::copy(&fangSet[0][0], &fangSet[0][0] + 4, &FangSetByMode[0][0]);
    FramePeriodMs = framePeriod;
    RoundSeconds = roundSeconds;
    ChipSpawnInterval = chipInterval;
    HelpKeyword = helpKeyword;
    Restore(*ScreenCanvas, screen);
    Restore(*BattleCanvas, battle);
    platform::SetMenuVisible(menu);
    platform::SetImageVisible(image);
    platform::SetCursorVisible(cursor);
    MusicKeeperOff = musicKeeperOff;
    if (musicPlaying && !music.empty())
      PlayMusic(music);
    else
      StopMusic();
    platform::SetTimerInterval(timerInterval);
    SetSceneStep(step);
  }
};

}  // namespace

void ApplyReplaySetup(const ReplaySetup& s) {
  SeedRandom(s.seed);
  SetChipOwner(s.chipOwner);
  SwitchState() = ComSwitchState{static_cast<int>(s.switchCounter), s.switchPattern};
  CurrentMapId = s.mapId;
  for (int side = 0; side < 2; ++side) {
    FangPowerByMode[side][s.mode] = s.fangPower[side];
    FangSetByMode[side][s.mode] = s.fangSet[side];
  }
  FramePeriodMs = s.framePeriodMs;
  RoundSeconds = s.roundSeconds;
  ChipSpawnInterval = s.chipInterval;
}

ReplayInput::ReplayInput(const Replay& replay, LiveTape* live) : replay_(replay), live_(live) {}

bool ReplayInput::Whole() {
  if (live_ && stop_ == Stop::None && !live_->Await(frame_, next_)) stop_ = Stop::Viewer;
  return stop_ == Stop::None;
}

const TapeEntry* ReplayInput::Take(TapeOp op) {
  if (!Whole() || next_ >= replay_.tape.size()) return nullptr;
  const TapeEntry& e = replay_.tape[next_];
  if (e.frame != frame_ || e.op != op) return nullptr;
  ++next_;
  return &e;
}

bool ReplayInput::ViewerLeft() {
  lastHeard_ = TickCount();
  if (live_) live_->Keep();
  if (stop_ == Stop::None && (KeyIsDown(VK_ESCAPE_KEY) || QuitRequested)) stop_ = Stop::Viewer;
  const bool fast = AnyKeyHeld() || (live_ && live_->Behind(frame_));
  SetClockRate(stop_ != Stop::None ? kWindDownRate : fast ? kFastRate : 1);
  return stop_ != Stop::None;
}

void ReplayInput::Turn() {
  if (TickCount() - lastHeard_ >= kHearEveryMs) ViewerLeft();
}

void ReplayInput::BeginFrame() {
  ++frame_;
  // What the tape holds for an earlier frame never came: the battle went another way.
  if (next_ < replay_.tape.size() && replay_.tape[next_].frame < frame_) Drift();
  ViewerLeft();
}

TInputBits ReplayInput::FighterBits(int side, int) {
  if (stop_ != Stop::None) return 0;
  const size_t before = next_;
  const TapeEntry* e = Take(TapeOp::Bits);
  if (e && e->a != (side & 1)) {
    next_ = before;  // the other side's change, due when that side reads
    e = nullptr;
  }
  if (e) bits_[side & 1] = e->b;
  return bits_[side & 1];
}

RoundStop ReplayInput::CheckStop() {
  if (stop_ != Stop::None) return RoundStop::Closed;
  const TapeEntry* e = Take(TapeOp::Stop);
  return e ? static_cast<RoundStop>(e->a) : RoundStop::None;
}

bool ReplayInput::PauseKey() { return stop_ == Stop::None && Take(TapeOp::Pause) != nullptr; }

bool ReplayInput::Checkpoint(uint32_t checksum) {
  if (stop_ != Stop::None) return false;
  const TapeEntry* e = Take(TapeOp::Checksum);
  if (stop_ == Stop::None && (!e || e->value != checksum)) Drift();
  return stop_ == Stop::None;
}

bool ReplayInput::Closing() {
  if (Take(TapeOp::Closing)) recordedClosing_ = true;
  return recordedClosing_ || stop_ != Stop::None;
}

TWaitResult ReplayInput::Watch(WaitKind kind, uint32_t ms, LiveWait) {
  if (stop_ != Stop::None) return AbandonedWait(kind);
  const TapeEntry* e = Take(TapeOp::Wait);
  if (stop_ != Stop::None) return AbandonedWait(kind);
  if (!e || e->a != static_cast<uint8_t>(kind)) {
    Drift();
    return AbandonedWait(kind);
  }
  // The wait lasts as long as it did (within reason), then ends as it ended.
  const uint32_t shown = std::min(e->value, LongestShown(kind, ms));
  const uint32_t start = TickCount();
  for (uint32_t elapsed; (elapsed = TickCount() - start) < shown;) {
    PumpMessages();
    if (ViewerLeft()) return AbandonedWait(kind);
    WaitTurn(shown - elapsed);
  }
  return static_cast<TWaitResult>(e->b);
}

ReplayOutcome ReplayInput::Outcome(const MatchReport& report) const {
  if (stop_ == Stop::Viewer) return ReplayOutcome::Stopped;
  if (stop_ == Stop::Drift || next_ != replay_.tape.size() || !(report == replay_.result))
    return ReplayOutcome::Drifted;
  return ReplayOutcome::Played;
}

ReplayOutcome PlayReplay(const Replay& replay) {
  const ReplaySetup& s = replay.setup;
  const OpponentRecord* opponent = nullptr;
  if (s.mode == mmStory) {
    opponent = Opponents().At(s.opponent);
    if (!opponent || opponent->characterId != s.opponentCharacter) return ReplayOutcome::Refused;
  }
  const GameState before;
  ApplyReplaySetup(s);
  ReplayInput tape(replay);
  RunMatchThrough(nullptr, opponent, tape, MatchEffects::None);
  const ReplayOutcome outcome = tape.Outcome(LastMatch);
  SetClockRate(1);
  before.PutBack();
  return outcome;
}
