// Test kit of the menu suite: scripted runs of the whole game from the title, with the
// progress file in a fresh folder, and the way there from the title to a menu item.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "screens/Vsmode.h"
#include "chapters/Mainmenu.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

struct MenuRun {
  int status = -1;
  int64_t endedAt = 0;  // virtual time when the game ended
  std::string dir;      // the folder of the progress file
};

// Default keys: player 1 T/G up/down, F/H left/right, X select, Z cancel; player 2 the
// arrows, Enter select. Enter at 500 leaves the title.
inline MenuRun RunFromTitle(const std::string& script, int64_t untilMs, const std::function<void()>& inside = nullptr,
                            const std::string& dirName = "menu") {
  MenuRun run;
  run.dir = testing_support::FreshDir(dirName) + "/";
  run.status = testing_support::RunHeadlessGame("500 tap ENTER\n" + script, untilMs, 1, [&] {
    LoadKeyLists("", true);
    platform::SetExecutableDir(run.dir);
    if (inside) inside();
  });
  run.endedAt = platform::headless::Now();
  // Whatever scene was on screen when the window closed.
  delete CurrentMapScene;
  delete CurrentVersus;
  JourneyConstructor = ExtrasMenuConstructor = nullptr;
  return run;
}

// Taps of one key from a time on, 300 ms apart.
inline std::string Taps(const std::string& key, int from, int count = 1) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::to_string(from + 300 * i) + " tap " + key + "\n";
  return s;
}
