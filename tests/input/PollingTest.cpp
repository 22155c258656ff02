// Polling of both players: the single-direction rule, buttons, the system keys, focus and
// the settings dialog's silence.
#include "InputFixture.h"
#include "input/Ginput.h"
#include "input/KeyTable.h"

namespace {

TEST_F(InputTest, SecondDirectionReplacesTheHeldOneAndKeepsItAfterRelease) {
  Start(
      "10 down T\n20 down F\n30 up T\n40 up F\n"
      "50 down UP\n60 down LEFT\n");
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibUp);
  At(20);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibLeft);  // up is held, left joins: left wins
  At(30);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibLeft);
  At(40);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
  // Player 2 keeps a last direction of its own: up then left on the arrows.
  At(50);
  EXPECT_EQ(ReadPlayerInput(piPlayer2), ibUp);
  At(60);
  EXPECT_EQ(ReadPlayerInput(piPlayer2), ibLeft);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
}

TEST_F(InputTest, TwoDirectionsFromRestMakeADiagonal) {
  Start("10 down T\n10 down F\n20 up T\n20 up F\n30 down 104\n30 down 102\n");
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibUp | ibLeft);
  At(30);
  EXPECT_EQ(ReadPlayerInput(piBoth), ibUp | ibRight);  // keypad 8 and 6 of player 2
}

TEST_F(InputTest, TwoKeysOfOneDirectionCountAsTwo) {
  // G, V and B are all "down" for player 1.
  Start("10 down G\n20 down V\n30 up G\n30 up V\n40 down B\n40 down V\n");
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibDown);
  At(20);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);  // two keys: down minus the last single direction
  At(30);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
  At(40);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibDown);  // from rest the last direction is 0
}

TEST_F(InputTest, ButtonsAndPlayers) {
  Start("10 down X\n20 up X\n20 down Z\n30 up Z\n30 down ENTER\n40 up ENTER\n40 down 188\n");
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibDecide);
  EXPECT_EQ(ReadPlayerInput(piPlayer2), 0);
  At(20);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibCancel);
  EXPECT_TRUE(CancelPressed());
  EXPECT_FALSE(AbortPressed());
  At(30);
  EXPECT_EQ(ReadPlayerInput(piPlayer2), ibDecide);
  EXPECT_EQ(ReadPlayerInput(piBoth), ibDecide);
  At(40);
  EXPECT_EQ(ReadPlayerInput(piPlayer2), ibCancel);
  // No key slot serves an unknown player: every bit.
  EXPECT_EQ(ReadPlayerInput(3), -1);
}

TEST_F(InputTest, TheFiveSystemKeysAndNothingElseCountOnTheirOwn) {
  Start(
      "10 down SPACE\n11 up SPACE\n20 down F2\n21 up F2\n30 down F1\n31 up F1\n"
      "40 down A\n41 up A\n50 down F3\n51 up F3\n60 down ESC\n");
  At(10);
  EXPECT_TRUE(AnyInput());
  EXPECT_EQ(ReadPlayerInput(piBoth), 0);
  At(20);
  EXPECT_TRUE(AnyInput());
  At(30);
  EXPECT_TRUE(AnyInput());
  At(40);
  EXPECT_FALSE(AnyInput());
  At(50);
  EXPECT_FALSE(AnyInput());
  At(60);
  EXPECT_TRUE(AnyInput());
  EXPECT_TRUE(CancelPressed());
  EXPECT_TRUE(AbortPressed());
  EXPECT_TRUE(KeyIsDown(0x1B));
}

TEST_F(InputTest, SettingsDialogSilencesEverything) {
  Start("10 down T\n10 down SPACE\n10 down ESC\n");
  At(10);
  InputDisabled = true;
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
  EXPECT_EQ(ReadPlayerInput(3), 0);
  EXPECT_FALSE(AnyInput());
  EXPECT_FALSE(CancelPressed());
  EXPECT_FALSE(AbortPressed());
  EXPECT_FALSE(KeyIsDown(0x1B));
  QuitRequested = true;
  EXPECT_FALSE(CancelPressed());
  InputDisabled = false;
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibUp);
  EXPECT_TRUE(AnyInput());
  EXPECT_TRUE(CancelPressed());
}

TEST_F(InputTest, CodesNoKeyProducesAreKeptButNeverDown) {
  Start("10 down 255\n10 down 1000\n");
  for (int code : {0, 255, 1000, -7}) KeyTable::AddKey(0, kfUp, code);
  EXPECT_EQ(KeyTable::KeyCount(0, kfUp), 5);
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
  EXPECT_FALSE(AnyInput());
  EXPECT_FALSE(KeyIsDown(255));
}

TEST_F(InputTest, LosingFocusReleasesKeysAndJoysticks) {
  Start("5 joy 0 100 32767 1\n10 down T\n20 focus off\n30 focus on\n");
  TGameInput input;
  input.SetInputMode(imJoyStick1);
  input.SetAutoUpdate(true);
  JoystickInput = &input;
  JoystickPollerP1 = JoystickPoller1;
  At(10);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibUp | ibLeft | ibDecide);  // keyboard up, stick left
  At(20);
  EXPECT_EQ(ReadPlayerInput(piPlayer1), 0);
  EXPECT_FALSE(AnyInput());
  At(30);
  // The key was let go with the focus; the stick is still held.
  EXPECT_EQ(ReadPlayerInput(piPlayer1), ibLeft | ibDecide);
  JoystickInput = nullptr;
}

}  // namespace
