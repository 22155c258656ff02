// The pads on the real SDL backend: joystick numbers across unplugging and plugging in, the
// controller's D-pad, stick and buttons, Start as Escape, the plain-joystick path, rumble,
// mappings from a file beside the settings, and the device names the settings dialog shows.
#include <gtest/gtest.h>

#include <fstream>

#include "support/VirtualPad.h"
#include "platform/Dialogs.h"
#include "platform/files/Files.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "settings/Custom.h"
#include "settings/SettingsFile.h"
#include "shell/Game.h"
#include "support/Headless.h"

namespace {

constexpr int kEscape = 0x1B;

class PadDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(StartSdlPlatform(&error)) << error;
    ResetGameInputState();
  }
  void TearDown() override {
    platform::SetExecutableDir("");
    ResetGameInputState();
    platform::Stop();
  }
  static platform::JoyPos Pos(int id) {
    platform::JoyPos p;
    EXPECT_TRUE(platform::JoyGetPos(id, p)) << id;
    return p;
  }
};

TEST_F(PadDevice, EachPadKeepsItsNumberAcrossUnpluggingAndTheDialogNamesIt) {
  platform::SetExecutableDir(testing_support::FreshDir("pad-names") + "/");
  VirtualPad a("Bramko Pad A"), b("Bramko Pad B");
  platform::Service();
  TForm2 form;
  EXPECT_EQ(form.JoystickDevice(0), "Bramko Pad A");
  EXPECT_EQ(form.JoystickDevice(1), "Bramko Pad B");

  // Pulled out: absent at once, before its removal event is even handled.
  b.Unplug();
  platform::JoyPos p;
  EXPECT_FALSE(platform::JoyGetPos(1, p));
  platform::Service();
  EXPECT_EQ(form.JoystickDevice(1), "（未接続）");
  a.Unplug();
  platform::Service();
  // Plugged in again in the other order, each comes back to its own number.
  b.Plug();
  platform::Service();
  EXPECT_EQ(platform::JoyName(0), "");
  EXPECT_EQ(platform::JoyName(1), "Bramko Pad B");
  a.Plug();
  platform::Service();
  EXPECT_EQ(platform::JoyName(0), "Bramko Pad A");
  // A third device waits; the two in play keep their numbers.
  VirtualPad c("Bramko Pad C");
  platform::Service();
  EXPECT_EQ(platform::JoyName(0), "Bramko Pad A");
  EXPECT_EQ(platform::JoyName(1), "Bramko Pad B");
}

TEST_F(PadDevice, DpadStickAndFaceButtonsReadAsTheJoysticksAxesAndButtons) {
  VirtualPad pad("Bramko Pad");
  platform::Service();
  platform::JoyPos p = Pos(0);
  EXPECT_EQ(p.x, 32768u);  // at rest: the middle of 0..65535
  EXPECT_EQ(p.buttons, 0u);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  platform::SleepMs(2);
  p = Pos(0);
  EXPECT_EQ(p.x, 12768u);
  EXPECT_EQ(p.y, 65535u);
  // The D-pad wins over the stick with a full deflection.
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  platform::SleepMs(2);
  p = Pos(0);
  EXPECT_EQ(p.x, 65535u);
  EXPECT_EQ(p.y, 0u);
  EXPECT_EQ(p.buttons, 2u);  // east is the second button
  pad.Button(SDL_CONTROLLER_BUTTON_B, false);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  pad.Button(SDL_CONTROLLER_BUTTON_X, true);  // no part of the game's input
  platform::SleepMs(2);
  EXPECT_EQ(Pos(0).buttons, 1u);  // south is the first

  platform::JoyRumble(0, 0xC000, 100);
  EXPECT_EQ(pad.rumbles, 1);
  platform::JoyRumble(1, 0xC000, 100);  // nothing there
  EXPECT_EQ(pad.rumbles, 1);
}

