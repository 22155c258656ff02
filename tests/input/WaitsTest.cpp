// The waits on the virtual clock: busy waits end on the first tick past their time, a
// release needs 50 quiet ms, and WaitOrKey tests abort before cancel before any input.
#include "InputFixture.h"
#include "shell/GameMedia.h"

namespace {

TEST_F(InputTest, BusyWaitsEndOnTheFirstTickPastTheirTime) {
  Start("");
  int64_t t0 = Now();
  EXPECT_EQ(BusyWait(0), 1u);
  EXPECT_EQ(Now() - t0, 1);
  EXPECT_EQ(BusyWait(10), 11u);
  EXPECT_EQ(Now() - t0, 12);
  static int pumps;
  pumps = 0;
  PumpHook = [] { ++pumps; };
  EXPECT_EQ(BusyWaitPumping(4), 5u);
  EXPECT_EQ(pumps, 5);  // one pump per turn
  PumpHook = nullptr;
}

TEST_F(InputTest, WaitReleaseNeedsFiftyQuietMilliseconds) {
  Start("0 down T\n100 up T\n");
  WaitRelease();
  // Released at 100; five checks, each after a BusyWait(10) of 11 ticks.
  EXPECT_EQ(Now(), 155);
}

TEST_F(InputTest, WaitReleaseStartsOverOnATapBetweenChecks) {
  // The space bar goes down and up between two checks: the latched press still counts,
  // for every look within the millisecond it was first seen (133), so the quiet checks
  // start over from 134.
  Start("0 down T\n100 up T\n125 down SPACE\n128 up SPACE\n");
  WaitRelease();
  EXPECT_EQ(Now(), 134 + 55);
}

TEST_F(InputTest, WaitOrKeyAbortComesBeforeCancelBeforeAnyInput) {
  Start(
      "5 down ESC\n6 up ESC\n"
      "1005 down 191\n1006 up 191\n"
      "2005 down T\n2006 up T\n");
  EXPECT_EQ(WaitOrKey(900), wrQuit);  // Escape is also a system key and a cancel
  EXPECT_EQ(Now(), 5);
  At(1000);
  EXPECT_EQ(WaitOrKey(900), wrCancel);  // player 2's second cancel key
  EXPECT_EQ(Now(), 1005);
  At(2000);
  EXPECT_EQ(WaitOrKey(900), wrNone);  // another input ends the wait early
  EXPECT_EQ(Now(), 2005);
  At(3000);
  EXPECT_EQ(WaitOrKey(100), wrNone);  // time out on the first tick past 100 ms
  EXPECT_EQ(Now(), 3101);
}

TEST_F(InputTest, WaitPressSleepsInTenMsTurnsAndReportsCancel) {
  Start("25 down X\n26 up X\n100 down Z\n");
  MusicKeeperOff = true;
  EXPECT_EQ(WaitPress(), wrNone);
  EXPECT_EQ(Now(), 30);  // seen at the first 10 ms turn after the press
  At(31);                // a tap is gone once the clock has moved past its first look
  EXPECT_EQ(WaitPress(), wrCancel);
  EXPECT_EQ(Now(), 101);  // turns at 41, 51, ... 101
  MusicKeeperOff = false;
}

}  // namespace
