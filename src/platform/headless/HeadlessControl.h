// platform/headless: what tests may do to the headless backend besides its script.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessScript.h"

namespace platform::headless {

// Adds an event to the running script (its time may be now or later).
void Inject(const ScriptEvent& event);
// Sets the fake joystick id (0 or 1); absent until set, and again after present = false.
void SetJoystick(int id, bool present, unsigned x = 32767, unsigned y = 32767, unsigned buttons = 0);
// Runs before a modal dialog is answered with Cancel, while it is up: a test may build a
// frame of the ImGui layer on a window of its own there to draw it. None by default.
void SetModalLook(std::function<void()> look);
// Every message box shown in the latest run, as "caption: text".
const std::vector<std::string>& Messages();
// Every time the help viewer was open in the latest run: its keyword and the virtual times
// it opened and closed (closedMs -1 while it is still open).
struct HelpVisit {
  std::string file, keyword;
  int64_t openedMs = 0, closedMs = -1;
};
const std::vector<HelpVisit>& HelpVisits();
// Every rumble asked of a present fake joystick so far.
struct Rumble {
  int64_t at = 0;  // virtual time
  int id = 0;
  unsigned strength = 0, ms = 0;
};
const std::vector<Rumble>& Rumbles();
// Virtual time in ms since the backend started (after it stopped: where it ended).
int64_t Now();

}  // namespace platform::headless
