// app: one run of the whole game on a chosen backend: the real program, the simulator and
// the scene tests all start the game through here.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Platform.h"

struct GameOptions {
  platform::StartOptions start;
  bool singleInstance = true;  // take the "morvelbramkowin" lock (the real game only)
  std::string dir;             // stands for the executable's folder when not empty
  std::string language;        // --lang: plays this run in it ("ja", "en"), whatever the setting
  bool haveSeed = false;
  uint32_t seed = 0;
  int matchRecord = -1;  // >= 0: skip the title and play a story match against that record
  int matchMap = 1;
  bool versusMatch = false;  // skip the title and play a versus match (two people at the keys)
  std::string replayFile;    // not empty: skip the title and play this replay, then end
  std::string recordFile;    // not empty: the last match's replay is written here at the end
  // Online versus from the command line: hosting on onlinePort, or joining or watching
  // onlineJoin there.
  bool onlineHost = false;
  std::string onlineJoin;
  bool onlineWatch = false;
  uint16_t onlinePort = 7777;
  // Runs once the main window exists and before the message loop (tests use it).
  std::function<void()> afterCreate;
};

// Exit status: 0 normal end, 1 another copy runs or the game failed (also a replay that
// could not be played to its end, or nothing to record), 2 no display.
int RunGame(const GameOptions& options);

// Installs the scenes of the rooms above the shell (main menu, settings, ...) into its hooks.
void AssembleGame();
