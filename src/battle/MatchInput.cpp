// battle: the keyboard's door and the door in place.
#include "battle/MatchInput.h"

#include "actors/Manplayer.h"
#include "platform/Window.h"

namespace {

constexpr int kF4 = 0x73;
constexpr TInputBits kAllBits = 63;

MatchInput* g_door = nullptr;

TInputBits DoorFighterBits(int side, int source) { return Door().FighterBits(side, source); }

}  // namespace

TInputBits KeyboardInput::FighterBits(int, int source) {
  const TInputBits b = ReadPlayerInput(source);
  return b < 0 ? 0 : b & kAllBits;  // a source no key slot serves reads as nothing pressed
}

RoundStop KeyboardInput::CheckStop() {
  if (KeyIsDown(kF4)) return RoundStop::GiveUp;
  if (!platform::HasFocus()) return RoundStop::FocusLost;
  return QuitRequested ? RoundStop::Closed : RoundStop::None;
}

bool KeyboardInput::HelpKey() { return KeyIsDown(VK_F1_KEY); }
bool KeyboardInput::PauseKey() { return KeyIsDown(VK_ESCAPE_KEY); }
bool KeyboardInput::Closing() { return QuitRequested; }

TWaitResult AbandonedWait(WaitKind kind) {
  switch (kind) {
    case WaitKind::Release: return wrNone;
    case WaitKind::Press: return wrCancel;
    case WaitKind::OrKey:
    case WaitKind::Abort: break;
  }
  return wrQuit;
}

MatchInput& Door() {
  static KeyboardInput keys;
  if (g_door) return *g_door;
  return keys;
}

InstallMatchInput::InstallMatchInput(MatchInput& input)
    : before_(g_door), watcherBefore_(SetWaitWatcher(&input)), readerBefore_(ManPlayerInput) {
  g_door = &input;
  ManPlayerInput = DoorFighterBits;
}

InstallMatchInput::~InstallMatchInput() {
  g_door = before_;
  SetWaitWatcher(watcherBefore_);
  ManPlayerInput = readerBefore_;
}
