// The settings dialog without a window: what its creation reads and silences, OK, Cancel,
// Standard, the joystick boxes, help, and a settings file that cannot be written.
#include "settings/Custom.h"

#include "platform/Display.h"
#include "input/Ginput.h"
#include "SettingsKit.h"

namespace {

int g_stepCalls = 0;
int CountingStep() {
  ++g_stepCalls;
  return 0;
}

const char* const kFile =
    "[難易度調整]\n"
    "ゲームスピード=3\n"
    "ファングパワー=0x2\n"
    "[キーカスタマイズ]\n"
    "JOYSTICK1=2\n"
    "JOYSTICK2=1\n"
    "[キーカスタマイズ　PLAYER1]\n"
    "KEY_FUNC1=13 190,,0,226\n"
    "KEY_FUNC5=\n"
    "[その他]\n"
    "おまけ=1\n";

using SettingsDialog = SettingsDialogFixture;

TEST_F(SettingsDialog, CreationReadsTheFileSilencesInputAndKeepsOnlyTheMusicUntilDestroyed) {
  WriteTextFile(ini_, kFile);
  SetSceneStep(CountingStep);
  {
    TForm2 form;
    EXPECT_TRUE(InputDisabled);
    EXPECT_EQ(ReadPlayerInput(0), 0);
    ASSERT_NE(SceneStep, nullptr);
    EXPECT_NE(SceneStep, &CountingStep);
    g_stepCalls = 0;
    EXPECT_EQ(SceneStep(), 0);
    EXPECT_EQ(g_stepCalls, 0);

    EXPECT_EQ(form.rgSpeed.ItemIndex, 3);
    EXPECT_EQ(form.rgFangPW.ItemIndex, 2);
    EXPECT_EQ(form.ComboBox1.ItemIndex, 2);
    EXPECT_EQ(form.ComboBox2.ItemIndex, 1);
    EXPECT_EQ(form.rgDISPLAY.ItemIndex, 0);
    EXPECT_FALSE(form.rgDISPLAY.Visible);
    EXPECT_TRUE(ExtrasUnlocked);
    EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({13, 190, 226}));
    EXPECT_TRUE(KeyTable::Keys(0, kfDecide).empty());  // emptied on purpose, stays empty
    EXPECT_EQ(KeyTable::Keys(1, kfDown), KeyTable::DefaultKeys(1, kfDown));
    // Nothing reaches the running game before the apply step.
    EXPECT_EQ(FramePeriodMs, 15);
    form.doApply();
    EXPECT_EQ(FramePeriodMs, 12);
    EXPECT_EQ(FangPowerByMode[0][mmStory], 254);
    EXPECT_EQ(JoystickPollerP1, &JoystickPoller2);
    EXPECT_EQ(JoystickPollerP2, &JoystickPoller1);
  }
  EXPECT_FALSE(InputDisabled);
  EXPECT_EQ(SceneStep, &CountingStep);
}

TEST_F(SettingsDialog, StartUpAppliesAnEmptyFileAsTheDefaultsAndWritesNothing) {
  WriteTextFile(ini_, "");
  FramePeriodMs = 99;
  FangPowerByMode[0][mmStory] = 1;
  JoystickPollerP1 = JoystickPoller1;
  ExtrasUnlocked = ResolutionChangeRequested = true;
  JoystickPollerP2 = nullptr;
  ApplySettingsAtStartup();
  EXPECT_EQ(FramePeriodMs, 15);
  EXPECT_EQ(FangPowerByMode[0][mmStory], 160);
  EXPECT_EQ(JoystickPollerP1, JoystickPoller1);  // nothing chosen yet: pads in plug-in order
  EXPECT_EQ(JoystickPollerP2, JoystickPoller2);
  EXPECT_FALSE(ExtrasUnlocked);
  EXPECT_FALSE(ResolutionChangeRequested);
  for (int row = 0; row < 2; ++row)
    for (int f = 0; f < 6; ++f) EXPECT_EQ(KeyTable::Keys(row, f), KeyTable::DefaultKeys(row, f));
  EXPECT_EQ(ReadTextFile(ini_), "");
  EXPECT_FALSE(InputDisabled);
}

