// Key state on the headless backend: held keys, taps shorter than a poll, focus.
#include <gtest/gtest.h>

#include "platform/Input.h"
#include "platform/KeyLatch.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "support/Headless.h"

namespace {
void AdvanceTo(uint32_t ms) {
  while (platform::TickCount() < ms) platform::SpinTurn(ms - platform::TickCount());
}
}  // namespace

TEST(Keys, ATapBetweenTwoPollsReadsAsDownForEveryReadOfThatMillisecond) {
  testing_support::HeadlessPlatform headless("100 down ESC\n100 up ESC\n");
  AdvanceTo(105);
  EXPECT_TRUE(platform::KeyDown(0x1B));
  EXPECT_TRUE(platform::KeyDown(0x1B)) << "a second look in the same check lost the tap";
  platform::SpinTurn(5);
  EXPECT_FALSE(platform::KeyDown(0x1B)) << "the tap was seen again a millisecond later";
}

TEST(Keys, AHeldKeyIsDownUntilReleasedAndLosingFocusReleasesEverything) {
  testing_support::HeadlessPlatform headless("10 down A\n50 up A\n60 down B\n80 focus off\n90 focus on\n");
  AdvanceTo(20);
  EXPECT_TRUE(platform::KeyDown('A'));
  AdvanceTo(30);
  EXPECT_TRUE(platform::KeyDown('A'));
  AdvanceTo(55);
  EXPECT_FALSE(platform::KeyDown('A'));
  AdvanceTo(70);
  EXPECT_TRUE(platform::KeyDown('B'));
  AdvanceTo(85);
  EXPECT_FALSE(platform::KeyDown('B'));
  AdvanceTo(95);
  EXPECT_FALSE(platform::KeyDown('B')) << "a key held when the focus went must stay released";
  for (int code : {0, 255, 1000, -3}) EXPECT_FALSE(platform::KeyDown(code));
}

// The latch forgets what nobody read in time and what a new screen or a closed window must
// not see; held keys keep their state.
TEST(Keys, UnreadTapsAreForgottenAndAClosedWindowKeepsItsKeys) {
  platform::KeyLatch keys;
  constexpr uint32_t kMemory = platform::KeyLatch::kTapMemoryMs;
  keys.Down('A');
  keys.Up('A', 1000);
  EXPECT_TRUE(keys.Read('A', 1000 + kMemory)) << "a tap read in time was lost";
  keys.Down('B');
  keys.Up('B', 1000);
  EXPECT_FALSE(keys.Read('B', 1001 + kMemory)) << "a tap nobody read in time acted later";
  EXPECT_FALSE(keys.Read('B', 1000)) << "the forgotten tap came back";

  keys.Down('C');
  keys.Up('C', 2000);
  keys.Down('D');  // held across the drop
  keys.DropPending();
  EXPECT_FALSE(keys.Read('C', 2001));
  EXPECT_TRUE(keys.Read('D', 2001));

  // A window closes with D still held and E tapped under it: neither is the game's, until D
  // is let go and pressed again.
  keys.Down('E');
  keys.Up('E', 3000);
  keys.SwallowHeld();
  EXPECT_FALSE(keys.Read('D', 3001));
  EXPECT_FALSE(keys.Read('E', 3001));
  EXPECT_TRUE(keys.IsHeld('D'));
  keys.Up('D', 3100);
  keys.Down('D');
  EXPECT_TRUE(keys.Read('D', 3200));
}

// A screen stepped by the timer under the help reads no key, not even one held since before;
// once the help is closed by Escape, the held key and Escape stay the help's until let go.
TEST(Keys, NothingIsReadUnderAModalWindowNorAfterItFromItsKeys) {
  testing_support::HeadlessPlatform headless("50 down H\n300 down ESC\n400 up ESC\n500 up H\n600 down H\n");
  int readsUnderHelp = 0, seenUnderHelp = 0;
  platform::WindowHandlers h;
  h.onTimer = [&] {
    ++readsUnderHelp;
    seenUnderHelp += platform::KeyDown('H') + platform::KeyDown(0x1B);
  };
  platform::SetWindowHandlers(h);
  platform::SetTimerInterval(20);
  platform::SetTimerEnabled(true);
  AdvanceTo(100);
  EXPECT_TRUE(platform::KeyDown('H'));
  platform::ShowHelp("BRAMKO.HLP", "");
  platform::SetTimerEnabled(false);
  EXPECT_EQ(platform::TickCount(), 300u) << "Escape did not close the help";
  EXPECT_GT(readsUnderHelp, 5) << "the timer stopped under the help";
  EXPECT_EQ(seenUnderHelp, 0);
  EXPECT_FALSE(platform::InputHeld());
  AdvanceTo(350);
  EXPECT_FALSE(platform::KeyDown('H'));
  EXPECT_FALSE(platform::KeyDown(0x1B));
  AdvanceTo(650);
  EXPECT_TRUE(platform::KeyDown('H')) << "a new press after the help was lost";
}
