// platform: the table of virtual-key codes the game can meet and their physical keys.
#include "platform/VkMap.h"

#include <SDL_keyboard.h>

#include "platform/Input.h"
#include "platform/Translate.h"

namespace platform {

namespace {

struct Entry {
  SDL_Scancode sc;
  int vk;
};

// Keys whose code does not depend on NumLock.
constexpr Entry kFixed[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_PAUSE, 0x13},
    {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},
    {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},
    {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_LSHIFT, 0xA0},
    {SDL_SCANCODE_RSHIFT, 0xA1},
    {SDL_SCANCODE_LCTRL, 0xA2},
    {SDL_SCANCODE_RCTRL, 0xA3},
    {SDL_SCANCODE_LALT, 0xA4},
    {SDL_SCANCODE_RALT, 0xA5},
    {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
    // The extra key of ISO keyboards, and the "ro" key of Japanese ones in the same code.
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {SDL_SCANCODE_INTERNATIONAL1, 0xE2},
    // The yen key of Japanese keyboards and the key left of Enter on ISO ones.
    {SDL_SCANCODE_INTERNATIONAL3, 0xDC},
    {SDL_SCANCODE_NONUSHASH, 0xDC},
    {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
};

// Letters follow the keyboard layout, as the system's key codes do (an AZERTY "A" is VK
// 'A'); a letter place whose layout has no Latin letter there (Cyrillic layouts, no video
// driver) keeps its US letter.
int LayoutLetter(SDL_Scancode sc) {
  SDL_Keycode k = SDL_GetKeyFromScancode(sc);
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + static_cast<int>(k - SDLK_a);
  return 0;
}

SDL_Scancode LetterScancode(int vk) {
  SDL_Scancode sc = SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(SDLK_a + (vk - 'A')));
  if (sc != SDL_SCANCODE_UNKNOWN && LayoutLetter(sc) == vk) return sc;
  return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - 'A'));
}

// Keypad keys: code with NumLock on, code with NumLock off.
struct KeypadEntry {
  SDL_Scancode sc;
  int on, off;
};
constexpr KeypadEntry kKeypad[] = {
    {SDL_SCANCODE_KP_0, 0x60, 0x2D}, {SDL_SCANCODE_KP_1, 0x61, 0x23},      {SDL_SCANCODE_KP_2, 0x62, 0x28},
    {SDL_SCANCODE_KP_3, 0x63, 0x22}, {SDL_SCANCODE_KP_4, 0x64, 0x25},      {SDL_SCANCODE_KP_5, 0x65, 0x0C},
    {SDL_SCANCODE_KP_6, 0x66, 0x27}, {SDL_SCANCODE_KP_7, 0x67, 0x24},      {SDL_SCANCODE_KP_8, 0x68, 0x26},
    {SDL_SCANCODE_KP_9, 0x69, 0x21}, {SDL_SCANCODE_KP_PERIOD, 0x6E, 0x2E},
};

int GenericOf(int vk) {
  switch (vk) {
    case 0xA0:
    case 0xA1: return 0x10;
    case 0xA2:
    case 0xA3: return 0x11;
    case 0xA4:
    case 0xA5: return 0x12;
    default: return 0;
  }
}

}  // namespace

std::vector<int> VksForScancode(SDL_Scancode sc, bool numLock) {
  if (int letter = LayoutLetter(sc)) return {letter};
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return {'A' + (sc - SDL_SCANCODE_A)};
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return {'1' + (sc - SDL_SCANCODE_1)};
  if (sc == SDL_SCANCODE_0) return {'0'};
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return {0x70 + (sc - SDL_SCANCODE_F1)};
  for (const auto& k : kKeypad)
    if (k.sc == sc) return {numLock ? k.on : k.off};
  for (const auto& e : kFixed) {
    if (e.sc != sc) continue;
    int g = GenericOf(e.vk);
    if (g) return {e.vk, g};
    return {e.vk};
  }
  return {};
}

SDL_Scancode ScancodeForVk(int vk) {
  if (vk >= 'A' && vk <= 'Z') return LetterScancode(vk);
  if (vk >= '1' && vk <= '9') return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - '1'));
  if (vk == '0') return SDL_SCANCODE_0;
  if (vk >= 0x70 && vk <= 0x7B) return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vk - 0x70));
  for (const auto& k : kKeypad)
    if (k.on == vk) return k.sc;
  for (const auto& e : kFixed)
    if (e.vk == vk) return e.sc;
  switch (vk) {
    case 0x10: return SDL_SCANCODE_LSHIFT;
    case 0x11: return SDL_SCANCODE_LCTRL;
    case 0x12: return SDL_SCANCODE_LALT;
    case 0x0C: return SDL_SCANCODE_KP_5;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}

std::string KeyName(int vk) {
  if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk));
  SDL_Scancode sc = ScancodeForVk(vk);
  if (sc == SDL_SCANCODE_UNKNOWN) return {};
  // The layout's name where the system knows one ("ù" on a French keyboard), else the US one.
  const char* n = nullptr;
  if (SDL_Keycode k = SDL_GetKeyFromScancode(sc); k != SDLK_UNKNOWN) n = SDL_GetKeyName(k);
  if (!n || !*n) n = SDL_GetScancodeName(sc);
  if (n && *n) return n;
  // Keys of ISO and Japanese keyboards that the system leaves unnamed.
  switch (sc) {
    case SDL_SCANCODE_NONUSBACKSLASH: return "\\ (ISO)";
    case SDL_SCANCODE_INTERNATIONAL1: return Tr("\\ (ろ)");
    case SDL_SCANCODE_INTERNATIONAL3: return "¥";
    default: return "";
  }
}

}  // namespace platform
