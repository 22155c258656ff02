// platform/headless: the timed input script of the simulator and the tests.
// One event per line, times in virtual milliseconds since start, "#" starts a comment:
//   <ms> down <VK>        <ms> up <VK>        <ms> tap <VK>  (down, up 60 ms later)
//   <ms> shot <file.png>  <ms> focus on|off   <ms> close
//   <ms> menu <menu>/<item>   <ms> expose   <ms> joy <id> <x> <y> <buttons> | <ms> joy <id> off
// A VK is a number (decimal or 0x hex) or a name: A-Z, 0-9, F1-F12, SPACE, ENTER, ESC,
// LEFT, UP, RIGHT, DOWN, TAB, SHIFT, CTRL, ALT. The help viewer, once open, takes the keys
// until ESC goes down, as the real one does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

struct ScriptEvent {
  int64_t ms = 0;
  std::string kind;  // down, up, shot, focus, close, menu, expose, joy
  int vk = 0;
  std::string arg;  // file, "on"/"off", menu path, joystick values
};

// Parses a script; on a bad line returns false with the line number and reason in *error.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error);
int ParseVk(const std::string& word);

}  // namespace platform::headless
