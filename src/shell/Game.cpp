// shell: input polling, waits and tick-count timing.
#include "shell/Game.h"

#include <algorithm>

#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "input/Ginput.h"
#include "shell/GameMedia.h"
#include "shell/PadRumble.h"

bool InputDisabled = false;
bool QuitRequested = false;
void (*PumpHook)() = nullptr;
TPlayerId SlotPlayer[2] = {piPlayer1, piPlayer2};
TInputBits LastDirections[2] = {0, 0};
JoystickPoller JoystickPollerP1 = nullptr, JoystickPollerP2 = nullptr;

namespace {

constexpr int kSystemKeys[] = {VK_SPACE_KEY, VK_ENTER_KEY, VK_ESCAPE_KEY, VK_F2_KEY, VK_F1_KEY};

// A modal window or an open menu has the input: no screen reads keys or joysticks under it.
bool Inactive() { return !platform::HasFocus() || InputDisabled || platform::InputHeld(); }

WaitWatcher* g_watcher = nullptr;
// The game's clock runs at g_rate times the system's since the moment it took that rate.
uint32_t g_rate = 1, g_rateFromSystem = 0, g_rateFromGame = 0;

// Copies the list: reading a key pumps window events, and a menu command run by them may
// reload the key table under our feet.
std::vector<int> KeysOf(int slot, int function) { return KeyTable::Keys(slot, function); }

bool AnyDown(const std::vector<int>& codes) {
  bool down = false;
  // Every key is read, as each read also consumes a latched tap of that key.
  for (int vk : codes) down |= platform::KeyDown(vk);
  return down;
}

}  // namespace

TInputBits ReadPlayerInput(int player) {
  if (Inactive()) return 0;
  if (player == piBoth) return ReadPlayerInput(piPlayer1) | ReadPlayerInput(piPlayer2);
  for (int s = 0; s < 2; ++s) {
    if (SlotPlayer[s] != player) continue;
    TInputBits dirs = 0;
    int count = 0;
    for (int f = kfUp; f <= kfRight; ++f) {
      for (int vk : KeysOf(s, f)) {
        if (platform::KeyDown(vk)) {
          dirs |= 1 << f;
          ++count;
        }
      }
    }
    // A newly pressed second direction replaces the held one instead of making a diagonal.
    if (count > 1)
      dirs &= ~LastDirections[s];
    else
      LastDirections[s] = dirs;
    TInputBits bits = dirs;
    if (AnyDown(KeysOf(s, kfDecide))) bits |= ibDecide;
    if (AnyDown(KeysOf(s, kfCancel))) bits |= ibCancel;
    if (player == piPlayer1 && JoystickPollerP1) bits |= JoystickPollerP1();
    if (player == piPlayer2 && JoystickPollerP2) bits |= JoystickPollerP2();
    return bits;
  }
  return -1;
}

bool AnyInput() {
  if (Inactive()) return false;
  if (ReadPlayerInput(piBoth) != 0) return true;
  for (int vk : kSystemKeys)
    if (platform::KeyDown(vk)) return true;
  return false;
}

bool CancelPressed() {
  if (Inactive()) return false;
  return (ReadPlayerInput(piBoth) & ibCancel) || platform::KeyDown(VK_ESCAPE_KEY) || QuitRequested;
}

namespace {

bool LiveAbortPressed() {
  if (Inactive()) return false;
  return platform::KeyDown(VK_ESCAPE_KEY) || QuitRequested;
}

TWaitResult Watched(WaitKind kind, uint32_t ms, LiveWait live) {
  return g_watcher ? g_watcher->Watch(kind, ms, live) : live(ms);
}

}  // namespace

bool AbortPressed() {
  return Watched(WaitKind::Abort, 0, [](uint32_t) { return LiveAbortPressed() ? wrQuit : wrNone; }) == wrQuit;
}

bool KeyIsDown(int vk) {
  if (Inactive()) return false;
  return platform::KeyDown(vk);
}

uint32_t TickCount() { return g_rateFromGame + (platform::TickCount() - g_rateFromSystem) * g_rate; }

