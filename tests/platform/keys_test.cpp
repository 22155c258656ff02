// Key state on the headless backend: held keys, taps shorter than a poll, focus.
#include <gtest/gtest.h>

#include "platform/Input.h"
#include "platform/Platform.h"
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
