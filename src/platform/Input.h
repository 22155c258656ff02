// platform: keyboard state by Windows virtual-key code, key names, and joysticks.
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
// Joystick 0 and 1 are the first and second stick present; axes span 0..65535, bits 0 and 1
// are its first two buttons. False when it is absent or unplugged (asked again every call).
bool JoyGetDevCaps(int id, JoyCaps& caps);
bool JoyGetPos(int id, JoyPos& pos);

}  // namespace platform