TEST_F(PadDevice, StartIsEscapeUntilLetGoOrPulledOut) {
  VirtualPad pad("Bramko Pad");
  platform::Service();
  EXPECT_FALSE(platform::KeyDown(kEscape));
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  platform::SleepMs(2);
  EXPECT_TRUE(platform::KeyDown(kEscape));
  pad.Button(SDL_CONTROLLER_BUTTON_START, false);
  platform::SleepMs(2);
  EXPECT_FALSE(platform::KeyDown(kEscape));
  // A tap between two reads is still seen once.
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  platform::Service();
  pad.Button(SDL_CONTROLLER_BUTTON_START, false);
  platform::SleepMs(2);
  EXPECT_TRUE(platform::KeyDown(kEscape));
  platform::SleepMs(2);
  EXPECT_FALSE(platform::KeyDown(kEscape));
  // Held while pulled out: let go with it.
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  platform::SleepMs(2);
  EXPECT_TRUE(platform::KeyDown(kEscape));
  pad.Unplug();
  platform::SleepMs(2);
  EXPECT_FALSE(platform::KeyDown(kEscape));
}

TEST_F(PadDevice, AJoystickWithoutMappingReadsItsFirstAxesAndButtonsUntilAFileMapsIt) {
  const std::string dir = testing_support::FreshDir("pad-mapping") + "/";
  VirtualPad stick("Bramko Arcade Stick", false);
  platform::Service();
  EXPECT_EQ(platform::JoyName(0), "Bramko Arcade Stick");
  stick.Axis(0, -32768);
  stick.Button(1, true);
  stick.Button(2, true);
  platform::SleepMs(2);
  platform::JoyPos p = Pos(0);
  EXPECT_EQ(p.x, 0u);
  EXPECT_EQ(p.buttons, 2u);  // only the first two buttons count

  // A mapping beside the settings file, read at start-up, makes it a pad at once.
  char guid[33] = {};
  SDL_JoystickGetGUIDString(stick.Guid(), guid, sizeof guid);
  std::ofstream(dir + "gamecontrollerdb.txt")
      << "# our own arcade stick\n"
      << guid << ",Bramko Mapped Stick,a:b2,b:b3,start:b0,dpleft:-a0,dpright:+a0,dpup:-a1,dpdown:+a1,platform:Linux,\n";
  LoadPadMappings(dir + "BRAMKO.INI");
  platform::Service();
  EXPECT_EQ(platform::JoyName(0), "Bramko Mapped Stick");
  platform::SleepMs(2);
  p = Pos(0);
  EXPECT_EQ(p.x, 0u);        // left on its D-pad
  EXPECT_EQ(p.buttons, 1u);  // button 2 is now south; button 1 is nothing
}

}  // namespace

namespace {

// A message box answered by a press of the pad's button a few pumps after it opened; -1 when
// it was not answered within 150 pumps (the window is then closed, so the test ends).
int AnswerWithPad(VirtualPad& pad, int button) {
  int pumps = 0;
  platform::SetPumpObserver([&] {
    ++pumps;
    pad.Button(button, pumps >= 5 && pumps < 10);
    if (pumps == 150) platform::CloseWindow();
  });
  const int answer = platform::ShowMessage("確認", "続けますか？", platform::MsgButtons::OkCancel);
  platform::SetPumpObserver(nullptr);
  pad.Button(button, false);
  return pumps < 150 ? answer : -1;
}

TEST_F(PadDevice, ThePadAnswersTheGamesOwnWindows) {
  VirtualPad pad("Bramko Pad");
  platform::Service();
  EXPECT_EQ(AnswerWithPad(pad, SDL_CONTROLLER_BUTTON_A), platform::kMsgOk);
  EXPECT_EQ(AnswerWithPad(pad, SDL_CONTROLLER_BUTTON_B), platform::kMsgCancel);
  EXPECT_EQ(AnswerWithPad(pad, SDL_CONTROLLER_BUTTON_START), platform::kMsgCancel);
  // Swapped in the settings: east decides.
  platform::SetPadButtonsSwapped(true);
  EXPECT_EQ(AnswerWithPad(pad, SDL_CONTROLLER_BUTTON_B), platform::kMsgOk);
  EXPECT_EQ(AnswerWithPad(pad, SDL_CONTROLLER_BUTTON_A), platform::kMsgCancel);
}

}  // namespace