void SetClockRate(uint32_t rate) {
  if (rate == 0 || rate == g_rate) return;
  // The game's clock goes on from where it stands: no wait sees time run backwards.
  g_rateFromGame = TickCount();
  g_rateFromSystem = platform::TickCount();
  g_rate = rate;
}

void WaitTurn(uint32_t remainingMs) {
  uint32_t turnMs = remainingMs / g_rate;
  if (g_watcher) {
    g_watcher->Turn();
    turnMs = std::min(turnMs, g_watcher->LongestTurnMs());
  }
  platform::SpinTurn(turnMs);
}

WaitWatcher* SetWaitWatcher(WaitWatcher* watcher) {
  WaitWatcher* before = g_watcher;
  g_watcher = watcher;
  return before;
}

bool HelpMayOpen() { return !g_watcher || g_watcher->HelpMayOpen(); }

void PumpMessages() {
  if (PumpHook) PumpHook();
}

// The loop runs while ms >= elapsed: a wait of ms ends on the first tick past it, and
// BusyWait(0) at the first tick change. A turn may give up the processor only while the end
// is still more than a tick away (platform::SpinTurn), so it ends on the same tick.
uint32_t BusyWait(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) WaitTurn(ms - elapsed);
  return elapsed;
}

uint32_t BusyWaitPumping(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) {
    PumpMessages();
    WaitTurn(ms - elapsed);
  }
  return elapsed;
}

namespace {

// Quiet checks 10 ms apart in a row: at least kReleaseQuietMs without any input.
void LiveWaitRelease() {
  constexpr int kQuietChecks = kReleaseQuietMs / 10;
  for (;;) {
    PumpMessages();
    // A closing window ends every wait, also one on a key that is never let go.
    if (QuitRequested) return;
    if (AnyInput()) {
      WaitTurn(0);  // start over at once; only the clock must move on
      continue;
    }
    int quiet = 0;
    while (quiet < kQuietChecks) {
      BusyWait(10);
      if (AnyInput()) break;
      ++quiet;
    }
    if (quiet == kQuietChecks) return;
  }
}

// Idle between looks when nothing else is due: a closing window or a signal still ends the
// wait within this time even if no event comes.
constexpr uint32_t kIdleLookMs = 250;

TWaitResult LiveWaitPress() {
  while (!AnyInput() && !QuitRequested) {
    PumpMessages();
    uint32_t nap = kIdleLookMs;
    if (!MusicKeeperOff) {
      KeepMusicLooping();
      nap = std::min(nap, MsUntilMusicLoops());
    }
    // Asleep until a key, a pad or the window wakes it, or the tune is due to start over.
    platform::WaitInput(nap);
  }
  return CancelPressed() ? wrCancel : wrNone;
}

}  // namespace

void WaitRelease() {
  Watched(WaitKind::Release, 0, [](uint32_t) {
    LiveWaitRelease();
    return wrNone;
  });
}

TWaitResult WaitPress() {
  return Watched(WaitKind::Press, 0, [](uint32_t) { return LiveWaitPress(); });
}

void WaitReleaseThenPress() {
  WaitRelease();
  WaitPress();
}

namespace {

// Escape is also one of the keys AnyInput sees: the abort test comes first, then cancel.
TWaitResult LiveWaitOrKey(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) {
    if (LiveAbortPressed()) return wrQuit;
    if (CancelPressed()) return wrCancel;
    if (AnyInput()) break;
    PumpMessages();
    WaitTurn(ms - elapsed);
  }
  return wrNone;
}

}  // namespace

TWaitResult WaitOrKey(uint32_t ms) { return Watched(WaitKind::OrKey, ms, LiveWaitOrKey); }

void ResetGameInputState() {
  InputDisabled = false;
  QuitRequested = false;
  LastDirections[0] = LastDirections[1] = 0;
  JoystickPollerP1 = JoystickPollerP2 = nullptr;
  JoystickLastDirections[0] = JoystickLastDirections[1] = 0;
  JoystickSwapButtons = false;
  platform::SetPadButtonsSwapped(false);
  PadRumbleOnHit = false;
  KeyTable::ClearKeys();  // twelve empty lists until the settings fill them
  g_watcher = nullptr;
  g_rate = 1;
  g_rateFromSystem = g_rateFromGame = 0;
}
