// platform: Windows virtual-key codes <-> physical keys (SDL scancodes).
#pragma once
#include <SDL_scancode.h>

#include <vector>

namespace platform {

// The virtual keys a physical key produces (the specific one first, then the generic one:
// left Shift gives VK_LSHIFT and VK_SHIFT). The keypad depends on NumLock.
std::vector<int> VksForScancode(SDL_Scancode sc, bool numLock);
// The physical key that produces vk (NumLock on for the keypad); SDL_SCANCODE_UNKNOWN if none.
SDL_Scancode ScancodeForVk(int vk);

}  // namespace platform
