// shell: input polling, waits and tick-count timing.
#include "shell/Game.h"

#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "settings/Ginput.h"
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

bool AbortPressed() {
  if (Inactive()) return false;
  return platform::KeyDown(VK_ESCAPE_KEY) || QuitRequested;
}

bool KeyIsDown(int vk) {
  if (Inactive()) return false;
  return platform::KeyDown(vk);
}

uint32_t TickCount() { return platform::TickCount(); }

void PumpMessages() {
  if (PumpHook) PumpHook();
}

// The loop runs while ms >= elapsed: a wait of ms ends on the first tick past it, and
// BusyWait(0) at the first tick change. A turn may give up the processor only while the end
// is still more than a tick away (platform::SpinTurn), so it ends on the same tick.
uint32_t BusyWait(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) platform::SpinTurn(ms - elapsed);
  return elapsed;
}

uint32_t BusyWaitPumping(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) {
    PumpMessages();
    platform::SpinTurn(ms - elapsed);
  }
  return elapsed;
}

// Five quiet checks 10 ms apart in a row: at least 50 ms without any input.
void WaitRelease() {
  for (;;) {
    PumpMessages();
    // A closing window ends every wait, also one on a key that is never let go.
    if (QuitRequested) return;
    if (AnyInput()) {
      platform::SpinTurn(0);  // start over at once; only the clock must move on
      continue;
    }
    int quiet = 0;
    while (quiet < 5) {
      BusyWait(10);
      if (AnyInput()) break;
      ++quiet;
    }
    if (quiet == 5) return;
  }
}

TWaitResult WaitPress() {
  while (!AnyInput() && !QuitRequested) {
    PumpMessages();
    if (!MusicKeeperOff) KeepMusicLooping();
    platform::SleepMs(10);
  }
  return CancelPressed() ? wrCancel : wrNone;
}

void WaitReleaseThenPress() {
  WaitRelease();
  WaitPress();
}

// Escape is also one of the keys AnyInput sees: the abort test comes first, then cancel.
TWaitResult WaitOrKey(uint32_t ms) {
  uint32_t start = TickCount();
  uint32_t elapsed;
  while (ms >= (elapsed = TickCount() - start)) {
    if (AbortPressed()) return wrQuit;
    if (CancelPressed()) return wrCancel;
    if (AnyInput()) break;
    PumpMessages();
    platform::SpinTurn(ms - elapsed);
  }
  return wrNone;
}

void ResetGameInputState() {
  InputDisabled = false;
  QuitRequested = false;
  LastDirections[0] = LastDirections[1] = 0;
  JoystickPollerP1 = JoystickPollerP2 = nullptr;
  JoystickLastDirections[0] = JoystickLastDirections[1] = 0;
  JoystickSwapButtons = false;
  PadRumbleOnHit = false;
  KeyTable::ClearKeys();  // twelve empty lists until the settings fill them
}
