// The game input component on the fake joystick and the scripted keyboard: thresholds,
// absent and unplugged sticks, the pollers' single-direction rule and mode changes.
#include "InputFixture.h"
#include "input/Ginput.h"

namespace {

using platform::headless::SetJoystick;

// The fake stick reports axes 0..65535: the thresholds are 21845 and 43690 on both axes.
TEST_F(InputTest, JoystickThresholdsAreExclusive) {
  Start("");
  SetJoystick(0, true);
  TJoyStick stick(0);
  stick.AutoUpdate = true;
  struct Case {
    unsigned x, y, buttons;
    bool left, up, right, down, b1, b2;
  } cases[] = {
      {21845, 21845, 0, false, false, false, false, false, false},  // on the threshold: not pressed
      {21844, 21844, 0, true, true, false, false, false, false},
      {43690, 43690, 0, false, false, false, false, false, false},
      {43691, 43691, 0, false, false, true, true, false, false},
      {0, 65535, 1, true, false, false, true, true, false},
      {65535, 0, 2, false, true, true, false, false, true},
  };
  for (const auto& c : cases) {
    SetJoystick(0, true, c.x, c.y, c.buttons);
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(stick.GetState(kidLeft), c.left);
    EXPECT_EQ(stick.GetState(kidUp), c.up);
    EXPECT_EQ(stick.GetState(kidRight), c.right);
    EXPECT_EQ(stick.GetState(kidDown), c.down);
    EXPECT_EQ(stick.GetState(kidButton1), c.b1);
    EXPECT_EQ(stick.GetState(kidButton2), c.b2);
    EXPECT_FALSE(stick.GetState(6));
  }
}

TEST_F(InputTest, AbsentJoystickIsRetriedAndUnpluggedOneReadsReleased) {
  Start("");
  TJoyStick stick(1);
  stick.AutoUpdate = true;
  EXPECT_FALSE(stick.Update());
  EXPECT_FALSE(stick.Initialized);
  for (int id = 0; id < 6; ++id) EXPECT_FALSE(stick.GetState(id));
  // Plugged in later: the next read queries the capabilities again.
  SetJoystick(1, true, 0, 32767, 3);
  EXPECT_TRUE(stick.GetState(kidLeft));
  EXPECT_TRUE(stick.Initialized);
  EXPECT_TRUE(stick.GetState(kidButton2));
  // Unplugged while held: nothing stays pressed, no error.
  SetJoystick(1, false);
  EXPECT_FALSE(stick.Update());
  for (int id = 0; id < 6; ++id) EXPECT_FALSE(stick.GetState(id));
  // Auto-update off: the state changes only at Update.
  SetJoystick(1, true, 65535, 32767, 0);
  stick.AutoUpdate = false;
  EXPECT_FALSE(stick.GetState(kidRight));
  EXPECT_TRUE(stick.Update());
  EXPECT_TRUE(stick.GetState(kidRight));
}

TEST_F(InputTest, JoystickPollerLetsTheJoiningDirectionWin) {
  Start("");
  TGameInput input;
  input.SetInputMode(imJoyStick2);
  JoystickInput = &input;
  const unsigned mid = 32767, lo = 0, hi = 65535;
  SetJoystick(1, true, mid, hi);
  EXPECT_EQ(JoystickPoller2(), ibDown);
  SetJoystick(1, true, hi, hi);
  EXPECT_EQ(JoystickPoller2(), ibRight);  // right joins held down
  SetJoystick(1, true, hi, mid, 1);
  EXPECT_EQ(JoystickPoller2(), ibRight | ibDecide);  // now the last single direction
  SetJoystick(1, true, lo, lo, 2);
  EXPECT_EQ(JoystickPoller2(), ibUp | ibLeft | ibCancel);  // neither was the last one
  SetJoystick(1, true, mid, mid);
  EXPECT_EQ(JoystickPoller2(), 0);
  SetJoystick(1, true, hi, hi);
  EXPECT_EQ(JoystickPoller2(), ibDown | ibRight);  // both from nothing
  // Joystick 1 keeps its own last direction and the component follows each poller.
  SetJoystick(0, true, lo, mid);
  EXPECT_EQ(JoystickPoller1(), ibLeft);
  EXPECT_EQ(input.InputMode(), imJoyStick1);
  EXPECT_EQ(JoystickLastDirections[1], 0);  // a diagonal never becomes the last direction
  // Swapped buttons: the second one decides, the first cancels.
  JoystickSwapButtons = true;
  SetJoystick(0, true, mid, mid, 1);
  EXPECT_EQ(JoystickPoller1(), ibCancel);
  SetJoystick(0, true, mid, mid, 2);
  EXPECT_EQ(JoystickPoller1(), ibDecide);
  JoystickSwapButtons = false;
  JoystickInput = nullptr;
  EXPECT_EQ(JoystickPoller1(), 0);
}

TEST_F(InputTest, SetInputModeKeepsTheStickOrCarriesAutoUpdateOver) {
  Start("10 down LEFT\n10 down RIGHT\n20 up LEFT\n20 up RIGHT\n");
  TGameInput input;
  EXPECT_EQ(input.InputMode(), imKeyBoard);
  EXPECT_TRUE(input.GetAutoUpdate());
  ASSERT_NE(input.GetKeyStick(), nullptr);
  input.SetAutoUpdate(false);
  At(10);
  EXPECT_FALSE(input.GetIsXX(kidLeft));  // nothing latched yet
  input.Update();
  At(20);
  // The same mode keeps the stick and the states it latched at 10.
  TCustomStick* before = input.Stick();
  input.SetInputMode(imKeyBoard);
  EXPECT_EQ(input.Stick(), before);
  EXPECT_TRUE(input.GetIsXX(kidLeft));
  EXPECT_TRUE(input.GetIsXX(kidRight));
  EXPECT_EQ(input.GetLeftRight(), 0);  // both held cancel out
  input.Update();
  EXPECT_FALSE(input.GetIsXX(kidLeft));
  // A change of mode makes a new stick with the flag carried over.
  input.SetInputMode(imJoyStick1);
  EXPECT_EQ(input.GetKeyStick(), nullptr);
  EXPECT_FALSE(input.GetAutoUpdate());
  input.SetAutoUpdate(true);
  input.SetInputMode(imKeyLeft);
  EXPECT_TRUE(input.GetAutoUpdate());
  ASSERT_NE(input.GetKeyStick(), nullptr);
  EXPECT_EQ(input.GetKeyStick()->KeyList[kidLeft].Keys[0], 83);
  EXPECT_EQ(input.GetKeyStick()->KeyList[kidLeft].Keys[1], 0);
}

}  // namespace
