// shell: the hit pulse on the pads that serve a player.
#include "shell/PadRumble.h"

#include "platform/Input.h"
#include "input/Ginput.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

bool PadRumbleOnHit = false;

namespace {

// Felt at once and gone before the hit flash is: a hit comes at most every few frames.
constexpr unsigned kPulseStrength = 0xC000;
constexpr unsigned kPulseMs = 150;

void Pulse(JoystickPoller poller) {
  if (poller == JoystickPoller1) platform::JoyRumble(0, kPulseStrength, kPulseMs);
  if (poller == JoystickPoller2) platform::JoyRumble(1, kPulseStrength, kPulseMs);
}

}  // namespace

void PulsePlayerPads(int player) {
  if (!PadRumbleOnHit || EffectsSilenced) return;
  // The same pads ReadPlayerInput adds to that player's bits.
  if (player == piPlayer1 || player == piBoth) Pulse(JoystickPollerP1);
  if (player == piPlayer2 || player == piBoth) Pulse(JoystickPollerP2);
}
