// platform (headless): what tests may do to the headless backend besides its script.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/HeadlessScript.h"

namespace platform::headless {

// Adds an event to the running script (its time may be now or later).
void Inject(const ScriptEvent& event);
// Sets the fake joystick id (0 or 1); absent until set, and again after present = false.
void SetJoystick(int id, bool present, unsigned x = 32767, unsigned y = 32767, unsigned buttons = 0);
// Every message box shown in the latest run, as "caption: text".
const std::vector<std::string>& Messages();
// Every time the help viewer was open in the latest run: its keyword and the virtual times
// it opened and closed (closedMs -1 while it is still open).
struct HelpVisit {
  std::string keyword;
  int64_t openedMs = 0, closedMs = -1;
};
const std::vector<HelpVisit>& HelpVisits();
// Virtual time in ms since the backend started (after it stopped: where it ended).
int64_t Now();

}  // namespace platform::headless
