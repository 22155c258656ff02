// platform: keyboard state by Windows virtual-key code, key names, and joysticks (game
// controllers included: see JoyGetPos).
// The game keeps Windows virtual-key codes everywhere (the settings file stores them).
#pragma once
#include <string>

namespace platform {

// Current down state of a key, after pumping pending events. A key that went down and up
// since the last read of it reads as down once, if that read comes soon (KeyLatch). Codes
// no key produces (0, 255 and above, negative) are never down. Nothing is down while the
// window does not have the focus, nor while the input is held (below).
bool KeyDown(int vk);
// True while a modal window (message box, dialog, the help viewer) or an open menu has the
// input: no game screen may read keys or joysticks then.
bool InputHeld();
// Forgets every key press nobody has read yet: a new scene or round starts with none.
void DropPendingPresses();
// Name of the key for the key dialog; empty for a code with no physical key.
std::string KeyName(int vk);

struct JoyCaps {
  unsigned xMin = 0, xMax = 65535, yMin = 0, yMax = 65535;
  unsigned buttons = 0;
};
struct JoyPos {
  unsigned x = 32767, y = 32767;
  unsigned buttons = 0;  // bit 0: first button, bit 1: second button
};
// Joystick 0 and 1 are the first and second device plugged in; one pulled out and plugged
// in again keeps its number. Axes span 0..65535, bits 0 and 1 are its first two buttons. A
// game controller reports its left stick, with the D-pad as a full deflection, its south
// button as bit 0 and its east button as bit 1; its Start button reads as the Escape key.
// False when it is absent or unplugged (asked again every call).
bool JoyGetDevCaps(int id, JoyCaps& caps);
bool JoyGetPos(int id, JoyPos& pos);
// True when the last press of Escape was a pad's Start, not the key.
bool EscapeFromPad();
// The device's own name for the settings dialog; empty when none is plugged in.
std::string JoyName(int id);
// Shakes the device at strength 0..65535 for ms milliseconds, where it has a motor.
void JoyRumble(int id, unsigned strength, unsigned ms);
// Which of a controller's south and east buttons decides in the game's own windows (message
// boxes, dialogs, the help): by default south decides and east cancels, as in the game.
void SetPadButtonsSwapped(bool swapped);
// Adds the controller mappings of a file in SDL's "gamecontrollerdb.txt" form, if it exists.
void AddPadMappings(const std::string& file);

}  // namespace platform
