// The title screen leaves for the main menu on any key of either player, Space, Enter,
// Escape, F2 or a click on the picture, and on nothing else. F1 opens the help over it.
#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "input/KeyTable.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/Unit1.h"
#include "support/Headless.h"

namespace {

constexpr int64_t kPressAt = 3000;

int64_t g_menuAt = -1;

// Runs the game with one key tapped on the title; returns when the main menu was asked for.
int64_t MenuTimeAfter(const std::string& script, bool click = false) {
  g_menuAt = -1;
  bool settingsInstalled = false;
  testing_support::RunHeadlessGame(script, kPressAt + 1000, 1, [&] {
    settingsInstalled = ApplyStoredSettings != nullptr;
    // The keys of the game as they stand without a settings file, and no joystick assigned.
    LoadKeyLists("", true);
    JoystickPollerP1 = JoystickPollerP2 = nullptr;
    MainMenuConstructor = [](platform::Canvas&) { g_menuAt = platform::headless::Now(); };
    if (click) platform::DeliverMouseUp();
  });
  MainMenuConstructor = nullptr;
  EXPECT_TRUE(settingsInstalled);
  return g_menuAt;
}

std::string Tap(const std::string& key) { return std::to_string(kPressAt) + " tap " + key + "\n"; }

TEST(TitleTest, LeavesOnEveryListedInput) {
  // Player 1's keys, player 2's keys (keypad, arrows, OEM), and the five system keys.
  for (const char* key :
       {"T", "G", "F", "H", "X", "Z", "104", "LEFT", "190", "226", "188", "191", "SPACE", "ENTER", "ESC", "F2"}) {
    SCOPED_TRACE(key);
    int64_t at = MenuTimeAfter(Tap(key));
    EXPECT_GE(at, kPressAt);
    EXPECT_LE(at, kPressAt + 60);  // seen at the next 50 ms tick of the title
  }
}

TEST(TitleTest, LeavesOnAClick) { EXPECT_GE(MenuTimeAfter("", true), 0); }

TEST(TitleTest, StaysOnAnyOtherInput) {
  for (const char* key : {"A", "Q", "1", "TAB", "SHIFT", "CTRL", "F3", "F12", "255", "0x5B"}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(MenuTimeAfter(Tap(key)), -1);
  }
  // An unassigned joystick is no player's input.
  EXPECT_EQ(MenuTimeAfter(std::to_string(kPressAt) + " joy 0 0 0 3\n"), -1);
  // F1 is the help's: the title stays under the help and after it.
  EXPECT_EQ(MenuTimeAfter(Tap("F1") + std::to_string(kPressAt + 300) + " tap ESC\n"), -1);
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#");
}

}  // namespace