TEST_F(SettingsDialog, OkAppliesAndWritesEveryValueButTheExtrasInTheDialogsOrder) {
  WriteTextFile(ini_, "[その他]\nおまけ=1\n");
  TForm2 form;
  form.rgSpeed.ItemIndex = 0;
  form.rgFangPW.ItemIndex = 3;
  form.ComboBox1.ItemIndex = 1;
  KeyTable::ClearKeys();
  KeyTable::AddKey(0, kfDown, 71);
  KeyTable::AddKey(0, kfDown, 66);
  size_t messages = MessageCount();
  form.btnOKClick();
  EXPECT_EQ(form.ModalResult, mrOk);
  EXPECT_EQ(MessageCount(), messages);  // the resolution request did not change
  EXPECT_EQ(FramePeriodMs, 30);
  EXPECT_EQ(FangPowerByMode[0][mmStory], 320);
  EXPECT_EQ(JoystickPollerP1, &JoystickPoller1);

  EXPECT_EQ(Value("難易度調整", "ゲームスピード"), "0");
  EXPECT_EQ(Value("難易度調整", "ファングパワー"), "3");
  EXPECT_EQ(Value("キーカスタマイズ", "JOYSTICK1"), "1");
  EXPECT_EQ(Value("キーカスタマイズ", "JOYSTICK2"), "2");  // the file had no choice yet
  EXPECT_EQ(Value("キーカスタマイズ　PLAYER1", "KEY_FUNC2"), "71,66,");
  EXPECT_EQ(Value("キーカスタマイズ　PLAYER1", "KEY_FUNC1"), "");
  EXPECT_EQ(Value("キーカスタマイズ　PLAYER2", "KEY_FUNC6"), "");
  EXPECT_EQ(Value("その他", "解像度の変更"), "0");
  EXPECT_EQ(Value("その他", "おまけ"), "1");  // left as it was
  // New sections follow in the order the dialog writes them.
  std::string text = ReadTextFile(ini_);
  size_t game = text.find("[難易度調整]"), keys = text.find("[キーカスタマイズ]");
  size_t p1 = text.find("[キーカスタマイズ　PLAYER1]"), p2 = text.find("[キーカスタマイズ　PLAYER2]");
  ASSERT_NE(p2, std::string::npos);
  EXPECT_LT(game, keys);
  EXPECT_LT(keys, p1);
  EXPECT_LT(p1, p2);

  // What was written comes back: an emptied list stays empty.
  TForm2 again;
  EXPECT_EQ(again.rgFangPW.ItemIndex, 3);
  EXPECT_TRUE(KeyTable::Keys(0, kfUp).empty());
  EXPECT_EQ(KeyTable::Keys(0, kfDown), Codes({71, 66}));
}

TEST_F(SettingsDialog, CancelPutsControlsExtrasAndKeysBackToTheFileWithoutApplying) {
  WriteTextFile(ini_, kFile);
  TForm2 form;
  form.rgSpeed.ItemIndex = 0;
  form.ComboBox1.ItemIndex = 0;
  ExtrasUnlocked = false;
  KeyTable::ClearKeys();
  const std::string before = ReadTextFile(ini_);
  form.Button3Click();
  EXPECT_EQ(form.ModalResult, mrCancel);
  EXPECT_EQ(form.rgSpeed.ItemIndex, 3);
  EXPECT_EQ(form.ComboBox1.ItemIndex, 2);
  EXPECT_TRUE(ExtrasUnlocked);
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({13, 190, 226}));
  EXPECT_EQ(KeyTable::Keys(0, kfLeft), KeyTable::DefaultKeys(0, kfLeft));
  EXPECT_EQ(FramePeriodMs, 15);  // still the last apply's
  EXPECT_EQ(JoystickPollerP1, nullptr);
  EXPECT_EQ(ReadTextFile(ini_), before);
}

TEST_F(SettingsDialog, StandardSetsTheDefaultsWritesThemAndLeavesFullscreenAtOnce) {
  WriteTextFile(ini_, "[難易度調整]\nゲームスピード=0\n[キーカスタマイズ]\nJOYSTICK2=2\n[その他]\n解像度の変更=1\n");
  ResolutionChangeRequested = true;  // read so by the main window
  platform::DisplayPrefs fullscreen;
  fullscreen.fullscreen = true;
  platform::SetDisplayPrefs(fullscreen);
  TForm2 form;
  EXPECT_EQ(form.ComboBox1.ItemIndex, 0);  // JOYSTICK2 alone was stored: JOYSTICK1 is NONE
  form.cbPadSwap.Checked = form.cbPadRumble.Checked = true;
  KeyTable::ClearKeys();
  size_t messages = MessageCount();
  form.Button4Click();
  EXPECT_EQ(form.ModalResult, mrOk);
  EXPECT_EQ(form.rgSpeed.ItemIndex, 2);
  EXPECT_EQ(form.ComboBox1.ItemIndex, 1);  // as on a fresh install
  EXPECT_EQ(form.ComboBox2.ItemIndex, 2);
  EXPECT_FALSE(form.cbPadSwap.Checked);
  EXPECT_FALSE(form.cbPadRumble.Checked);
  EXPECT_EQ(form.rgDISPLAY.ItemIndex, 0);
  EXPECT_FALSE(ResolutionChangeRequested);
  EXPECT_FALSE(platform::CurrentDisplayPrefs().fullscreen);
  EXPECT_EQ(MessageCount(), messages);
  EXPECT_EQ(FramePeriodMs, 15);
  EXPECT_EQ(JoystickPollerP2, JoystickPoller2);
  EXPECT_EQ(Value("難易度調整", "ゲームスピード"), "2");
  EXPECT_EQ(Value("キーカスタマイズ", "JOYSTICK2"), "2");
  EXPECT_EQ(Value("Linux", "PadSwapButtons"), "0");
  EXPECT_EQ(Value("その他", "解像度の変更"), "0");
  EXPECT_EQ(Value("キーカスタマイズ　PLAYER2", "KEY_FUNC5"), "13,190,226,");
  EXPECT_EQ(KeyTable::Keys(0, kfDown), Codes({71, 86, 66}));
}

