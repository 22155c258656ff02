// platform: how the window shows the game: scale mode, windowed size and fullscreen. Read
// from the settings before the window opens, changed by the player at any time (Alt+Enter,
// F11, resizing, the settings dialog), and stored again when the game ends.
#pragma once
#include "platform/Scaling.h"

namespace platform {

struct DisplayPrefs {
  ScaleMode mode = ScaleMode::Integer;
  int windowWidth = 0, windowHeight = 0;  // windowed size; 0: chosen for the desktop
  bool fullscreen = false;
};

// Before Start: how the window opens. While it runs: the mode and fullscreen apply at once.
void SetDisplayPrefs(const DisplayPrefs& prefs);
// What the window is now (its windowed size even while fullscreen).
DisplayPrefs CurrentDisplayPrefs();

}  // namespace platform
