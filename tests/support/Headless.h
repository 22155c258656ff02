// Test support: running the game, or just the platform, on the headless backend in-process.
#pragma once
#include <functional>
#include <string>

#include "app/GameApp.h"

namespace testing_support {

// Starts the headless platform without the game (canvases, clock, scripted keys only).
// The script may be empty; untilMs is the virtual time at which the window closes.
class HeadlessPlatform {
 public:
  explicit HeadlessPlatform(const std::string& script = "", int64_t untilMs = 600000);
  ~HeadlessPlatform();
};

// Runs the whole game headless with a script, from the runtime folder of the build, and
// returns RunGame's exit status. inside runs once the main window exists. The game is the
// Japanese one unless another language is asked for (as --lang does).
int RunHeadlessGame(const std::string& script, int64_t untilMs, uint32_t seed,
                    const std::function<void()>& inside = nullptr, const std::string& language = "ja");

// A fresh empty folder under the test temp dir.
std::string FreshDir(const std::string& name);

}  // namespace testing_support