TEST_F(SettingsDialog, AFileThatCannotBeWrittenIsReportedAndNothingIsAppliedUntilItIsStored) {
  TForm2 form;
  std::ofstream(dir_ + "blocked") << "a file where the folder should be";
  form.IniPath = dir_ + "blocked/BRAMKO.INI";
  form.rgSpeed.ItemIndex = 3;
  size_t messages = MessageCount();
  form.btnOKClick();
  EXPECT_EQ(form.ModalResult, mrNone);
  ASSERT_EQ(MessageCount(), messages + 1);
  EXPECT_NE(LastMessage().find(form.IniPath + " に書き込めません"), std::string::npos);
  EXPECT_NE(LastMessage().find("フォルダ " + dir_ + "blocked に書き込めるか"), std::string::npos) << LastMessage();
  EXPECT_EQ(FramePeriodMs, 15);  // the game runs on what is stored
  // A folder not made yet (the first OK of an installed game) is made; then OK goes through.
  form.IniPath = dir_ + "config/bramko2/BRAMKO.INI";
  form.btnOKClick();
  EXPECT_EQ(form.ModalResult, mrOk);
  EXPECT_EQ(FramePeriodMs, 12);
  EXPECT_EQ(platform::IniReadString(form.IniPath, "難易度調整", "ゲームスピード", ""), "3");
}

TEST_F(SettingsDialog, JoystickBoxesNeverPutBothSticksOnOnePlayer) {
  TForm2 form;
  form.ComboBox1.ItemIndex = 1;
  form.ComboBox2.ItemIndex = 1;
  form.ComboBox2Change();
  EXPECT_EQ(form.ComboBox1.ItemIndex, 0);
  EXPECT_EQ(form.ComboBox2.ItemIndex, 1);
  form.ComboBox1.ItemIndex = 2;
  form.ComboBox1Change();
  EXPECT_EQ(form.ComboBox2.ItemIndex, 1);  // different players: both stay
  form.ComboBox2.ItemIndex = 2;
  form.ComboBox2Change();
  EXPECT_EQ(form.ComboBox1.ItemIndex, 0);
  form.ComboBox1.ItemIndex = 0;
  form.ComboBox2.ItemIndex = 0;
  form.ComboBox1Change();
  EXPECT_EQ(form.ComboBox2.ItemIndex, 0);  // NONE on both is fine
}

TEST_F(SettingsDialog, HelpButtonAndF1OpenTheCustomizeWindowsSection) {
  TForm2 form;
  form.btnHELPClick();
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#カスタマイズウィンドウ");
  platform::ShowHelp("other", "");
  int key = 113;
  form.FormKeyDown(key);
  EXPECT_EQ(platform::LastHelpRequest(), "other#");
  key = 112;
  form.FormKeyDown(key);
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#カスタマイズウィンドウ");
}

TEST_F(SettingsDialog, HeadlessTheDialogIsAnsweredWithCancelAndNothingIsWritten) {
  WriteTextFile(ini_, "[難易度調整]\nゲームスピード=1\n");
  TForm2 form;
  form.rgSpeed.ItemIndex = 3;
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(form.ModalResult, mrCancel);
  EXPECT_EQ(FramePeriodMs, 15);
  EXPECT_EQ(Value("難易度調整", "ゲームスピード"), "1");
  EXPECT_EQ(Value("難易度調整", "ファングパワー"), "<missing>");
}

}  // namespace

TEST_F(SettingsDialog, TheScaleModeAppliesAtOnceAndIsKeptInOurOwnSection) {
  WriteTextFile(ini_, "[難易度調整]\nゲームスピード=1\n");
  platform::SetDisplayPrefs(platform::DisplayPrefs{});
  TForm2 form;
  EXPECT_EQ(form.cbScale.ItemIndex, 0);
  form.cbScale.ItemIndex = 1;
  form.btnOKClick();
  EXPECT_EQ(platform::CurrentDisplayPrefs().mode, platform::ScaleMode::Fill);
  EXPECT_EQ(Value("Linux", "ScaleMode"), "1");
  EXPECT_EQ(Value("難易度調整", "ゲームスピード"), "1");  // the original keys as they were
  EXPECT_EQ(ReadDisplayPrefs(ini_).mode, platform::ScaleMode::Fill);
  TForm2 again;
  EXPECT_EQ(again.cbScale.ItemIndex, 1);
  platform::SetDisplayPrefs(platform::DisplayPrefs{});
}
